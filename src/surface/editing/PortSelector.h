#pragma once

// The MIDI OUT port selector: the port the player cabled to the amplifier. Every editing
// message goes to the port selected here; no port is ever closed by picking another. The
// choice is remembered by the port's name, so it follows the port when other ports come
// and go; a chosen port that goes stays chosen, shown as missing, until it comes back.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "surface/editing/EditingContext.h"
#include "surface/shell/MonitorHub.h"

namespace velmora {

// What the selector shows after a missing port's name.
inline constexpr std::string_view kMissingPortMarker = " (non connecté)";

// What config.ini keeps of the choice, as read at start-up.
struct StoredOutputPort {
  std::string out;    // Out of [MIDI]: the index, as older copies of the program read it
  std::string name;   // OutName: the port's name; empty in an older file, or with no port
  std::string order;  // OutNameOrder: its order among ports of that name; empty means 1
};

// With a stored name: selects and opens the port of that name (and order) wherever it is
// now. When none is connected, opens nothing, keeps the name chosen as missing and shows
// one box naming the ports that are connected; never falls back to the index. Without a
// name, the older rule: an empty Out selects and opens nothing; a value that is not a whole
// number throws ConversionError; an index outside the list leaves no selection, and opening
// then throws the device layer's "TMidiOutput: Device index out of bounds! (-1)".
void OpenStoredOutputPort(EditingContext& context, const StoredOutputPort& stored);

// The user picked an item: opens that port (the one used before stays open). Picking the
// missing port's item changes nothing.
void cbOutputDevicesSelect(EditingContext& context);

// The chosen port as config.ini keeps it: nothing when no port is chosen.
std::optional<NamedPort> ChosenOutputPort(const FormModel& form);

// The box of a start-up whose stored port is not connected, and of a send to it.
std::string PortNotConnectedText(std::string_view name);
std::string PortNotConnectedAtStartText(std::string_view name,
                                        const std::vector<std::string>& connected);

// Fills cbOutputDevices with the connected ports, adding the missing port's item.
void ShowOutputPorts(FormModel& form, std::vector<std::string> names);

// User-interface thread: the port lists follow the system. cbOutputDevices and the
// monitor's two lists get the ports connected now; what was chosen or checked stays so by
// name; a chosen port that went shows as missing, one that came back is opened and chosen
// again. The notification thread never sees a list and an index that do not belong
// together. No handler runs and nothing is sent; a port that cannot be opened again throws.
void RescanPorts(EditingContext& context, MonitorHub& hub);

// Asks the platform to call changed, from a thread of its own, whenever ports may have
// come or gone; the shell then runs RescanPorts on its own thread. An empty function stops
// the calls.
void WatchPortChanges(std::function<void()> changed);

}  // namespace velmora
