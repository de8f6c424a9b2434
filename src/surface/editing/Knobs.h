#pragma once

// The twelve tone knobs: redrawing and sending a value, stepping it with the mouse, and
// the sensitivity factor kept in config.ini.

#include <array>
#include <string_view>

#include "surface/editing/EditingContext.h"
#include "surface/form/Binding.h"

namespace velmora {

inline constexpr std::string_view kSendYes = "oui";
inline constexpr std::string_view kSendNo = "non";

// Erases the pointer at LastDrawnKnobValue's angle, draws it at the knob's value and, when
// send is exactly "oui", sends the value div 4. A name that is none of the twelve knob
// names does nothing.
void RefreshKnob(EditingContext& context, std::string_view knobName, std::string_view send);

// Moves the knob value one step down (left button) or up (right button) by 4 times the
// FACTOR of [KNOBS] in config.ini, read afresh at every step ("8" when missing), times
// multiple. Throws ConversionError when FACTOR is not a whole number, leaving the value as
// it was.
void StepKnob(EditingContext& context, Knob knob, MouseButton button, int multiple = 1);

// Stores the factor in config.ini and shows it on both channels' screens.
void SetKnobFactor(EditingContext& context, int factor);

// The sensitivity menu pmKnobs, in its order: choosing an item calls SetKnobFactor with its
// factor. Only the clicks on the sensitivity labels open it.
struct KnobFactorItem {
  std::string_view name;
  std::string_view caption;
  int factor = 0;
};
inline constexpr std::array<KnobFactorItem, 5> kKnobFactorMenu = {{{"x11", "x 1", 1},
                                                                   {"X1", "x 4", 4},
                                                                   {"x81", "x 8", 8},
                                                                   {"x161", "x 16", 16},
                                                                   {"x321", "x 32", 32}}};

// A mouse press on a knob's picture: send the value, step it, send it again. A knob on a
// disabled channel screen is deaf.
void KnobMouseDown(EditingContext& context, Knob knob, MouseButton button);

// The keyboard's turn of a focused knob: the arrow keys press like the buttons (down and
// left like the left one), with the same sends; Shift makes the step four times as large.
inline constexpr int kKnobLargeStep = 4;
void KnobKeyDown(EditingContext& context, Knob knob, MouseButton button, bool large);

}  // namespace velmora
