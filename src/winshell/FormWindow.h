#pragma once

// A top-level window built from a control table: its class, its creation at the table's
// size, its backdrop, and the hand-over of its messages to the object that owns it.

#include <span>

#include <windows.h>

#include "surface/form/ControlTable.h"
#include "winshell/ControlSet.h"

namespace velmora {

// WM_DPICHANGED, which older headers lack.
inline constexpr UINT kDpiChanged = 0x02E0;

class FormWindow {
 public:
  virtual ~FormWindow();
  FormWindow() = default;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND Window() const { return hwnd_; }
  const ControlSet& Controls() const { return controls_; }

 protected:
  // Creates the window at the table's client size, then its controls.
  void CreateForm(std::span<const ControlEntry> table, DWORD style, DWORD extendedStyle,
                  HWND owner);
  // Puts the window in the middle of the screen's work area.
  void Centre();
  // Messages the window itself does not paint; the default handling when not overridden
  // (a change of resolution resizes the window to the table's size at the new one).
  virtual LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam);

  ControlSet controls_;

 private:
  static LRESULT CALLBACK Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  HWND hwnd_ = nullptr;
  bool ready_ = false;
};

}  // namespace velmora
