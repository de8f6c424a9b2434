#pragma once

// The window of any form but the main one: built from the form's rows, wired to its
// bindings, rendered from the model, shown modally or not as the form says. A form that
// needs nothing native (no custom painting) needs no window class of its own.

#include <QDialog>

#include "surface/form/Form.h"
#include "surface/shell/FormDispatch.h"
#include "window/ControlSet.h"

namespace velmora {

class FormWindow : public QDialog {
  Q_OBJECT

 public:
  FormWindow(QWidget* owner, const Form& form, FormModel& model, FormDispatch& dispatch);

  // Shows the window centred on the screen with the model's texts; a modal form returns
  // once it is closed, a modeless one already shown comes to the front.
  void Open();
  // Hides the window; a modal form's Open returns.
  void Close() { accept(); }
  // Brings the window in line with the model while it is shown.
  void Render();

  const ControlSet& Controls() const { return widgets_; }

 protected:
  bool event(QEvent* event) override;

 private:
  const Form& form_;
  FormModel& model_;
  FormDispatch& dispatch_;
  ControlSet widgets_;
};

}  // namespace velmora
