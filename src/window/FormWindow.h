#pragma once

// The window of any form but the main one: built from the form's rows, wired to its
// bindings, rendered from the model, shown modally or not as the form says. A form that
// needs nothing native (no custom painting) needs no window class of its own. A resizable
// one opens where the player left it, when that is on a screen, and its controls follow its
// size; one with work while shown does it on a timer that runs only then.

#include <filesystem>

#include <QDialog>
#include <QTimer>

#include "surface/form/Form.h"
#include "surface/shell/FormDispatch.h"
#include "window/ControlSet.h"

namespace velmora {

class FormWindow : public QDialog {
  Q_OBJECT

 public:
  FormWindow(QWidget* owner, const Form& form, FormModel& model, FormDispatch& dispatch);
  ~FormWindow() override;

  // Shows the window with the model's texts, centred or where the player left it; a modal
  // form returns once it is closed, a modeless one already shown comes to the front.
  void Open();
  // Hides the window; a modal form's Open returns.
  void Close() { accept(); }
  // Brings the window in line with the model while it is shown.
  void Render();

  const ControlSet& Controls() const { return widgets_; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // The kept place when it is on a screen; else the middle of the primary screen.
  void Place();
  void KeepPlace() const;

  const Form& form_;
  FormModel& model_;
  FormDispatch& dispatch_;
  ControlSet widgets_;
  // Kept by value: the main window's close deletes the editing context before this window.
  std::filesystem::path configFile_;
  QTimer whileShown_;
  // Up and Down typed into the search box go to this list.
  QWidget* searchedList_ = nullptr;
};

}  // namespace velmora
