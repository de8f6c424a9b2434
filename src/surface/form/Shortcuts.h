#pragma once

// The keyboard shortcuts of the main window: each presses a button of the button row,
// with the same effect as a click (none while the button is disabled).

#include <array>
#include <string>
#include <string_view>

#include "surface/form/FormModel.h"

namespace velmora {

struct Shortcut {
  std::string_view control;  // the button it presses; empty for the monitor
  std::string_view keys;     // "Ctrl+N", "F5": Qt's portable text, parsed by the Win32 shell too
};

inline constexpr std::array<Shortcut, 7> kShortcuts = {{
    {"bttnNouveau", "Ctrl+N"},
    {"bttnOuvrir", "Ctrl+O"},
    {"bttnEnregistrer", "Ctrl+S"},
    {"bttnSynchro", "F5"},
    {{}, "Ctrl+M"},
    {"bttnAPropos", "F1"},
    {"bttnTraduire", "Ctrl+T"},
}};

// One line per shortcut, "Ctrl+N   Nouveau", named by the buttons' captions of the moment.
std::string ShortcutList(FormModel& form);

}  // namespace velmora
