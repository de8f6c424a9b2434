#pragma once

// How each painted control kind draws itself and answers the mouse. The window procedure
// they share is in ControlSet.cpp.

#include <windows.h>

#include "winshell/ControlSet.h"

namespace velmora {

// Tells the control's top-level window of a gesture.
void Notify(const Control& control, WORD code);

void PaintLabel(HDC dc, const RECT& rect, const Control& label);
void PaintPictureBox(HDC dc, const RECT& rect, const Control& picture);

void PaintGradientButton(HDC dc, const RECT& rect, const Control& button);
// Pressing, dragging and releasing the left button; true when the message was one of those.
bool GradientButtonMouse(Control& button, UINT message, LPARAM where);

void PaintKnob(HDC dc, const RECT& rect, const Control& knob);
// Presses and wheel turns; true when the message was one of those.
bool KnobMouse(Control& knob, UINT message, WPARAM state);

// The keyboard on a painted control that has the focus: the dialog codes that keep Tab
// moving between controls, Space and Enter on what clicks, the arrows on knobs; and the
// focus ring drawn over the face. KeyboardMessage is true when the message was one of those.
bool KeyboardMessage(const Control& control, UINT message, WPARAM key, LPARAM detail,
                     LRESULT& result);
void PaintFocusRing(HDC dc, const RECT& rect, const Control& control);
// Whether Tab stops at the control: what the mouse clicks, and knobs.
bool TakesFocus(const ControlEntry& entry);

}  // namespace velmora
