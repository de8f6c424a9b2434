#pragma once

// The MIDI OUT port selector: the port the player cabled to the amplifier. Every editing
// message goes to the port selected here; no port is ever closed by picking another.

#include <string_view>

#include "surface/EditingContext.h"

namespace velmora {

// Selects the port stored in config.ini (Out of [MIDI]) and opens it. An empty value
// selects and opens nothing. A value that is not a whole number throws ConversionError; an
// index outside the list leaves no selection, and opening then throws the device layer's
// "TMidiOutput: Device index out of bounds! (-1)".
void OpenStoredOutputPort(EditingContext& context, std::string_view storedOut);

// The user picked an item: opens that port (the one used before stays open).
void cbOutputDevicesSelect(EditingContext& context);

}  // namespace velmora
