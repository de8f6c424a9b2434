#include "surface/form/Shortcuts.h"

namespace velmora {

namespace {

// The one shortcut without a button: Ctrl+M, the monitor.
constexpr std::string_view kMonitorName = "Monitor";

}  // namespace

std::string ShortcutList(const Form& form, FormModel& model) {
  std::string list;
  for (const Shortcut& shortcut : form.shortcuts) {
    list += std::string(shortcut.keys) + "   " +
            (shortcut.control.empty() ? std::string(kMonitorName)
                                      : CaptionField(form, model, shortcut.control)) +
            "\n";
  }
  if (!list.empty()) {
    list.pop_back();
  }
  return list;
}

}  // namespace velmora
