#include "window/AboutWindow.h"

#include <QGuiApplication>
#include <QScreen>

#include "surface/form/ControlTable.h"
#include "window/ClickLabel.h"
#include "window/FormRender.h"
#include "window/GradientButtonWidget.h"

namespace velmora {

AboutWindow::AboutWindow(QWidget* parent, std::function<void()> linkClicked)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  widgets_.Build(*this, AboutFormControls());
  setModal(true);
  connect(widgets_.As<GradientButtonWidget>("bttnAProposFermer"), &QAbstractButton::clicked, this,
          &QDialog::accept);
  connect(widgets_.As<ClickLabel>("lblSiteLine6"), &ClickLabel::clicked, this,
          [linkClicked = std::move(linkClicked)] { linkClicked(); });
}

void AboutWindow::Run(AboutForm& about) {
  RenderAboutForm(about, widgets_, *this);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  exec();
}

}  // namespace velmora
