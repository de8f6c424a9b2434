#include "surface/form/ContextMenu.h"

#include <algorithm>

#include "surface/form/Form.h"

namespace velmora {

const ContextMenu* FindContextMenu(const Form& form, std::string_view control) {
  for (const ControlEntry* row = FindControl(form.rows, control); row != nullptr;
       row = row->parent.empty() ? nullptr : FindControl(form.rows, row->parent)) {
    const auto found = std::ranges::find(form.contextMenus, row->name, &ContextMenu::control);
    if (found != form.contextMenus.end()) {
      return &*found;
    }
  }
  return nullptr;
}

const ContextMenuEntry* FindContextMenuEntry(const Form& form, std::string_view caption) {
  for (const ContextMenu& menu : form.contextMenus) {
    const auto found = std::ranges::find(menu.entries, caption, &ContextMenuEntry::caption);
    if (found != menu.entries.end()) {
      return &*found;
    }
  }
  return nullptr;
}

std::string ContextMenuText(const Form& form, const FormModel& model,
                            const ContextMenuEntry& entry) {
  std::string text;
  if (const auto chosen = model.menuCaptions.find(entry.caption);
      chosen != model.menuCaptions.end()) {
    text = chosen->second;
  } else {
    // Before any language is applied: the design's, French.
    const auto design = std::ranges::find(form.captions, entry.caption, &Caption::control);
    text = design != form.captions.end() ? design->french : entry.caption;
  }
  return text + '\t' + std::string(entry.keys);
}

const Shortcut* FindShortcut(const Form& form, std::string_view keys) {
  const auto found = std::ranges::find(form.shortcuts, keys, &Shortcut::keys);
  return found != form.shortcuts.end() ? &*found : nullptr;
}

}  // namespace velmora
