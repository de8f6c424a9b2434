#pragma once

// The window's part as the command line plays it: a message box becomes a line on the
// error stream and the run goes on as after the box is closed; the pauses are real; there
// is nothing to draw, so no picture file is looked at or read, and no dialog is ever open.

#include <ostream>

#include "surface/form/FormView.h"

namespace velmora {

class HeadlessView : public FormView {
 public:
  explicit HeadlessView(std::ostream& messages) : messages_(messages) {}

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

 private:
  std::ostream& messages_;
};

}  // namespace velmora
