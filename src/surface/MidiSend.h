#pragma once

// The one road every editing message takes to the MIDI OUT port.

#include <string>
#include <string_view>

#include "surface/EditingContext.h"

namespace velmora {

inline constexpr std::string_view kNoOutputPortText =
    "Veuillez sélectionner un port de sortie (MIDI OUT).";

// Sends the message text on the port selected in cbOutputDevices. With no port selected it
// shows kNoOutputPortText and returns; the device layer's errors reach the caller.
void SendMidiText(EditingContext& context, std::string_view text);

// Sends the Message of record recordNumber (1-based) of the catalogue named by kind:
// "Ampli", "Ampli_2", "Enceinte", "Enceinte_2" or "Guitare". Any other word, or a record
// number outside the catalogue, sends nothing.
void SendModelMessage(EditingContext& context, std::string_view kind, int recordNumber);

}  // namespace velmora
