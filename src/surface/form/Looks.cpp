#include "surface/form/Looks.h"

namespace velmora {

namespace {

using S = TextStyle;
using L = PanelLook;

constexpr Rgb kYellow = kKnobYellow;
constexpr Rgb kLight{226, 226, 220};

}  // namespace

TextLook LookOfStyle(TextStyle style) {
  switch (style) {
    case S::Normal:
      return {12, false, false, kLight, TextAlign::Left, {}};
    case S::Bold:
      return {11, true, false, kLight, TextAlign::Left, {}};
    case S::Screen:
      return {12, false, false, kYellow, TextAlign::Left, {}};
    case S::ScreenRight:
      return {12, false, false, kYellow, TextAlign::Right, {}};
    case S::ScreenLarge:
      return {15, true, false, kYellow, TextAlign::Left, {}};
    case S::Strip:
      return {13, true, false, kYellow, TextAlign::Centre, {}};
    case S::KnobCaption:
      return {10, true, false, kYellow, TextAlign::Right, {}};
    case S::DisplayBank:
      return {11, true, false, kYellow, TextAlign::Centre, {}};
    case S::Display:
      return {29, true, false, kYellow, TextAlign::Centre, "Velmora"};
    case S::Grey:
      return {12, false, false, {160, 160, 160}, TextAlign::Left, {}};
    case S::Link:
      return {12, false, true, {0, 128, 0}, TextAlign::Left, {}};
    case S::Heading:
      return {16, true, false, {0, 0, 0}, TextAlign::Left, {}};
    case S::AboutText:
      return {12, false, false, {0, 0, 0}, TextAlign::Left, {}};
    case S::Nameplate:
      return {26, true, false, {214, 170, 80}, TextAlign::Left, {}};
    case S::ButtonText:
      return {10, true, false, {0, 0, 0}, TextAlign::Centre, {}};
    case S::Stage:
      // Two lines of 64 fill the stage label; a longer name shrinks no smaller than 48, still
      // read from two metres.
      return {64, true, false, kYellow, TextAlign::Centre, {}, 48};
    case S::StageNext:
      return {30, false, false, kLight, TextAlign::Centre, {}, 24};
    case S::StageCount:
      return {28, true, false, kLight, TextAlign::Right, {}};
  }
  return {};
}

GradientLook LookOfScheme(ColorScheme scheme) {
  switch (scheme) {
    case ColorScheme::csNeoDesert:  // selected, or a channel that is on: warm amber
      return {{236, 172, 88}, {150, 84, 24}, {96, 52, 12}, {255, 255, 255}, false};
    case ColorScheme::csNeoSilver:  // unselected, off, hidden: brushed metal
      return {{244, 244, 246}, {158, 162, 170}, {96, 98, 104}, {24, 24, 28}, false};
    case ColorScheme::csNeoSun:  // shown: bright sun yellow
      return {{255, 248, 160}, {246, 196, 24}, {150, 110, 0}, {60, 36, 0}, false};
  }
  return {};
}

GradientLook LookOfPanel(PanelLook look) {
  switch (look) {
    case L::Dark:
      return {{64, 66, 72}, {26, 27, 31}, {90, 92, 100}, kLight, false};
    case L::Light:
      return {{255, 255, 255}, {208, 208, 212}, {208, 208, 212}, {0, 0, 0}, true};
    case L::Olive:
      return {kKnobOlive, kKnobOlive, {90, 90, 0}, kYellow, false};
    case L::Black:
      return {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, kLight, false};
    case L::Sunken:
      return {{40, 40, 40}, {40, 40, 40}, {10, 10, 10}, kLight, false};
    case L::None:
      break;
  }
  return {};
}

}  // namespace velmora
