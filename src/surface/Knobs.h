#pragma once

// The twelve tone knobs: redrawing and sending a value, stepping it with the mouse, and
// the sensitivity factor kept in config.ini.

#include <string_view>

#include "surface/EditingContext.h"

namespace velmora {

inline constexpr std::string_view kSendYes = "oui";
inline constexpr std::string_view kSendNo = "non";

enum class MouseButton { Left, Right, Middle };

// Erases the pointer at LastDrawnKnobValue's angle, draws it at the knob's value and, when
// send is exactly "oui", sends the value div 4. A name that is none of the twelve knob
// names does nothing.
void RefreshKnob(EditingContext& context, std::string_view knobName, std::string_view send);

// Moves the knob value one step down (left button) or up (right button) by 4 times the
// FACTOR of [KNOBS] in config.ini, read afresh at every step ("8" when missing).
// Throws ConversionError when FACTOR is not a whole number, leaving the value as it was.
void StepKnob(EditingContext& context, Knob knob, MouseButton button);

// Stores the factor in config.ini and shows it on both channels' screens.
void SetKnobFactor(EditingContext& context, int factor);

// A mouse press on a knob's picture: send the value, step it, send it again. A knob on a
// disabled channel screen is deaf.
void KnobMouseDown(EditingContext& context, Knob knob, MouseButton button);

}  // namespace velmora
