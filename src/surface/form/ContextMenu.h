#pragma once

// A right-click menu as data: the control it belongs to and its entries, each a caption of
// the form's language tables beside the keys of one of the form's shortcuts, which picking
// it presses. A shell draws it from these rows alone, so an entry is one line here.

#include <span>
#include <string>
#include <string_view>

namespace velmora {

struct Form;
struct FormModel;
struct Shortcut;

struct ContextMenuEntry {
  // The caption's name in the form's captions, e.g. "mnuBibliotheque".
  std::string_view caption;
  // The form's shortcut it presses, shown beside the caption: "Ctrl+L".
  std::string_view keys;
};

struct ContextMenu {
  std::string_view control;
  std::span<const ContextMenuEntry> entries;
};

// The menu a right-click on the control opens: its own, or the nearest parent's; null for
// none.
const ContextMenu* FindContextMenu(const Form& form, std::string_view control);
// The form's context-menu entry of that caption name, or null.
const ContextMenuEntry* FindContextMenuEntry(const Form& form, std::string_view caption);
// "Bibliothèque de presets\tCtrl+L": the caption in the language chosen, a tab, the keys.
std::string ContextMenuText(const Form& form, const FormModel& model,
                            const ContextMenuEntry& entry);
// The form's shortcut of exactly those keys, or null.
const Shortcut* FindShortcut(const Form& form, std::string_view keys);

}  // namespace velmora
