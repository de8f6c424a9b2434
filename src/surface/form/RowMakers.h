#pragma once

// Short makers for a form's rows, so that a layout reads as one line per control.

#include "surface/form/ControlRow.h"

namespace velmora::rows {

constexpr ControlEntry Window(std::string_view name, int width, int height,
                              std::string_view caption, PanelLook look) {
  return {name,    ControlKind::Form, {},   {0, 0, width, height},
          caption, TextStyle::Normal, look, true};
}
constexpr ControlEntry Pane(std::string_view name, ControlKind kind, std::string_view parent,
                            Geometry place, PanelLook look, bool visible = true) {
  return {name, kind, parent, place, {}, TextStyle::Normal, look, visible};
}
constexpr ControlEntry Text(std::string_view name, std::string_view parent, Geometry place,
                            std::string_view caption, TextStyle style, bool visible = true) {
  return {name, ControlKind::Label, parent, place, caption, style, PanelLook::None, visible};
}
constexpr ControlEntry Button(std::string_view name, std::string_view parent, Geometry place,
                              std::string_view caption) {
  return {name,    ControlKind::GradientButton, parent,          place,
          caption, TextStyle::ButtonText,       PanelLook::None, true};
}
constexpr ControlEntry Control(std::string_view name, ControlKind kind, std::string_view parent,
                               Geometry place, bool visible = true) {
  return {name, kind, parent, place, {}, TextStyle::Normal, PanelLook::None, visible};
}

}  // namespace velmora::rows
