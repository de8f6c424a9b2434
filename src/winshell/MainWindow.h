#pragma once

// TForm1: the main window. It holds no editing logic: it builds its controls from the
// control table, forwards each gesture to the core's handler inside the one error guard,
// and renders the form model afterwards.

#include <chrono>

#include <windows.h>

#include <commctrl.h>

#include "profile/ProgramFolder.h"
#include "surface/editing/EditingContext.h"
#include "surface/form/FormModel.h"
#include "surface/shell/HandlerGate.h"
#include "surface/shell/MonitorHub.h"
#include "winshell/AboutWindow.h"
#include "winshell/FormWindow.h"
#include "winshell/Win32FormView.h"

namespace velmora {

class MainWindow : public FormWindow {
 public:
  explicit MainWindow(ProgramFolders folders, std::chrono::milliseconds stepDelay = kStepDelay);
  ~MainWindow() override;

  // The window and its controls, then the creation sequence: port lists, monitor binding,
  // missing files created.
  void Create();
  // Shows the window in the middle of the screen and runs its show sequence; the first
  // activation follows once the window is on screen.
  void Show();
  // The end of the program's life: the monitor lets go of the input notifications.
  void Destroy();

  // Ctrl+M, when the message is for this window: true when it was taken.
  bool TakeShortcut(MSG& message);

 protected:
  LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Render();
  void OnCommand(int id, WORD code);
  void OnComboBox(const Control& box, WORD code);
  void OnListCheck(const NMLISTVIEW& change);
  void OnWheel(WPARAM wParam, LPARAM lParam);
  void OpenKnobMenu();
  void ToggleMonitor();
  void RunFirstActivation();
  bool Close();

  FormModel form_;
  AboutWindow about_;
  Win32FormView view_;
  EditingContext context_;
  MonitorHub hub_;
  HandlerGate gate_;
  HMENU knobMenu_ = nullptr;
  HACCEL shortcuts_ = nullptr;
  // The drop-down list whose open list the player moved through: picked when it closes.
  int pendingPick_ = 0;
  bool rendering_ = false;
  bool monitorShown_ = false;
};

}  // namespace velmora
