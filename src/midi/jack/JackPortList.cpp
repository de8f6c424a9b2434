#include "midi/jack/JackPortList.h"

namespace velmora {

std::vector<std::string> ListJackPorts(jack_client_t* client, JackPortDirection direction) {
  const unsigned long flags =
      direction == JackPortDirection::kReadable ? JackPortIsOutput : JackPortIsInput;
  std::vector<std::string> names;
  const char** ports = jack_get_ports(client, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
  if (ports == nullptr) {
    return names;
  }
  for (const char** name = ports; *name != nullptr; ++name) {
    // A port that went between the listing and this look-up is simply left out.
    const jack_port_t* port = jack_port_by_name(client, *name);
    if (port != nullptr && !jack_port_is_mine(client, port)) {
      names.emplace_back(*name);
    }
  }
  jack_free(ports);
  return names;
}

}  // namespace velmora
