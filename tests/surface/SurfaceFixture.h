#pragma once

// The editing operations against two virtual MIDI ports, output port 0 selected and open,
// a start-up form, a recording view and a temporary program folder with every picture.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "RecordingView.h"
#include "midi/virtual/VirtualMidiPlatform.h"
#include "surface/editing/EditingContext.h"
#include "surface/form/FormModel.h"

namespace velmora {

class SurfaceTest : public ::testing::Test {
 protected:
  SurfaceTest();
  ~SurfaceTest() override;

  // Each buffer sent as "B0 0C 31 00", with the view's events between them in the order
  // they happened: "pause", "box: <text>", "progress <n>".
  std::vector<std::string> Wire() const;
  // Forgets what was sent and recorded so far, to check the next gesture alone.
  void ClearWire();

  // Knob values that tell the twelve messages apart: 4, 8 .. 24 on AMP1 (sent as 01 .. 06),
  // 400, 404 .. 420 on AMP2 (sent as 64 .. 69).
  void SetDistinctKnobs();
  // Selects the item equal to text (exactly), or fails the test.
  static void Select(ComboBox& selector, std::string_view text);
  // Replaces config.ini with these lines.
  void WriteConfig(std::string_view content);
  // Writes an empty picture file under the program folder ("images/Guitares/...").
  void MakePicture(std::string_view relative);
  std::filesystem::path PicturePath(std::string_view relative) const;

  std::filesystem::path root_;
  VirtualMidiPlatform* platform_ = nullptr;
  FormModel form_;
  RecordingView view_;
  EditingContext context_;
};

// Bytes as message text: two upper-case digits a byte, one blank between bytes.
std::string HexBytes(const std::vector<std::uint8_t>& bytes);

}  // namespace velmora
