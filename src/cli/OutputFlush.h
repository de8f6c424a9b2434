#pragma once

// The standard output of a command that prints as it goes: a failed write keeps its reason
// (the system's errno) for the one message that ends the run, printed by main.

#include <ostream>

namespace velmora {

// Flushes out; false when anything printed since the last flush could not be written.
// Call right after the writes: the reason is the last one the system gave.
bool FlushOutput(std::ostream& out);

// The reason of the first failed flush, 0 when none failed.
int OutputFailureReason();

}  // namespace velmora
