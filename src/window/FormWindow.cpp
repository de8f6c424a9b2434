#include "window/FormWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include "window/FormRender.h"
#include "window/FormWiring.h"

namespace velmora {

FormWindow::FormWindow(QWidget* owner, const Form& form, FormModel& model, FormDispatch& dispatch)
    : QDialog(owner,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      form_(form),
      model_(model),
      dispatch_(dispatch) {
  widgets_.Build(*this, form);
  setModal(form.modal);
  WireForm(form, widgets_, *this, dispatch);
}

void FormWindow::Open() {
  if (!form_.modal && isVisible()) {
    // Shown already: to the front where the player left it.
    raise();
    activateWindow();
    return;
  }
  RenderForm(form_, model_, widgets_, *this);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  if (QWidget* first = widgets_.Find(form_.focus)) {
    first->setFocus();
  }
  if (form_.modal) {
    exec();
  } else {
    show();
    raise();
    activateWindow();
  }
}

bool FormWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && form_.activated != nullptr) {
    dispatch_.Run(form_.activated);
  }
  return QDialog::event(event);
}

void FormWindow::Render() {
  if (isVisible()) {
    RenderForm(form_, model_, widgets_, *this);
  }
}

}  // namespace velmora
