#pragma once

// How the command line reports an error that ends a command.

#include <exception>
#include <ostream>

namespace velmora {

// Prints the error's text. When the system has no MIDI output port at all, an
// output port's out-of-bounds error is followed by one line saying how to list the ports and how to
// reach the built-in virtual port instead.
void PrintCommandError(std::ostream& err, const std::exception& error);

}  // namespace velmora
