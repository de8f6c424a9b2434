#pragma once

// TForm2: the About window, built from the control table, shown modally.

#include <functional>

#include <QDialog>

#include "surface/form/FormModel.h"
#include "window/ControlSet.h"

namespace velmora {

class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  // linkClicked runs when the player clicks the website link.
  AboutWindow(QWidget* parent, std::function<void()> linkClicked);

  // Shows the window's texts from the model, then runs it until "Fermer" or the close box.
  void Run(AboutForm& about);

 private:
  ControlSet widgets_;
};

}  // namespace velmora
