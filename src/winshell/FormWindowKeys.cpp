#include "winshell/FormWindow.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

// A form's keys: its shortcuts as accelerator tables, the dialog keys, and the tab order.

namespace velmora {

namespace {

// "Ctrl+N", "F5", "Alt+Up" or "Return" as an accelerator.
ACCEL Accelerator(std::string_view keys, WORD command) {
  constexpr std::string_view kCtrl = "Ctrl+";
  constexpr std::string_view kAlt = "Alt+";
  constexpr std::pair<std::string_view, WORD> kNamedKeys[] = {
      {"Return", VK_RETURN}, {"Delete", VK_DELETE}, {"Escape", VK_ESCAPE}, {"Space", VK_SPACE},
      {"PgDown", VK_NEXT},   {"PgUp", VK_PRIOR},    {"Right", VK_RIGHT},   {"Left", VK_LEFT},
      {"Up", VK_UP},         {"Down", VK_DOWN},     {"Home", VK_HOME},     {"Ins", VK_INSERT}};
  ACCEL accelerator{FVIRTKEY, 0, command};
  if (keys.starts_with(kCtrl)) {
    accelerator.fVirt |= FCONTROL;
    keys.remove_prefix(kCtrl.size());
  }
  if (keys.starts_with(kAlt)) {
    accelerator.fVirt |= FALT;
    keys.remove_prefix(kAlt.size());
  }
  const auto named = std::ranges::find(kNamedKeys, keys, &std::pair<std::string_view, WORD>::first);
  accelerator.key = named != std::end(kNamedKeys) ? named->second
                    : keys.size() > 1 && keys.front() == 'F'
                        ? static_cast<WORD>(VK_F1 - 1 + std::stoi(std::string(keys.substr(1))))
                        : static_cast<WORD>(keys.front());
  return accelerator;
}

// Delete in a text box deletes text there: the form's Delete is for elsewhere.
bool TextBoxKeepsKey(const MSG& message) {
  wchar_t type[16]{};
  return message.message == WM_KEYDOWN && message.wParam == VK_DELETE &&
         GetClassNameW(message.hwnd, type, 16) > 0 && lstrcmpiW(type, WC_EDITW) == 0;
}

}  // namespace

void FormWindow::BuildShortcuts() {
  std::vector<ACCEL> keys;
  std::vector<ACCEL> keysWhileBusy;
  for (std::size_t i = 0; i < form_.shortcuts.size(); ++i) {
    keys.push_back(Accelerator(form_.shortcuts[i].keys, static_cast<WORD>(kFirstShortcut + i)));
    if (form_.shortcuts[i].whenIdle != nullptr) {
      keysWhileBusy.push_back(keys.back());
    }
  }
  if (!keys.empty()) {
    shortcuts_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
  }
  if (!keysWhileBusy.empty()) {
    shortcutsWhileBusy_ =
        CreateAcceleratorTableW(keysWhileBusy.data(), static_cast<int>(keysWhileBusy.size()));
  }
}

bool FormWindow::TakeShortcut(MSG& message) {
  return shortcuts_ != nullptr && message.hwnd != nullptr &&
         GetAncestor(message.hwnd, GA_ROOT) == hwnd_ && !TextBoxKeepsKey(message) &&
         TranslateAcceleratorW(hwnd_, shortcuts_, &message) != 0;
}

bool FormWindow::TakeShortcutWhileBusy(MSG& message) {
  return shortcutsWhileBusy_ != nullptr && message.hwnd != nullptr &&
         GetAncestor(message.hwnd, GA_ROOT) == hwnd_ &&
         TranslateAcceleratorW(hwnd_, shortcutsWhileBusy_, &message) != 0;
}

bool FormWindow::TakeDialogKey(MSG& message) {
  // Up and Down in the search box move the list's selection; the box keeps the focus.
  if (message.message == WM_KEYDOWN && (message.wParam == VK_UP || message.wParam == VK_DOWN) &&
      message.hwnd != nullptr && message.hwnd == controls_.Window(form_.searchBox)) {
    for (const auto& control : controls_.All()) {
      if (control->entry->kind == ControlKind::Table) {
        SendMessageW(control->hwnd, WM_KEYDOWN, message.wParam, message.lParam);
        return true;
      }
    }
  }
  return IsDialogMessageW(hwnd_, &message) != FALSE;
}

void FormWindow::FollowTabOrder() {
  // Tab walks each parent's children in their z-order, going into the panels: the controls
  // of the tab order, and the panels that hold them, go last among their siblings one after
  // another, so each parent's children come in the form's order.
  std::vector<HWND> placed;
  for (std::string_view name : form_.tabOrder) {
    std::vector<HWND> chain;
    for (HWND hwnd = controls_.Window(name); hwnd != nullptr && hwnd != hwnd_;
         hwnd = GetParent(hwnd)) {
      chain.insert(chain.begin(), hwnd);
    }
    for (HWND hwnd : chain) {
      if (std::find(placed.begin(), placed.end(), hwnd) == placed.end()) {
        SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        placed.push_back(hwnd);
      }
    }
  }
}

void FormWindow::PressShortcut(const Shortcut& shortcut) {
  if (shortcut.control.empty()) {
    dispatch_.Run(shortcut);
    return;
  }
  const Control* button = controls_.Find(shortcut.control);
  if (button != nullptr && button->entry->kind == ControlKind::Edit) {
    SetFocus(button->hwnd);
    SendMessageW(button->hwnd, EM_SETSEL, 0, -1);
    return;
  }
  // What a click on the button does, and nothing while it takes no clicks.
  if (button != nullptr && ControlSet::Enabled(button->hwnd) && IsWindowVisible(button->hwnd)) {
    OnCommand(button->id, kControlClicked);
  }
}

}  // namespace velmora
