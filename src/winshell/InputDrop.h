#pragma once

// A pause of a preset load or a synchronise blocks the thread, and the clicks and keys the
// player gives meanwhile wait in the queue; they must be thrown away, not replayed once the
// load ends. Releases of buttons go too: a press that was dropped needs none, and a press
// handled before the pause ended its gesture before the handler ran.

namespace velmora {

// Removes every mouse and keyboard message waiting in this thread's queue.
void DropPendingInput();

}  // namespace velmora
