// The command line's stand-in for the window: a message box becomes a line on the error
// stream and the operation goes on; no picture file is needed or read.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <vector>

#include "cli/HeadlessView.h"
#include "midi/Midi.h"
#include "midi/virtual/VirtualMidiPlatform.h"
#include "surface/editing/GuitarPanel.h"

namespace velmora {
namespace {

using ::testing::SizeIs;

class HeadlessViewTest : public ::testing::Test {
 protected:
  HeadlessViewTest() {
    auto platform = std::make_unique<VirtualMidiPlatform>(1, 1);
    platform_ = platform.get();
    InstallMidiPlatform(std::move(platform));
    for (std::size_t i = 0; i < form_.cbGuitares.items.size(); ++i) {
      if (form_.cbGuitares.items[i] == "2 Telecaster modified") {
        form_.cbGuitares.itemIndex = static_cast<int>(i);
      }
    }
  }
  ~HeadlessViewTest() override { ReleaseMidiDevices(); }

  VirtualMidiPlatform* platform_ = nullptr;
  FormModel form_ = MakeStartupForm();
  std::ostringstream err_;
  HeadlessView view_{err_};
  // No picture exists there: a window would fail on the guitar's selector picture.
  EditingContext context_{form_, view_,
                          ProgramFolders{"/nonexistent/velmora", "/nonexistent/velmora"}};
};

TEST_F(HeadlessViewTest, BoxesGoToTheErrorStreamAndNoPictureIsNeeded) {
  ApplyGuitarSelection(context_);
  ApplyGuitarSelection(context_);
  EXPECT_EQ(err_.str(),
            "Veuillez sélectionner un port de sortie (MIDI OUT).\n"
            "Veuillez sélectionner un port de sortie (MIDI OUT).\n");
  EXPECT_EQ(form_.lblGuitareModele, "Telecaster modified");

  err_.str("");
  GetMidiOutput().OpenDevice(0);
  form_.cbOutputDevices.items = GetMidiOutput().DeviceNames();
  form_.cbOutputDevices.itemIndex = 0;
  ApplyGuitarSelection(context_);
  EXPECT_EQ(err_.str(), "");
  ASSERT_THAT(platform_->Sent(), SizeIs(1));
  EXPECT_EQ(platform_->Sent()[0].bytes,
            (std::vector<std::uint8_t>{0xF0, 0x00, 0x01, 0x0C, 0x03, 0x07, 0x0D, 0x02, 0x00, 0x00,
                                       0x00, 0x00, 0x09, 0xF7, 0x00}));
}

}  // namespace
}  // namespace velmora
