#pragma once

// The window of a form: its class, its creation at the rows' size, its backdrop, its
// controls, and the hand-over of every gesture to the form's bindings. The main window
// adds its life to it; any other form is a FormWindow as it stands, owned by the main
// window, shown modally or not as the form says.

#include <filesystem>
#include <string_view>
#include <unordered_map>

#include <windows.h>

#include <commctrl.h>

#include "surface/form/Form.h"
#include "surface/shell/FormDispatch.h"
#include "winshell/ControlSet.h"

namespace velmora {

// WM_DPICHANGED, which older headers lack.
inline constexpr UINT kDpiChanged = 0x02E0;

class FormWindow {
 public:
  FormWindow(const Form& form, FormModel& model, FormDispatch& dispatch);
  virtual ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // Creates the window at the rows' client size, then its controls: a main window without
  // an owner, a tool window over its owner otherwise. It stays hidden.
  void Create(HWND owner);
  // Shows the window centred with the model's texts; a modal form keeps the owner from
  // input and returns once it is closed, a modeless one already shown comes to the front.
  void Open();
  void Close();
  // Brings every control in line with the model, when the window is shown.
  void Render();

  // The form's shortcuts, when the message is for this window: true when it was taken.
  bool TakeShortcut(MSG& message);
  // The same for the shortcuts that only ask (see Shortcut::whenIdle), the keys of which
  // count even when they came during a load.
  bool TakeShortcutWhileBusy(MSG& message);
  // Tab, Shift+Tab and the keys the controls leave to the window: true when taken.
  bool TakeDialogKey(MSG& message);

  HWND Window() const { return hwnd_; }
  const ControlSet& Controls() const { return controls_; }

 protected:
  // Puts the window in the middle of the screen's work area.
  void Centre();
  // Messages the window itself does not paint; the default handling when not overridden.
  virtual LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam);

  const Form& form_;
  FormModel& model_;
  FormDispatch& dispatch_;
  ControlSet controls_;

 private:
  // The shortcuts' commands; far from the controls' ids.
  static constexpr WORD kFirstShortcut = 100;

  static LRESULT CALLBACK Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void OnCommand(int id, WORD code);
  void OnComboBox(const Control& box, const Binding& binding, WORD code);
  void OnListCheck(const NMLISTVIEW& change);
  // A table's owner-data cells, and its double-click, which presses what Enter presses.
  void OnTableCell(NMLVDISPINFOW& cell);
  void OnTableDoubleClick(const NMHDR& header);
  void OnWheel(WPARAM wParam, LPARAM lParam);
  // The shortcuts' accelerator tables, and the tab order.
  void BuildShortcuts();
  void FollowTabOrder();
  void PressShortcut(const Shortcut& shortcut);
  // At the mouse for a click, below the label for a key.
  static POINT PopupPlace(const Control& label, WORD code);
  void OpenPopup(std::string_view popup, POINT where);
  void RunModal();

  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;
  bool ready_ = false;
  bool rendering_ = false;
  bool open_ = false;
  // The drop-down list whose open list the player moved through: picked when it closes.
  int pendingPick_ = 0;
  std::unordered_map<std::string_view, HMENU> popups_;
  HACCEL shortcuts_ = nullptr;
  HACCEL shortcutsWhileBusy_ = nullptr;
  // Kept by value: the main window's close ends the editing context before this window.
  std::filesystem::path configFile_;
};

}  // namespace velmora
