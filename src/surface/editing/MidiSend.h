#pragma once

// The one road every editing message takes to the MIDI OUT port.

#include <string>
#include <string_view>

#include "surface/editing/EditingContext.h"

namespace velmora {

inline constexpr std::string_view kNoOutputPortText =
    "Veuillez sélectionner un port de sortie (MIDI OUT).";

// Sends the message text on the port selected in cbOutputDevices. With no port selected it
// shows kNoOutputPortText and returns; with the chosen port not connected, the box says so
// (PortNotConnectedText) and nothing is sent. Inside an operation (PlayerOperation) that
// box is shown once, not once per message. The device layer's errors reach the caller.
void SendMidiText(EditingContext& context, std::string_view text);

// One thing the player asked for (a handler run by the shell): a preset load sends some
// thirty messages, and a port that is missing is said once for all of them. Scopes nest;
// the outermost one counts. User-interface thread only.
class PlayerOperation {
 public:
  PlayerOperation();
  ~PlayerOperation();
  PlayerOperation(const PlayerOperation&) = delete;
  PlayerOperation& operator=(const PlayerOperation&) = delete;
};

// Sends the Message of record recordNumber (1-based) of the catalogue named by kind:
// "Ampli", "Ampli_2", "Enceinte", "Enceinte_2" or "Guitare". Any other word, or a record
// number outside the catalogue, sends nothing.
void SendModelMessage(EditingContext& context, std::string_view kind, int recordNumber);

}  // namespace velmora
