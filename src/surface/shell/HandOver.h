#pragma once

// What a second start of the editor hands to the one already running, so that one editor
// owns the MIDI ports: a preset file to load as Open does, or nothing, which only raises the
// running window. Both windows send the same bytes (over a local socket on Linux, inside
// WM_COPYDATA on Windows); the running editor reads them from any local program, so it takes
// only a well-formed message of bounded size.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

struct HandOver {
  // An absolute path, in the system's own form (UTF-16 on Windows).
  std::optional<std::filesystem::path> file;
};

// The longest message: the tag, the kind, and the longest path Windows knows (32767 UTF-16
// units), which is also far past Linux's PATH_MAX.
constexpr std::size_t kHandOverMaxBytes = 6 + 32767 * sizeof(std::filesystem::path::value_type);

// "VLMR1" then "R" (raise) or "O" (open) and the path's units as the system stores them.
// file is made absolute against the current folder first.
std::string EncodeHandOver(const HandOver& handOver);

// The message, or nothing when it is not one: a wrong tag or kind, too long, a path that is
// empty, relative, cut in the middle of a unit or holding a NUL.
std::optional<HandOver> DecodeHandOver(std::string_view bytes);

}  // namespace velmora
