#pragma once

// TForm2: the About window, built from the control table, shown modally over the main
// window until "Fermer" or its close box.

#include <functional>

#include "surface/form/FormModel.h"
#include "winshell/FormWindow.h"

namespace velmora {

class AboutWindow : public FormWindow {
 public:
  // linkClicked runs when the player clicks the website link.
  explicit AboutWindow(std::function<void()> linkClicked);

  // Created hidden with the main window, living until the end.
  void Create(HWND owner);
  // Shows the window's texts from the model, then runs it until it is closed.
  void Run(AboutForm& about);

 protected:
  LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::function<void()> linkClicked_;
  HWND owner_ = nullptr;
  bool open_ = false;
};

}  // namespace velmora
