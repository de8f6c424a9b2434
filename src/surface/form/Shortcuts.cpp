#include "surface/form/Shortcuts.h"

namespace velmora {

std::string ShortcutList(const Form& form, FormModel& model) {
  std::string list;
  for (const Shortcut& shortcut : form.shortcuts) {
    list += std::string(shortcut.keys) + "   " +
            (shortcut.control.empty() ? std::string(shortcut.work)
                                      : CaptionField(form, model, shortcut.control)) +
            "\n";
  }
  if (!list.empty()) {
    list.pop_back();
  }
  return list;
}

}  // namespace velmora
