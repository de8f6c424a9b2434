#include "SurfaceFixture.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "TemporaryFolder.h"
#include "catalogue/Variax.h"
#include "midi/Midi.h"

namespace velmora {

SurfaceTest::SurfaceTest()
    : root_(MakeTemporaryFolder("velmora-surface-")),
      form_(MakeStartupForm()),
      view_([this] { return platform_->Sent().size(); }),
      context_{form_, view_, ProgramFolders{root_, root_}} {
  auto platform = std::make_unique<VirtualMidiPlatform>(2, 2);
  platform_ = platform.get();
  InstallMidiPlatform(std::move(platform));
  GetMidiOutput().OpenDevice(0);
  form_.cbOutputDevices.items = GetMidiOutput().DeviceNames();
  form_.cbOutputDevices.itemIndex = 0;
  view_.Watch(form_);
  // Every picture a guitar can ask for, except the LESTER bank's own pictures, so that the
  // fallback picture can be seen at work.
  for (const GuitarRecord& guitar : GuitarCatalogue()) {
    if (guitar.Bank != "LESTER") {
      MakePicture(std::string(guitar.Bank) + "/" + std::string(guitar.Picture));
    }
  }
  for (std::string_view name :
       {"Variax 700 rouge.jpg", "selecteur1.jpg", "selecteur2.jpg", "selecteur3.jpg",
        "selecteur4.jpg", "selecteur5.jpg", "nopickup.jpg", "single coil.jpg", "humbucker.jpg"}) {
    MakePicture(name);
  }
}

SurfaceTest::~SurfaceTest() {
  ReleaseMidiDevices();
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::vector<std::string> SurfaceTest::Wire() const {
  const std::vector<SentBuffer> sent = platform_->Sent();
  std::vector<std::string> wire;
  auto event = view_.events.begin();
  for (std::size_t i = 0; i <= sent.size(); ++i) {
    for (; event != view_.events.end() && event->afterSends == i; ++event) {
      wire.push_back(event->what);
    }
    if (i < sent.size()) {
      wire.push_back(HexBytes(sent[i].bytes));
    }
  }
  return wire;
}

void SurfaceTest::ClearWire() {
  platform_->ClearSent();
  view_.events.clear();
  view_.messages.clear();
  view_.strokes.clear();
  view_.loads.clear();
  view_.existenceChecks.clear();
  view_.stepDelays = 0;
}

void SurfaceTest::SetDistinctKnobs() {
  for (int i = 0; i < kKnobsPerChannel; ++i) {
    form_.ValueHolder(ChannelKnobs(Channel::Amp1)[i]).SetPosition(4 + 4 * i);
    form_.ValueHolder(ChannelKnobs(Channel::Amp2)[i]).SetPosition(400 + 4 * i);
  }
}

void SurfaceTest::Select(ComboBox& selector, std::string_view text) {
  for (std::size_t i = 0; i < selector.items.size(); ++i) {
    if (selector.items[i] == text) {
      selector.itemIndex = static_cast<int>(i);
      return;
    }
  }
  ADD_FAILURE() << "no item " << text;
}

void SurfaceTest::WriteConfig(std::string_view content) {
  std::ofstream(context_.folders.ConfigFile(), std::ios::binary) << content;
}

std::filesystem::path SurfaceTest::PicturePath(std::string_view relative) const {
  return root_ / ("images/Guitares/" + std::string(relative));
}

void SurfaceTest::MakePicture(std::string_view relative) {
  const std::filesystem::path path = PicturePath(relative);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << "\xFF\xD8\xFF\xD9";
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  for (std::uint8_t byte : bytes) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%.2X", byte);
    if (!text.empty()) {
      text += ' ';
    }
    text += digits;
  }
  return text;
}

}  // namespace velmora
