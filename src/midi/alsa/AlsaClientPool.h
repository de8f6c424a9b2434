#pragma once

namespace velmora {

// Free cells in the input pool of another client of the sequencer whose descriptor is fd;
// -1 for a client without one (the kernel's own clients) or one that has gone. libasound
// asks only about its own client, so this goes to the kernel directly, apart from
// libasound's headers, which declare the same structures again.
int ClientInputFree(int fd, int client);

}  // namespace velmora
