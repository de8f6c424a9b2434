#include "winshell/AboutWindow.h"

#include <utility>

#include "winshell/AccessibleRoles.h"
#include "winshell/FormRender.h"

namespace velmora {

AboutWindow::AboutWindow(std::function<void()> linkClicked)
    : linkClicked_(std::move(linkClicked)) {}

void AboutWindow::Create(HWND owner) {
  owner_ = owner;
  CreateForm(AboutFormControls(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
             WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, owner);
  AnnotateControls(controls_);
}

void AboutWindow::Run(AboutForm& about) {
  RenderAboutForm(about, controls_);
  Centre();
  // Modal: the main window takes no input until this one is closed.
  EnableWindow(owner_, FALSE);
  ShowWindow(Window(), SW_SHOW);
  SetForegroundWindow(Window());
  open_ = true;
  MSG message;
  while (open_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: leave the quit message for the main loop.
      PostQuitMessage(got == 0 ? static_cast<int>(message.wParam) : 1);
      break;
    }
    // Escape closes it, as it closes any dialog.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
        GetAncestor(message.hwnd, GA_ROOT) == Window()) {
      open_ = false;
      continue;
    }
    if (IsDialogMessageW(Window(), &message) == FALSE) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  open_ = false;
  EnableWindow(owner_, TRUE);
  ShowWindow(Window(), SW_HIDE);
  SetForegroundWindow(owner_);
}

LRESULT AboutWindow::Proc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      open_ = false;
      return 0;
    case WM_COMMAND: {
      const Control* control = controls_.OfId(LOWORD(wParam));
      if (control != nullptr &&
          (HIWORD(wParam) == kControlClicked || HIWORD(wParam) == kKeyClicked)) {
        if (control->entry->name == "bttnAProposFermer") {
          open_ = false;
        } else if (control->entry->name == "lblSiteLine6") {
          linkClicked_();
        }
      }
      return 0;
    }
    default:
      return FormWindow::Proc(message, wParam, lParam);
  }
}

}  // namespace velmora
