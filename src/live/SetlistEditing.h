#pragma once

// The library window's setlist pane: the setlist's items, added from the library's selection
// or as a stored preset, removed and moved; New, Open, Save and Save as, the files chosen in
// the view's dialogs; the footswitch's learn. The setlist last opened or saved is kept in
// config.ini (section LIVE, key Setlist) and opened again at start. Every change restarts the live
// view's stepping from the first item.

#include "surface/editing/EditingContext.h"

namespace velmora {

// Start-up: the setlist and the footswitch bindings config.ini keeps. A setlist that no
// longer reads is said in an error and the pane starts empty.
void RestoreSetlist(EditingContext& context);

// Before the pane's setlist is dropped: edits not saved are asked about. Save saves them (a
// save dialog cancelled counts as Cancel), Cancel throws PlayerCancelled and nothing changes.
void KeepSetlistEdits(EditingContext& context);

// Both ask about edits not saved first. A dialog cancelled changes nothing. New keeps
// config.ini's setlist: the one remembered is the last that was on disk.
void SetlistNew(EditingContext& context);
void SetlistOpen(EditingContext& context);
// To the setlist's own file; one never saved asks for its file as Save as does. ".vsl" is
// added to a name without an extension; the write is atomic.
void SetlistSave(EditingContext& context);
void SetlistSaveAs(EditingContext& context);
// Insert: the library's selected preset goes after the pane's selected item.
void SetlistInsertSelected(EditingContext& context);
// The stored preset the pane's box names ("USER 3B").
void SetlistAddStored(EditingContext& context);
void SetlistRemove(EditingContext& context);
void SetlistMoveUp(EditingContext& context);
void SetlistMoveDown(EditingContext& context);

// The next message received on any input port binds next, or previous.
void LearnFootswitchNext(EditingContext& context);
void LearnFootswitchPrevious(EditingContext& context);

// The pane's rows, file name and footswitch line from the stage; the refresh before each
// render keeps the texts in the language shown.
void ShowSetlist(FormModel& form);
void ShowSetlistFile(FormModel& form);
void ShowFootswitch(FormModel& form);
void RefreshSetlistPane(FormModel& form);

}  // namespace velmora
