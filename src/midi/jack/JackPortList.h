#pragma once

#include <jack/jack.h>

#include <string>
#include <vector>

namespace velmora {

enum class JackPortDirection { kReadable, kWritable };

// The full names ("client:port") of the MIDI ports other clients offer in one direction, in
// the server's order. Our own ports are told apart by the server (jack_port_is_mine), not by
// their name, so a client whose name starts like ours is still listed.
std::vector<std::string> ListJackPorts(jack_client_t* client, JackPortDirection direction);

}  // namespace velmora
