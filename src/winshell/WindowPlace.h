#pragma once

// A resizable form's window: its kept place in config.ini, restored when it lies on a
// monitor, and its controls following its size as the form's anchors say.

#include <filesystem>

#include <windows.h>

#include "surface/form/Form.h"
#include "winshell/ControlSet.h"

namespace velmora {

// The outer size of the window for that client size, in its own styles.
SIZE OuterSize(HWND window, int clientWidth, int clientHeight);
// Moves and sizes the window to the place kept, when there is one and enough of it is on a
// monitor; false when the window is to open centred instead.
bool RestorePlace(HWND window, const std::filesystem::path& config, const Form& form,
                  const ControlSet& controls);
// Keeps the window's place; a config.ini that cannot be written costs only that.
void KeepPlace(HWND window, const std::filesystem::path& config, const Form& form);
// Places the anchored controls for the window's client size now.
void FollowAnchors(HWND window, const Form& form, const ControlSet& controls);

}  // namespace velmora
