#pragma once

// TForm1, the main window: the editor's panels, and the monitor hidden below them.

#include <optional>
#include <span>
#include <string_view>

#include "surface/form/Form.h"

namespace velmora {

inline constexpr std::string_view kMainFormName = "TForm1";

const Form& MainWindowForm();
std::span<const ControlEntry> MainFormRows();

std::span<const std::string_view> MonitorControlNames();
// The main window's client area: the form's size, and, while the monitor shows, at least
// enough for its controls, which lie below and beyond the designed area.
ClientSize MainClientSize(const FormModel& form, bool monitorShown);

// "knobDRIVE1" -> Knob::DRIVE1.
std::optional<Knob> BoundKnob(std::string_view name);

}  // namespace velmora
