#pragma once

// What the core asks of the window, done with Win32: message boxes with the application's
// title, the blocking pause, the knob canvases, JPEG pictures through GDI+, the preset file
// dialogs, an immediate repaint, the other forms' windows and the web browser.

#include <chrono>
#include <functional>

#include <windows.h>

#include "surface/form/FormView.h"
#include "winshell/ControlSet.h"

namespace velmora {

class Win32FormView : public FormView {
 public:
  // render brings every control in line with the form model; showForm and closeForm
  // open and close the other forms' windows.
  Win32FormView(const ControlSet& controls, std::function<void()> render,
                std::function<void(std::string_view)> showForm,
                std::function<void(std::string_view)> closeForm,
                std::chrono::milliseconds stepDelay);

  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  SaveReply AskToSave(const SaveQuestion& question) override;
  void StepDelay() override;
  void DrawKnobPointer(Knob knob, Rgb colour, KnobPoint from, KnobPoint to) override;
  bool PictureExists(const std::filesystem::path& path) override;
  void LoadPicture(std::string_view control, const std::filesystem::path& path) override;
  std::optional<std::filesystem::path> OpenDialog(const FileKind& kind,
                                                  const std::filesystem::path& start) override;
  std::optional<std::filesystem::path> SaveDialog(const FileKind& kind,
                                                  const std::filesystem::path& start) override;
  std::optional<std::filesystem::path> FolderDialog(const std::filesystem::path& start) override;
  void RepaintNow(std::string_view control) override;
  void ShowForm(std::string_view form) override;
  void CloseForm(std::string_view form) override;
  void OpenWebsite(std::string_view address) override;

  // Whether a pause blocked the thread since the last call: input may be waiting.
  bool TakePaused();

 private:
  std::optional<std::filesystem::path> FileDialog(const FileKind& kind,
                                                  const std::filesystem::path& start, bool save);
  HWND Owner() const;

  const ControlSet& controls_;
  std::function<void()> render_;
  std::function<void(std::string_view)> showForm_;
  std::function<void(std::string_view)> closeForm_;
  std::chrono::milliseconds stepDelay_;
  bool paused_ = false;
};

}  // namespace velmora
