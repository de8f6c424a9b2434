#pragma once

// What the editing operations need from the window around the model: message boxes, the
// pause between groups of messages, knob pointer drawing, pictures, file dialogs and an
// immediate repaint. The Qt window implements it for real; the command line and the tests
// implement it without a screen.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "surface/form/FormModel.h"

namespace velmora {

// The fixed pause between the groups of a preset load or a synchronise, and before the
// cab re-send of an amp change. A constant of the program, not a setting.
inline constexpr std::chrono::milliseconds kStepDelay{500};

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kKnobOlive{128, 128, 0};
inline constexpr Rgb kKnobYellow{255, 255, 0};
inline constexpr int kKnobPenWidth = 3;

// Pixel position on a 25 x 25 knob picture; x grows right, y grows down.
struct KnobPoint {
  int x = 0;
  int y = 0;
  bool operator==(const KnobPoint&) const = default;
};

// What a file dialog offers: the filter ("Label|*.ext") and the extension added to a name
// typed without one.
struct FileKind {
  std::string_view filter;
  std::string_view extension;
};
inline constexpr FileKind kPresetFiles{"Velmora Preset|*.vmp", "vmp"};

// A question before changes not saved are dropped, with its three buttons' captions in the
// language shown.
struct SaveQuestion {
  std::string text;
  std::string save;
  std::string discard;
  std::string cancel;
};
enum class SaveReply { kSave, kDiscard, kCancel };

class FormView {
 public:
  virtual ~FormView() = default;

  // A modal box with one OK button; returns when it is closed.
  virtual void ShowMessage(const std::string& text) = 0;
  // The same with the error icon and the application's title, for a handler's error.
  virtual void ShowError(const std::string& text) = 0;
  // A modal box asking the question; closing it without a button is Cancel.
  virtual SaveReply AskToSave(const SaveQuestion& question) = 0;

  // Blocks for kStepDelay without processing user input.
  virtual void StepDelay() = 0;

  // One straight line of kKnobPenWidth on the knob's persistent canvas.
  virtual void DrawKnobPointer(Knob knob, Rgb colour, KnobPoint from, KnobPoint to) = 0;

  // Whether a file stands at path. A folder of that name does not count: the guitar panel
  // then shows its fallback picture instead of failing to read a folder.
  virtual bool PictureExists(const std::filesystem::path& path) = 0;
  // Replaces the picture of the named control (e.g. "imgGuitares") with the JPEG file.
  // Throws PictureOpenError (see PictureFile.h) or the decoder's error when it cannot.
  virtual void LoadPicture(std::string_view control, const std::filesystem::path& path) = 0;

  // The path the user accepted, or nothing when the dialog was cancelled. Both dialogs show
  // the kind's files and add its extension to a name typed without one; they start at the
  // file start names (its folder, and its name for a save), or where the toolkit likes when
  // it is empty. The open dialog accepts a file that does not exist, the save dialog
  // overwrites without asking.
  virtual std::optional<std::filesystem::path> OpenDialog(const FileKind& kind,
                                                          const std::filesystem::path& start) = 0;
  virtual std::optional<std::filesystem::path> SaveDialog(const FileKind& kind,
                                                          const std::filesystem::path& start) = 0;
  // A folder the user chose, starting at start; nothing when cancelled.
  virtual std::optional<std::filesystem::path> FolderDialog(const std::filesystem::path& start) = 0;

  // The named control changed while the thread is about to block: draw it now.
  virtual void RepaintNow(std::string_view control) = 0;

  // Shows the registered form of that id (see Form.h); a modal form returns once the player
  // has closed it. CloseForm hides it again.
  virtual void ShowForm(std::string_view form) = 0;
  virtual void CloseForm(std::string_view form) = 0;

  // Hands the address to the desktop's default web browser. Whether one opens is not
  // reported: there is nothing the user could do about it here.
  virtual void OpenWebsite(std::string_view address) = 0;
};

}  // namespace velmora
