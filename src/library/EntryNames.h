#pragma once

// What an entry's lists show of it: the display names a load would choose, empty for none.

#include <string>

#include "library/LibraryEntry.h"

namespace velmora {

// Empty too for an entry that a load refuses: it holds no amp.
std::string EntryAmpName(const LibraryEntry& entry, Channel channel);
std::string EntryCabName(const LibraryEntry& entry, Channel channel);
// The guitar's key, "2 Telecaster modified"; empty for none or a refused entry.
std::string EntryGuitarName(const LibraryEntry& entry);

}  // namespace velmora
