#pragma once

// TForm1: the main window. It holds no editing logic: its form wires every control to the
// core's handlers inside the one error guard; what it adds is the window's life (creation,
// first show, closing), the MIDI notifications, and the other forms' windows it owns.

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include <QWidget>

#include "profile/ProgramFolder.h"
#include "surface/editing/EditingContext.h"
#include "surface/form/FormModel.h"
#include "surface/shell/FormDispatch.h"
#include "surface/shell/HandlerGate.h"
#include "surface/shell/MonitorHub.h"
#include "window/ControlSet.h"
#include "window/FormWindow.h"
#include "window/InputDrop.h"
#include "window/QtFormView.h"

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
  // Loads file as Open does once the start-up is done and no handler runs (at once when so).
  void OpenAfterStartUp(std::filesystem::path file);
  // Whether the first activation (the default preset load) has run.
  bool StartupDone() const { return startupDone_; }
  // Writes config.ini and defaut.vmp as the close does, and stays open; writes nothing while
  // a handler runs (its state is half-done).
  void SaveNow();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Every window that is shown, after each handler.
  void Render();
  FormWindow& WindowOf(std::string_view form);
  void RunFirstActivation();

  FormModel form_;
  ControlSet widgets_;
  QtFormView view_;
  EditingContext context_;
  MonitorHub hub_;
  // Loads fileToOpen_ as Open does; held back by the gate while a handler runs.
  const HandlerGate::Work openFile_;
  HandlerGate gate_;
  FormDispatch dispatch_;
  InputDrop input_drop_;
  // The other forms' windows, by form id.
  std::map<std::string_view, FormWindow*> others_;
  bool shown_ = false;
  bool startupDone_ = false;
  std::optional<std::filesystem::path> fileToOpen_;
  int exposeWaits_ = 0;
};

}  // namespace velmora
