#pragma once

// velmora-cli ports --watch: the port list, then one line for each port that comes or goes.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace velmora {

// One line per port: "out 0: NAME", then "in 0: NAME"...
void PrintPortList(std::ostream& out, const std::vector<std::string>& outputs,
                   const std::vector<std::string>& inputs);

// The lines for a change of one list: "- out 1: NAME" for each port gone (by its former
// index), then "+ out 2: NAME" for each port come (by its index now). kind is "out" or "in".
// Ports are told apart by name and by order among ports of the same name.
std::vector<std::string> PortChangeLines(const std::string& kind,
                                         const std::vector<std::string>& before,
                                         const std::vector<std::string>& after);

// Prints the list, then the changes as the platform reports them, for as long as keepGoing
// says so (it is asked at least every kSignalCheck). Throws the device layer's errors;
// false when the output could not be written.
bool WatchPortList(std::ostream& out, const std::function<bool()>& keepGoing);

}  // namespace velmora
