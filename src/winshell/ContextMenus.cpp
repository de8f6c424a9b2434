#include "winshell/ContextMenus.h"

#include <windowsx.h>

#include "winshell/Utf16.h"

namespace velmora {

const Shortcut* PickFromContextMenu(const Form& form, const FormModel& model,
                                    const ControlSet& controls, HWND window, HWND clicked,
                                    LPARAM where) {
  const Control* control = controls.OfWindow(clicked);
  const ContextMenu* rows =
      control != nullptr ? FindContextMenu(form, control->entry->name) : nullptr;
  if (rows == nullptr) {
    return nullptr;
  }
  POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (where == -1) {
    RECT place;
    GetWindowRect(clicked, &place);
    at = {place.left, place.bottom};
  }
  HMENU menu = CreatePopupMenu();
  for (std::size_t i = 0; i < rows->entries.size(); ++i) {
    AppendMenuW(menu, MF_STRING, i + 1,
                ToUtf16(ContextMenuText(form, model, rows->entries[i])).c_str());
  }
  const auto chosen = static_cast<std::size_t>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window, nullptr));
  DestroyMenu(menu);
  return chosen > 0 ? FindShortcut(form, rows->entries[chosen - 1].keys) : nullptr;
}

}  // namespace velmora
