#include "surface/form/Shortcuts.h"

#include "surface/form/ControlTable.h"

namespace velmora {

namespace {

constexpr std::string_view kMonitorName = "Monitor";

}  // namespace

std::string ShortcutList(FormModel& form) {
  std::string list;
  for (const Shortcut& shortcut : kShortcuts) {
    const GradientButton* button =
        shortcut.control.empty() ? nullptr : BoundButton(form, shortcut.control);
    list += std::string(shortcut.keys) + "   " +
            (button != nullptr ? button->caption : std::string(kMonitorName)) + "\n";
  }
  list.pop_back();
  return list;
}

}  // namespace velmora
