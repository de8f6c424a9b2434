#include "surface/editing/LibraryBrowser.h"

#include <algorithm>
#include <memory>

#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Enceintes.h"
#include "library/EntryNames.h"
#include "library/FileOperations.h"
#include "library/LibraryFolder.h"
#include "library/PresetLibrary.h"
#include "profile/AtomicFile.h"
#include "surface/files/PresetFile.h"
#include "surface/files/PresetFileCommands.h"
#include "surface/forms/LibraryForm.h"

namespace velmora {

namespace {

namespace fs = std::filesystem;

const LibraryEntry& EntryAtRow(const LibraryWindow& window, std::size_t row) {
  return window.library->Entries()[window.matches[row]];
}

fs::path EntryFile(const LibraryWindow& window, const LibraryEntry& entry) {
  return window.library->Folder() / entry.relativePath;
}

void ShowSelection(LibraryWindow& window) {
  const int row = window.lvPresets.itemIndex;
  if (row < 0) {
    window.lblContenu.clear();
    window.edtNom.clear();
    return;
  }
  const LibraryEntry& entry = EntryAtRow(window, static_cast<std::size_t>(row));
  window.lblContenu = LibraryEntryContent(entry);
  window.edtNom = entry.name;
}

// The rows become the search's matches; the file of relativeText stays selected while it
// matches, else the first row is.
void ShowMatches(LibraryWindow& window, const std::string& relativeText) {
  window.matches = window.library->Search(window.edtRecherche);
  TableList& list = window.lvPresets;
  list.rowCount = window.matches.size();
  list.cell = LibraryCell;
  ++list.generation;
  const auto kept = std::ranges::find_if(window.matches, [&](std::size_t position) {
    return window.library->Entries()[position].relativeText == relativeText;
  });
  list.itemIndex = kept != window.matches.end() ? static_cast<int>(kept - window.matches.begin())
                                                : (window.matches.empty() ? -1 : 0);
  ShowSelection(window);
}

std::string SelectedText(const LibraryWindow& window) {
  const int row = window.lvPresets.itemIndex;
  return row < 0 ? std::string() : EntryAtRow(window, static_cast<std::size_t>(row)).relativeText;
}

// Reads the folder again after an operation, then selects the file at path, if any.
void FollowFolder(LibraryWindow& window, const fs::path& selected) {
  window.library->Refresh();
  const fs::path relative = selected.lexically_relative(window.library->Folder());
  std::string relativeText;
  for (const LibraryEntry& entry : window.library->Entries()) {
    if (entry.relativePath == relative) {
      relativeText = entry.relativeText;
    }
  }
  ShowMatches(window, relativeText);
}

// A display name with, below it, the model it stands for: the pane is narrow.
std::string NamedLine(std::string_view label, const std::string& display,
                      const ModelRecord* record) {
  return record == nullptr ? "  " + std::string(label) + " -\n"
                           : "  " + std::string(label) + " " + display + "\n      " +
                                 std::string(record->ModelName) + "\n";
}

std::string ChannelContentText(const LibraryEntry& entry, Channel channel) {
  const ChannelContent& content = entry.content.channels[channel == Channel::Amp1 ? 0 : 1];
  std::string text = std::string(channel == Channel::Amp1 ? "AMP1 " : "AMP2 ") +
                     std::string(content.powerOn ? kPowerOn : kPowerOff) + "\n";
  text += NamedLine("AMP", EntryAmpName(entry, channel),
                    content.amp != 0 ? &AmpRecord(channel, content.amp) : nullptr);
  text += NamedLine("CAB", EntryCabName(entry, channel),
                    content.cab != 0 ? &CabRecord(channel, content.cab) : nullptr);
  // Three knobs a line.
  for (std::size_t knob = 0; knob < kAmpKnobNames.size(); ++knob) {
    text += (knob % 3 == 0 ? " " : "") + std::string(" ") + std::string(kAmpKnobNames[knob]) + " " +
            std::to_string(content.knobs[knob]) + (knob % 3 == 2 ? "\n" : "");
  }
  return text;
}

LibraryWindow& Window(EditingContext& context) {
  return context.form.library;
}

}  // namespace

const LibraryEntry* SelectedLibraryEntry(const FormModel& form) {
  const LibraryWindow& window = form.library;
  const int row = window.lvPresets.itemIndex;
  return window.library == nullptr || row < 0 ? nullptr
                                              : &EntryAtRow(window, static_cast<std::size_t>(row));
}

std::string LibraryCell(const FormModel& form, std::size_t row, std::size_t column) {
  const LibraryEntry& entry = EntryAtRow(form.library, row);
  switch (column) {
    case 0:
      return entry.name;
    case 1:
      return EntryAmpName(entry, Channel::Amp1);
    case 2:
      return EntryAmpName(entry, Channel::Amp2);
    case 3:
      return EntryGuitarName(entry);
    default:
      return ModifiedText(entry.stamp);
  }
}

std::string LibraryEntryContent(const LibraryEntry& entry) {
  std::string text = entry.relativeText + "\n";
  if (!entry.error.empty()) {
    return text + entry.error;
  }
  text += ChannelContentText(entry, Channel::Amp1) + ChannelContentText(entry, Channel::Amp2);
  if (entry.content.guitar == 0) {
    return text + "Variax -";
  }
  const GuitarRecord& guitar = GuitarRecordAt(entry.content.guitar);
  return text + "Variax " + EntryGuitarName(entry) + "\n      " + std::string(guitar.Brand) + " " +
         std::string(guitar.Model) + ", " + std::string(guitar.Bank);
}

void OpenLibraryWindow(EditingContext& context) {
  LibraryWindow& window = Window(context);
  if (window.library == nullptr) {
    auto library = std::make_shared<PresetLibrary>(LibraryFolder(context.folders),
                                                   LibraryIndexFile(context.folders));
    library->Refresh();
    window.library = std::move(library);
    window.lblDossier = FullPathText(window.library->Folder());
    ShowMatches(window, {});
  } else {
    RefreshLibrary(context);
  }
  context.view.ShowForm(kLibraryFormName);
}

void RefreshLibrary(EditingContext& context) {
  LibraryWindow& window = Window(context);
  if (window.library == nullptr) {
    return;
  }
  // Taken before the entries change: the rows point into the old ones, past the end of the
  // new ones when files went.
  const std::string selected = SelectedText(window);
  if (window.library->Refresh()) {
    ShowMatches(window, selected);
  }
}

void LibrarySearchTyped(EditingContext& context) {
  LibraryWindow& window = Window(context);
  if (window.library != nullptr) {
    ShowMatches(window, SelectedText(window));
  }
}

void LibraryRowSelected(EditingContext& context) {
  ShowSelection(Window(context));
}

void LibraryAudition(EditingContext& context) {
  if (const LibraryEntry* entry = SelectedLibraryEntry(context.form)) {
    OpenGivenFile(context, EntryFile(Window(context), *entry));
  }
}

void LibraryRename(EditingContext& context) {
  LibraryWindow& window = Window(context);
  if (const LibraryEntry* entry = SelectedLibraryEntry(context.form)) {
    const fs::path file = EntryFile(window, *entry);
    fs::path renamed;
    try {
      renamed = RenamePreset(file, window.edtNom);
    } catch (...) {
      FollowFolder(window, file);
      throw;
    }
    FollowFolder(window, renamed);
  }
}

void LibraryDuplicate(EditingContext& context) {
  LibraryWindow& window = Window(context);
  if (const LibraryEntry* entry = SelectedLibraryEntry(context.form)) {
    const fs::path file = EntryFile(window, *entry);
    fs::path copy;
    try {
      copy = DuplicatePreset(file);
    } catch (...) {
      FollowFolder(window, file);
      throw;
    }
    FollowFolder(window, copy);
  }
}

void LibraryTrash(EditingContext& context) {
  LibraryWindow& window = Window(context);
  if (const LibraryEntry* entry = SelectedLibraryEntry(context.form)) {
    const fs::path file = EntryFile(window, *entry);
    const std::size_t row = static_cast<std::size_t>(window.lvPresets.itemIndex);
    try {
      TrashPreset(file);
    } catch (...) {
      FollowFolder(window, file);
      throw;
    }
    // The row that takes the trashed one's place is selected, as a list does after a delete.
    FollowFolder(window, {});
    if (!window.matches.empty()) {
      window.lvPresets.itemIndex = static_cast<int>(std::min(row, window.matches.size() - 1));
      ShowSelection(window);
    }
  }
}

void LibraryShowInFolder(EditingContext& context) {
  if (const LibraryEntry* entry = SelectedLibraryEntry(context.form)) {
    ShowPresetInFolder(EntryFile(Window(context), *entry));
  }
}

void LibrarySaveCurrentAs(EditingContext& context) {
  LibraryWindow& window = Window(context);
  if (window.library == nullptr) {
    return;
  }
  const fs::path file = NewPresetPath(window.library->Folder(), window.edtNom);
  WritePresetKeys(context.form, file, context.form.bttnOnOffAMP1.caption,
                  context.form.bttnOnOffAMP2.caption);
  FollowFolder(window, file);
}

void LibraryChooseFolder(EditingContext& context) {
  LibraryWindow& window = Window(context);
  const fs::path start = window.library != nullptr ? window.library->Folder() : fs::path();
  const std::optional<fs::path> chosen = context.view.FolderDialog(start);
  if (!chosen) {
    return;
  }
  // Read before anything is kept: a folder that cannot be read throws its box, naming it,
  // and the library stays on the old one.
  auto library =
      std::make_shared<PresetLibrary>(fs::absolute(*chosen), LibraryIndexFile(context.folders));
  library->Refresh();
  SetLibraryFolder(context.folders, library->Folder());
  window.library = std::move(library);
  window.lblDossier = FullPathText(window.library->Folder());
  ShowMatches(window, {});
}

}  // namespace velmora
