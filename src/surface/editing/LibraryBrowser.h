#pragma once

// The library window's operations. The list shows the entries the search box matches; the
// name box holds the selected preset's name, which Rename and "Save current as" take. A file
// operation that fails throws LibraryOperationError naming the file, and the list is read
// again after every operation, so it shows what the folder holds, whatever happened.

#include <string>

#include "surface/editing/EditingContext.h"

namespace velmora {

struct LibraryEntry;

// Ctrl+L: reads the library (its folder from config.ini, the index beside it) the first time,
// then follows the folder; selects the first match and shows the window.
void OpenLibraryWindow(EditingContext& context);
// Reads the folder again and keeps the selected file selected while it is there.
void RefreshLibrary(EditingContext& context);

// The search box changed: the rows become the matches of its words.
void LibrarySearchTyped(EditingContext& context);
// A row was selected: the content pane and the name box show that preset.
void LibraryRowSelected(EditingContext& context);

// The selected preset loads as the file chosen with Open does: its pauses, progress and
// errors. Nothing happens without a selection; each of the file operations likewise.
void LibraryAudition(EditingContext& context);
void LibraryRename(EditingContext& context);
void LibraryDuplicate(EditingContext& context);
void LibraryTrash(EditingContext& context);
void LibraryShowInFolder(EditingContext& context);
// Writes the editing state as a new preset of the name box's name into the library folder,
// as Save does, refusing a name that exists.
void LibrarySaveCurrentAs(EditingContext& context);

// The player picks another folder: it is read at once and kept in config.ini; one that
// cannot be read is refused with a box naming it, and the old one stays.
void LibraryChooseFolder(EditingContext& context);

// The selected entry, or null.
const LibraryEntry* SelectedLibraryEntry(const FormModel& form);

// The list's cell texts: name, AMP1, AMP2, guitar, modified; and the content pane's text.
std::string LibraryCell(const FormModel& form, std::size_t row, std::size_t column);
std::string LibraryEntryContent(const LibraryEntry& entry);

}  // namespace velmora
