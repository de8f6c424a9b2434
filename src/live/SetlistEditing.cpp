#include "live/SetlistEditing.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "library/LibraryEntry.h"
#include "library/PresetLibrary.h"
#include "live/LiveStage.h"
#include "live/LiveView.h"
#include "live/SetlistFile.h"
#include "profile/Profile.h"
#include "surface/editing/LibraryBrowser.h"
#include "surface/shell/ErrorDisplay.h"

namespace velmora {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSection = "LIVE";
constexpr std::string_view kSetlistKey = "Setlist";

fs::path PathOf(const std::string& text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

std::string TextOf(const fs::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

// The setlist dialogs' filter, its label in the language shown.
FileKind SetlistFiles(const FormModel& form) {
  return {EnglishShown(form) ? "Velmora Setlist|*.vsl" : "Setlist Velmora|*.vsl", "vsl"};
}

void Remember(EditingContext& context, const fs::path& file) {
  WriteProfileStrings(context.folders.ConfigFile(),
                      {{std::string(kSection), std::string(kSetlistKey), TextOf(file)}});
}

std::string SetlistCell(const FormModel& form, std::size_t row, std::size_t column) {
  return column == 0 ? std::to_string(row + 1) : form.stage->Edited().Item(row).ShownLabel();
}

// The pane shows the stage's setlist with row selected, and the live view restarts on it.
void Changed(FormModel& form, int row) {
  form.stage->Restart();
  ShowSetlist(form);
  form.setlist.lvSetlist.itemIndex = row < static_cast<int>(form.setlist.lvSetlist.rowCount)
                                         ? row
                                         : static_cast<int>(form.setlist.lvSetlist.rowCount) - 1;
}

void Open(EditingContext& context, const fs::path& file) {
  Setlist setlist = ReadSetlistFile(file);
  const std::string warning = MissingFilesWarning(setlist, file);
  context.form.stage->Adopt(std::move(setlist), file);
  Changed(context.form, 0);
  if (!warning.empty()) {
    context.view.ShowMessage(warning);
  }
}

void Add(FormModel& form, SetlistItem item) {
  const int selected = form.setlist.lvSetlist.itemIndex;
  const std::size_t at =
      selected < 0 ? form.stage->Edited().Count() : static_cast<std::size_t>(selected) + 1;
  form.stage->Edited().Insert(at, std::move(item));
  form.stage->MarkEdited();
  Changed(form, static_cast<int>(at));
}

void Move(FormModel& form, int delta) {
  const int selected = form.setlist.lvSetlist.itemIndex;
  const int target = selected + delta;
  if (selected < 0 || target < 0 || target >= static_cast<int>(form.stage->Edited().Count())) {
    return;
  }
  form.stage->Edited().Move(static_cast<std::size_t>(selected), delta);
  form.stage->MarkEdited();
  Changed(form, target);
}

void SaveTo(EditingContext& context, fs::path file) {
  if (!file.has_extension()) {
    file += ".vsl";
  }
  WriteSetlistFile(context.form.stage->Edited(), file);
  context.form.stage->Adopt(context.form.stage->Edited(), file);
  Remember(context, file);
  const int selected = context.form.setlist.lvSetlist.itemIndex;
  Changed(context.form, selected);
}

std::string BindingText(const std::optional<FootswitchBinding>& binding, bool english) {
  if (!binding) {
    return english ? "none" : "aucun";
  }
  return FootswitchMessageText(binding->message) +
         (binding->port.empty() ? std::string() : " (" + binding->port + ")");
}

void Learn(EditingContext& context, StepAction action) {
  OpenFootswitchInputs(context);
  context.form.stage->Pedal().Learn(action);
  ShowFootswitch(context.form);
}

}  // namespace

void RestoreSetlist(EditingContext& context) {
  const fs::path config = context.folders.ConfigFile();
  try {
    context.form.stage->Bind(ReadFootswitchBindings(config));
  } catch (const std::exception& error) {
    context.view.ShowError(error.what());
  }
  ShowFootswitch(context.form);
  const std::string kept = ReadProfileString(config, kSection, kSetlistKey);
  if (kept.empty()) {
    return;
  }
  try {
    Open(context, PathOf(kept));
  } catch (const std::exception& error) {
    context.view.ShowError(error.what());
  }
}

void KeepSetlistEdits(EditingContext& context) {
  LiveStage& stage = *context.form.stage;
  if (!stage.Unsaved() || (stage.File().empty() && stage.Edited().Count() == 0)) {
    return;
  }
  const bool english = EnglishShown(context.form);
  const std::string name = TextOf(stage.File().filename());
  SaveQuestion question;
  if (name.empty()) {
    question.text = english ? "The new setlist is not saved. Save it?"
                            : "La nouvelle setlist n'est pas enregistrée. L'enregistrer ?";
  } else {
    question.text = english ? "The setlist " + name + " has changed. Save the changes?"
                            : "La setlist " + name + " a changé. Enregistrer les changements ?";
  }
  question.save = english ? "Save" : "Enregistrer";
  question.discard = english ? "Don't save" : "Ne pas enregistrer";
  question.cancel = english ? "Cancel" : "Annuler";
  switch (context.view.AskToSave(question)) {
    case SaveReply::kSave:
      SetlistSave(context);
      // A save dialog cancelled leaves the edits where they were.
      if (stage.Unsaved()) {
        throw PlayerCancelled();
      }
      return;
    case SaveReply::kDiscard:
      return;
    case SaveReply::kCancel:
      throw PlayerCancelled();
  }
}

void SetlistNew(EditingContext& context) {
  KeepSetlistEdits(context);
  context.form.stage->Adopt(Setlist(), {});
  Changed(context.form, -1);
}

void SetlistOpen(EditingContext& context) {
  KeepSetlistEdits(context);
  const std::optional<fs::path> file =
      context.view.OpenDialog(SetlistFiles(context.form), context.form.stage->File());
  if (file) {
    Open(context, *file);
    Remember(context, *file);
  }
}

void SetlistSave(EditingContext& context) {
  if (context.form.stage->File().empty()) {
    SetlistSaveAs(context);
  } else {
    SaveTo(context, context.form.stage->File());
  }
}

void SetlistSaveAs(EditingContext& context) {
  const std::optional<fs::path> file =
      context.view.SaveDialog(SetlistFiles(context.form), context.form.stage->File());
  if (file) {
    SaveTo(context, *file);
  }
}

void SetlistInsertSelected(EditingContext& context) {
  const LibraryWindow& library = context.form.library;
  const LibraryEntry* entry = SelectedLibraryEntry(context.form);
  if (entry == nullptr || !library.library) {
    return;
  }
  Add(context.form, SetlistItem{library.library->Folder() / entry->relativePath, {}, {}, {}});
}

void SetlistAddStored(EditingContext& context) {
  const std::string& typed = context.form.setlist.edtSetlistStored;
  std::optional<SetlistItem> item = ReadStoredItem(typed);
  if (!item) {
    throw std::runtime_error(
        (EnglishShown(context.form)
             ? "Not a stored preset: \"" + typed +
                   "\"; USER or FACTORY, a blank and a key from 1A "
                   "to 16D, as in USER 3B"
             : "Ce n'est pas un preset de l'ampli : \"" + typed +
                   "\" ; USER ou FACTORY, un blanc et une touche de 1A à 16D, comme USER 3B"));
  }
  Add(context.form, std::move(*item));
}

void SetlistRemove(EditingContext& context) {
  const int selected = context.form.setlist.lvSetlist.itemIndex;
  if (selected < 0 || selected >= static_cast<int>(context.form.stage->Edited().Count())) {
    return;
  }
  context.form.stage->Edited().Remove(static_cast<std::size_t>(selected));
  context.form.stage->MarkEdited();
  Changed(context.form, selected);
}

void SetlistMoveUp(EditingContext& context) {
  Move(context.form, -1);
}

void SetlistMoveDown(EditingContext& context) {
  Move(context.form, 1);
}

void LearnFootswitchNext(EditingContext& context) {
  Learn(context, StepAction::kNext);
}

void LearnFootswitchPrevious(EditingContext& context) {
  Learn(context, StepAction::kPrevious);
}

void ShowSetlist(FormModel& form) {
  TableList& list = form.setlist.lvSetlist;
  list.rowCount = form.stage->Edited().Count();
  list.cell = SetlistCell;
  ++list.generation;
  ShowSetlistFile(form);
}

void ShowSetlistFile(FormModel& form) {
  const fs::path& file = form.stage->File();
  form.setlist.lblSetlistFichier = !file.empty()        ? TextOf(file.filename())
                                   : EnglishShown(form) ? "(new, not saved yet)"
                                                        : "(nouvelle, pas encore enregistrée)";
}

void RefreshSetlistPane(FormModel& form) {
  ShowSetlistFile(form);
  ShowFootswitch(form);
}

void ShowFootswitch(FormModel& form) {
  const bool english = EnglishShown(form);
  const FootswitchBindings bindings = form.stage->Pedal().Bindings();
  std::string text =
      (english ? "Footswitch: next " : "Pédale : suivant ") + BindingText(bindings.next, english) +
      (english ? ", previous " : ", précédent ") + BindingText(bindings.previous, english);
  if (form.stage->Pedal().Learning()) {
    text += english ? " — waiting for a message…" : " — en attente d'un message…";
  }
  form.setlist.lblPedale = std::move(text);
}

}  // namespace velmora
