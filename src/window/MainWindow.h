#pragma once

// TForm1: the main window. It holds no editing logic: it builds its widgets from the
// control table, forwards each gesture to the core's handler inside the one error guard,
// and renders the form model afterwards.

#include <chrono>
#include <memory>

#include <QWidget>

#include "profile/ProgramFolder.h"
#include "surface/editing/EditingContext.h"
#include "surface/form/FormModel.h"
#include "surface/shell/HandlerGate.h"
#include "surface/shell/MonitorHub.h"
#include "window/AboutWindow.h"
#include "window/ControlSet.h"
#include "window/InputDrop.h"
#include "window/QtFormView.h"

class QMenu;

namespace velmora {

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(ProgramFolders folders, std::chrono::milliseconds stepDelay = kStepDelay);
  ~MainWindow() override;

  // The creation sequence: port lists, monitor binding, missing files created; from then on
  // the port lists follow the system.
  void Create();
  // The end of the program's life: no more port changes, and the monitor lets go of the
  // input notifications.
  void Destroy();

  FormModel& Form() { return form_; }
  // Ctrl+M: the monitor appears below the editor, the window growing to hold it.
  void ToggleMonitor();
  // Whether the first activation (the default preset load) has run.
  bool StartupDone() const { return startupDone_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Render();
  void Connect();
  void ConnectKnobs();
  void ConnectMonitor();
  void OpenKnobMenu();
  void RunFirstActivation();

  FormModel form_;
  ControlSet widgets_;
  AboutWindow about_;
  QtFormView view_;
  EditingContext context_;
  MonitorHub hub_;
  HandlerGate gate_;
  InputDrop input_drop_;
  QMenu* knobMenu_ = nullptr;
  bool monitorShown_ = false;
  bool shown_ = false;
  bool startupDone_ = false;
  int exposeWaits_ = 0;
};

}  // namespace velmora
