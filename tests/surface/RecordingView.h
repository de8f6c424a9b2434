#pragma once

// A window without a screen for the editing tests: records message boxes, pauses, knob
// strokes, picture loads and repaints in the order they happen, answers the file dialogs
// from prepared answers and never sleeps. Pictures are read from disk like the real window
// reads them, so a missing file raises the real error text.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "surface/files/PictureFile.h"
#include "surface/form/FormView.h"
#include "surface/forms/AboutForm.h"

namespace velmora {

class RecordingView : public FormView {
 public:
  struct KnobStroke {
    Knob knob;
    Rgb colour;
    KnobPoint from;
    KnobPoint to;
  };
  struct PictureLoad {
    std::string control;
    std::filesystem::path path;
  };
  // Something the user would notice, placed after the first afterSends buffers sent:
  // "pause", "box: <text>", "progress <position>" or "progress hidden".
  struct Event {
    std::size_t afterSends = 0;
    std::string what;
  };

  // sentCount tells how many buffers have gone out so far, to place events between them.
  explicit RecordingView(std::function<std::size_t()> sentCount = [] { return std::size_t{0}; })
      : sentCount_(std::move(sentCount)) {}

  // The progress bar is read from this form when the operations ask for a repaint.
  void Watch(const FormModel& form) { form_ = &form; }

  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    Record("box: " + text);
    if (onMessageClosed) {
      onMessageClosed();
    }
  }

  void ShowError(const std::string& text) override {
    errors.push_back(text);
    Record("error: " + text);
  }

  SaveReply AskToSave(const SaveQuestion& question) override {
    Record("question: " + question.text + " [" + question.save + "|" + question.discard + "|" +
           question.cancel + "]");
    return saveReply;
  }

  void StepDelay() override {
    ++stepDelays;
    Record("pause");
    if (onPause) {
      onPause(stepDelays);
    }
  }

  void DrawKnobPointer(Knob knob, Rgb colour, KnobPoint from, KnobPoint to) override {
    strokes.push_back({knob, colour, from, to});
  }

  bool PictureExists(const std::filesystem::path& path) override {
    existenceChecks.push_back(path);
    return std::filesystem::is_regular_file(path);
  }

  void LoadPicture(std::string_view control, const std::filesystem::path& path) override {
    ReadPictureFile(path);
    loads.push_back({std::string(control), path});
  }

  std::optional<std::filesystem::path> OpenDialog(const FileKind& kind,
                                                  const std::filesystem::path& start) override {
    dialogAsked = {std::string(kind.filter), start};
    ++openDialogs;
    return openAnswer;
  }

  std::optional<std::filesystem::path> SaveDialog(const FileKind& kind,
                                                  const std::filesystem::path& start) override {
    dialogAsked = {std::string(kind.filter), start};
    ++saveDialogs;
    return saveAnswer;
  }

  std::optional<std::filesystem::path> FolderDialog(const std::filesystem::path&) override {
    return folderAnswer;
  }

  void RepaintNow(std::string_view control) override {
    repaints.emplace_back(control);
    if (form_ != nullptr && control == "pbTraitementFichier") {
      const ProgressBar& bar = form_->pbTraitementFichier;
      Record(bar.visible ? "progress " + std::to_string(bar.Position()) : "progress hidden");
    }
  }

  void ShowForm(std::string_view form) override {
    shownForms.emplace_back(form);
    if (form == kAboutFormName) {
      ++aboutShows;
      Record("about");
      if (onAboutShown) {
        onAboutShown();
      }
    }
  }

  void CloseForm(std::string_view) override {}

  void OpenWebsite(std::string_view address) override { websites.emplace_back(address); }

  std::vector<std::string> messages;
  std::vector<std::string> shownForms;
  std::vector<std::string> errors;
  int stepDelays = 0;
  int aboutShows = 0;
  // Called while the About window is shown, e.g. to press its buttons.
  std::function<void()> onAboutShown;
  std::vector<std::string> websites;
  // Called at the end of each pause with the number of pauses so far, e.g. to make a later
  // send fail.
  std::function<void(int)> onPause;
  // Called as each message box closes, e.g. to activate the window again as closing it does.
  std::function<void()> onMessageClosed;
  std::vector<KnobStroke> strokes;
  std::vector<std::filesystem::path> existenceChecks;
  std::vector<PictureLoad> loads;
  std::vector<std::string> repaints;
  std::vector<Event> events;

  SaveReply saveReply = SaveReply::kCancel;
  std::optional<std::filesystem::path> openAnswer;
  std::optional<std::filesystem::path> saveAnswer;
  std::optional<std::filesystem::path> folderAnswer;
  // The last file dialog's filter and start.
  std::pair<std::string, std::filesystem::path> dialogAsked;
  int openDialogs = 0;
  int saveDialogs = 0;

 private:
  void Record(std::string what) { events.push_back({sentCount_(), std::move(what)}); }

  std::function<std::size_t()> sentCount_;
  const FormModel* form_ = nullptr;
};

}  // namespace velmora
