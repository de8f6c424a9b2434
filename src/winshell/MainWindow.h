#pragma once

// TForm1: the main window. It holds no editing logic: its form wires every control to the
// core's handlers inside the one error guard; what it adds is the window's life (creation,
// first show, closing), the MIDI notifications, and the other forms' windows it owns.

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include <windows.h>

#include "profile/ProgramFolder.h"
#include "surface/editing/EditingContext.h"
#include "surface/form/FormModel.h"
#include "surface/shell/FormDispatch.h"
#include "surface/shell/HandlerGate.h"
#include "surface/shell/MonitorHub.h"
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

  // Loads file as Open does once the start-up is done and no handler runs (at once when so).
  void OpenAfterStartUp(std::filesystem::path file);

  // The shortcuts and dialog keys of this window and of the modeless ones beside it: true
  // when the message was taken.
  bool TakeKeys(MSG& message);
  // Those that count even when they came during a load: true when taken.
  bool TakeKeysWhileBusy(MSG& message);

 protected:
  LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Every window that is shown, after each handler.
  void RenderAll();
  FormWindow& WindowOf(std::string_view form);
  void RunFirstActivation();
  // byPlayer: the close box or Alt+F4, which ask about setlist edits not saved.
  bool Close(bool byPlayer);
  // The session's end: closes without a question; a running handler refuses it, so it is
  // asked again.
  void CloseWhenIdle();
  // Brings the window to the front, out of the task bar when minimised.
  void Raise();

  FormModel formModel_;
  Win32FormView view_;
  EditingContext context_;
  MonitorHub hub_;
  // Loads fileToOpen_ as Open does; held back by the gate while a handler runs.
  const HandlerGate::Work openFile_;
  HandlerGate gate_;
  FormDispatch formDispatch_;
  // The other forms' windows, by form id.
  std::map<std::string_view, std::unique_ptr<FormWindow>> others_;
  bool startupDone_ = false;
  std::optional<std::filesystem::path> fileToOpen_;
};

}  // namespace velmora
