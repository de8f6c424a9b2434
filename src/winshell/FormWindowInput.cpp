#include <string>

#include <windowsx.h>

#include "winshell/FormWindow.h"
#include "winshell/Utf16.h"

// The controls' notifications to a form's window (drop-down lists, check lists, tables, the
// wheel) and the popup menus its labels open.

namespace velmora {

void FormWindow::OnComboBox(const Control& box, const Binding& binding, WORD code) {
  // Only the player's picks: a selection set from code sends no CBN_SELCHANGE. While the
  // list is open, the arrow keys move the selection item by item; the pick is the item
  // chosen when it closes.
  const bool dropped = SendMessageW(box.hwnd, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
  if (code == CBN_SELCHANGE && dropped) {
    pendingPick_ = box.id;
    return;
  }
  const bool picked = code == CBN_SELCHANGE || (code == CBN_CLOSEUP && pendingPick_ == box.id);
  if (code == CBN_SELCHANGE || code == CBN_CLOSEUP) {
    pendingPick_ = 0;
  }
  if (!picked || !binding.Runs()) {
    return;
  }
  dispatch_.Run(binding, static_cast<int>(SendMessageW(box.hwnd, CB_GETCURSEL, 0, 0)));
}

void FormWindow::OnTableCell(NMLVDISPINFOW& cell) {
  const Control* control = controls_.OfId(static_cast<int>(cell.hdr.idFrom));
  const Binding* binding = control != nullptr ? FindBinding(form_, control->entry->name) : nullptr;
  const ModelField field = binding != nullptr ? BoundField(*binding, model_) : ModelField{};
  TableList* const* table = std::get_if<TableList*>(&field);
  if (table == nullptr || (cell.item.mask & LVIF_TEXT) == 0 || cell.item.iItem < 0 ||
      static_cast<std::size_t>(cell.item.iItem) >= (*table)->rowCount) {
    return;
  }
  const std::wstring text =
      ToUtf16((*table)->cell(model_, static_cast<std::size_t>(cell.item.iItem),
                             static_cast<std::size_t>(cell.item.iSubItem)));
  lstrcpynW(cell.item.pszText, text.c_str(), cell.item.cchTextMax);
}

void FormWindow::OnTableDoubleClick(const NMHDR& header) {
  const Control* control = controls_.OfId(static_cast<int>(header.idFrom));
  if (control == nullptr || control->entry->kind != ControlKind::Table) {
    return;
  }
  for (const Shortcut& shortcut : form_.shortcuts) {
    if (shortcut.keys == "Return") {
      PressShortcut(shortcut);
    }
  }
}

void FormWindow::OnListCheck(const NMLISTVIEW& change) {
  const Control* table = controls_.OfId(static_cast<int>(change.hdr.idFrom));
  if (table != nullptr && table->entry->kind == ControlKind::Table) {
    const bool selected = (change.uChanged & LVIF_STATE) != 0 &&
                          (change.uNewState & LVIS_SELECTED) != 0 &&
                          (change.uOldState & LVIS_SELECTED) == 0;
    const Binding* binding = FindBinding(form_, table->entry->name);
    if (!rendering_ && selected && change.iItem >= 0 && binding != nullptr) {
      dispatch_.Run(*binding, change.iItem);
    }
    return;
  }
  const bool checkChanged = (change.uChanged & LVIF_STATE) != 0 &&
                            ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0 &&
                            (change.uOldState & LVIS_STATEIMAGEMASK) != 0;
  const Control* control = controls_.OfId(static_cast<int>(change.hdr.idFrom));
  if (rendering_ || !checkChanged || control == nullptr || change.iItem < 0) {
    return;
  }
  if (const Binding* binding = FindBinding(form_, control->entry->name)) {
    const bool checked = ListView_GetCheckState(change.hdr.hwndFrom, change.iItem) != FALSE;
    dispatch_.Run(*binding, change.iItem, checked);
  }
}

void FormWindow::OnWheel(WPARAM wParam, LPARAM lParam) {
  // The wheel reaches the window with the focus; a knob turns when it is under the mouse.
  const POINT where{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const Control* control = controls_.OfWindow(WindowFromPoint(where));
  if (control != nullptr && control->entry->kind == ControlKind::Knob) {
    SendMessageW(control->hwnd, WM_MOUSEWHEEL, wParam, lParam);
  }
}

POINT FormWindow::PopupPlace(const Control& label, WORD code) {
  POINT where;
  if (code == kKeyClicked) {
    // Below the label: a key has no pointer.
    RECT place;
    GetWindowRect(label.hwnd, &place);
    where = {place.left, place.bottom};
  } else {
    GetCursorPos(&where);
  }
  return where;
}

void FormWindow::OpenPopup(std::string_view popup, POINT where) {
  const auto menu = popups_.find(popup);
  const Binding* binding = FindBinding(form_, popup);
  if (menu == popups_.end() || binding == nullptr) {
    return;
  }
  const int chosen =
      static_cast<int>(TrackPopupMenu(menu->second, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                      where.x, where.y, 0, hwnd_, nullptr));
  if (chosen > 0) {
    dispatch_.Run(*binding, chosen - 1);
  }
}

}  // namespace velmora
