#include "winshell/FormRender.h"

#include <algorithm>
#include <string>
#include <vector>

#include <commctrl.h>

#include "surface/forms/MainForm.h"
#include "winshell/AccessibleRoles.h"
#include "winshell/Utf16.h"

namespace velmora {

namespace {

std::wstring TextOf(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void SetText(HWND hwnd, const std::string& text) {
  const std::wstring wide = ToUtf16(text);
  if (TextOf(hwnd) != wide) {
    SetWindowTextW(hwnd, wide.c_str());
  }
}

void SetShown(HWND hwnd, bool shown) {
  if ((IsWindowVisible(hwnd) != FALSE) != shown) {
    ShowWindow(hwnd, shown ? SW_SHOWNA : SW_HIDE);
  }
}

// A changed enabled state redraws what sits on the control, which dims with it.
void SetEnabled(HWND hwnd, bool enabled) {
  if ((IsWindowEnabled(hwnd) != FALSE) != enabled) {
    EnableWindow(hwnd, enabled);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

void RenderComboBox(HWND box, const ComboBox& model) {
  const int count = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
  bool same = count == static_cast<int>(model.items.size());
  for (int i = 0; same && i < count; ++i) {
    const int length = static_cast<int>(SendMessageW(box, CB_GETLBTEXTLEN, i, 0));
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    same = item == ToUtf16(model.items[static_cast<std::size_t>(i)]);
  }
  if (!same) {
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : model.items) {
      SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToUtf16(item).c_str()));
    }
  }
  if (SendMessageW(box, CB_GETCURSEL, 0, 0) != model.itemIndex) {
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(model.itemIndex), 0);
  }
  SetEnabled(box, model.enabled);
}

void RenderCheckList(HWND list, const CheckListBox& model) {
  const int count = static_cast<int>(model.items.size());
  if (ListView_GetItemCount(list) != count) {
    ListView_DeleteAllItems(list);
    for (int i = 0; i < count; ++i) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      std::wstring name = ToUtf16(model.items[static_cast<std::size_t>(i)]);
      item.pszText = name.data();
      SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
  }
  for (int i = 0; i < count; ++i) {
    std::wstring name = ToUtf16(model.items[static_cast<std::size_t>(i)]);
    std::wstring shown(name.size() + 2, L'\0');
    LVITEMW item{};
    item.pszText = shown.data();
    item.cchTextMax = static_cast<int>(shown.size());
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    if (std::wstring(shown.c_str()) != name) {
      item.pszText = name.data();
      SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    if ((ListView_GetCheckState(list, i) != FALSE) != model.Checked(i)) {
      ListView_SetCheckState(list, i, model.Checked(i));
    }
  }
}

void RenderLog(HWND memo, const LogMemo& log) {
  std::string text;
  const std::size_t shown = std::min<std::size_t>(log.Lines().size(), kShownLogLines);
  for (std::size_t i = 0; i < shown; ++i) {
    if (i > 0) {
      text += "\r\n";
    }
    text += log.Lines()[i];
  }
  SetText(memo, text);
}

// The columns share the width, the first (the name) twice as wide as each other; the rows
// are only counted: the list asks for the cells it paints (LVN_GETDISPINFO).
void RenderTable(const ControlSet& controls, Control& table, const TableList& model) {
  HWND list = table.hwnd;
  if (table.tableHeader != model.header) {
    table.tableHeader = model.header;
    while (ListView_DeleteColumn(list, 0) != FALSE) {
    }
    std::vector<std::wstring> captions;
    for (std::size_t start = 0; start <= model.header.size();) {
      const std::size_t end = std::min(model.header.find('\t', start), model.header.size());
      captions.push_back(ToUtf16(model.header.substr(start, end - start)));
      start = end + 1;
    }
    const int share = (controls.Scale(table.entry->geometry.width) -
                       GetSystemMetrics(SM_CXVSCROLL) - controls.Scale(4)) /
                      static_cast<int>(captions.size() + 1);
    for (std::size_t i = 0; i < captions.size(); ++i) {
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx = i == 0 ? 2 * share : share;
      column.pszText = captions[i].data();
      SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
  }
  if (table.tableGeneration != model.generation) {
    table.tableGeneration = model.generation;
    ListView_SetItemCountEx(list, static_cast<int>(model.rowCount), 0);
  }
  if (ListView_GetNextItem(list, -1, LVNI_SELECTED) != model.itemIndex) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (model.itemIndex >= 0) {
      ListView_SetItemState(list, model.itemIndex, LVIS_SELECTED | LVIS_FOCUSED,
                            LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(list, model.itemIndex, FALSE);
    }
  }
}

void RenderButton(Control& button, const GradientButton& model) {
  SetText(button.hwnd, model.caption);
  if (button.scheme != model.look) {
    button.scheme = model.look;
    InvalidateRect(button.hwnd, nullptr, FALSE);
  }
  SetEnabled(button.hwnd, model.enabled);
}

void RenderWindowSize(const ControlSet& controls, int width, int height) {
  HWND window = controls.Form().hwnd;
  RECT client;
  GetClientRect(window, &client);
  const int wantedWidth = controls.Scale(width);
  const int wantedHeight = controls.Scale(height);
  if (client.right == wantedWidth && client.bottom == wantedHeight) {
    return;
  }
  RECT outer{0, 0, wantedWidth, wantedHeight};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void ShowProgress(HWND bar, int position) {
  if (SendMessageW(bar, PBM_GETPOS, 0, 0) == position) {
    return;
  }
  // A themed bar animates only forwards: stepping past the position and back shows it now.
  if (position < ProgressBar::kMax) {
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position + 1), 0);
  } else {
    SendMessageW(bar, PBM_SETRANGE32, ProgressBar::kMin, ProgressBar::kMax + 1);
    SendMessageW(bar, PBM_SETPOS, ProgressBar::kMax + 1, 0);
    SendMessageW(bar, PBM_SETRANGE32, ProgressBar::kMin, ProgressBar::kMax);
  }
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

namespace {

void RenderField(const ControlSet& controls, Control& control, const ModelField& field) {
  HWND hwnd = control.hwnd;
  if (std::string* const* caption = std::get_if<std::string*>(&field)) {
    SetText(hwnd, **caption);
  } else if (GradientButton* const* button = std::get_if<GradientButton*>(&field)) {
    RenderButton(control, **button);
  } else if (ComboBox* const* box = std::get_if<ComboBox*>(&field)) {
    RenderComboBox(hwnd, **box);
  } else if (TableList* const* table = std::get_if<TableList*>(&field)) {
    RenderTable(controls, control, **table);
  } else if (Panel* const* panel = std::get_if<Panel*>(&field)) {
    RECT place;
    GetWindowRect(hwnd, &place);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&place), 2);
    const int left = controls.Scale((*panel)->left);
    if (place.left != left) {
      SetWindowPos(hwnd, nullptr, left, controls.Scale(control.entry->geometry.top), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetEnabled(hwnd, (*panel)->enabled);
    SetShown(hwnd, (*panel)->visible);
  } else if (Picture* const* picture = std::get_if<Picture*>(&field)) {
    SetShown(hwnd, (*picture)->visible);
  } else if (CheckListBox* const* list = std::get_if<CheckListBox*>(&field)) {
    RenderCheckList(hwnd, **list);
  } else if (LogMemo* const* log = std::get_if<LogMemo*>(&field)) {
    RenderLog(hwnd, **log);
  } else if (ProgressBar* const* bar = std::get_if<ProgressBar*>(&field)) {
    ShowProgress(hwnd, (*bar)->Position());
    SetShown(hwnd, (*bar)->visible);
  }
}

constexpr const wchar_t* kFramedStyle = L"VelmoraFramedStyle";
constexpr const wchar_t* kFramedPlace = L"VelmoraFramedPlace";

// A full-screen form loses its frame and covers its monitor, its first panel in the middle;
// back, it gets its frame, its place on the screen and the panel its place again, and
// RenderWindowSize its size. The place is kept as signed 16-bit halves: a monitor left of or
// above the main one has negative coordinates.
bool RenderFullScreen(const Form& form, const FormModel& model, const ControlSet& controls) {
  const bool full = form.fullScreen != nullptr && form.fullScreen(model);
  HWND window = controls.Form().hwnd;
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if (full == ((style & WS_CAPTION) == 0)) {
    return full;
  }
  const ControlEntry* first = form.rows.size() > 1 ? &form.rows[1] : nullptr;
  HWND panel = first != nullptr ? controls.Window(first->name) : nullptr;
  if (full) {
    SetPropW(window, kFramedStyle, reinterpret_cast<HANDLE>(style));
    RECT framed;
    GetWindowRect(window, &framed);
    SetPropW(window, kFramedPlace,
             reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(MAKELONG(framed.left, framed.top))));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcMonitor;
    SetWindowLongPtrW(window, GWL_STYLE, (style & ~(WS_CAPTION | WS_SYSMENU)) | WS_POPUP);
    SetWindowPos(window, HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_FRAMECHANGED);
    if (panel != nullptr) {
      const int width = controls.Scale(first->geometry.width);
      const int height = controls.Scale(first->geometry.height);
      MoveWindow(panel, (area.right - area.left - width) / 2, (area.bottom - area.top - height) / 2,
                 width, height, TRUE);
    }
  } else {
    SetWindowLongPtrW(window, GWL_STYLE,
                      reinterpret_cast<LONG_PTR>(RemovePropW(window, kFramedStyle)));
    const auto place =
        static_cast<DWORD>(reinterpret_cast<LONG_PTR>(RemovePropW(window, kFramedPlace)));
    SetWindowPos(window, nullptr, static_cast<short>(LOWORD(place)),
                 static_cast<short>(HIWORD(place)), 0, 0,
                 SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOZORDER);
    if (panel != nullptr) {
      MoveWindow(panel, controls.Scale(first->geometry.left), controls.Scale(first->geometry.top),
                 controls.Scale(first->geometry.width), controls.Scale(first->geometry.height),
                 TRUE);
    }
  }
  return full;
}

}  // namespace

void RenderForm(const Form& form, FormModel& model, const ControlSet& controls) {
  if (form.refresh != nullptr) {
    form.refresh(model);
  }
  SetText(controls.Form().hwnd, FormTitle(form, model));
  if (!RenderFullScreen(form, model, controls) && !Resizable(form)) {
    const ClientSize size = FormClientSize(form, model);
    RenderWindowSize(controls, size.width, size.height);
  }
  for (const auto& control : controls.All()) {
    if (control->entry->kind == ControlKind::Knob) {
      // The value a screen reader announces; the knob's picture is painted by the core.
      if (const std::optional<Knob> knob = BoundKnob(control->entry->name)) {
        AnnotateKnobValue(*control, model.ValueHolder(*knob).Position() / 4);
      }
    }
    const Binding* binding = FindBinding(form, control->entry->name);
    if (binding == nullptr) {
      continue;
    }
    RenderField(controls, *control, BoundField(*binding, model));
    if (binding->visibleWhile != nullptr) {
      SetShown(control->hwnd, binding->visibleWhile(model));
    }
  }
}

}  // namespace velmora
