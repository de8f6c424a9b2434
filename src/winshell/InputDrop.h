#pragma once

// A pause of a preset load or a synchronise blocks the thread, and the clicks and keys the
// player gives meanwhile wait in the queue; they must be thrown away, not replayed once the
// load ends. Releases of buttons go too: a press that was dropped needs none, and a press
// handled before the pause ended its gesture before the handler ran.

#include <functional>

#include <windows.h>

namespace velmora {

// Removes every mouse and keyboard message waiting in this thread's queue. Each key message
// is offered first, in the order it came: offer takes those that count even so (a live
// view's step: the player wants it once the load ends).
void DropPendingInput(const std::function<void(MSG&)>& offer);

}  // namespace velmora
