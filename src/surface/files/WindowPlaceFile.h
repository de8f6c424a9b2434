#pragma once

// Where a resizable window was left: its outer top-left corner and its client size, in
// config.ini's section of the form, keys WindowX, WindowY, WindowW and WindowH. Whether the
// place is on a screen is the window's to check; this keeps out what no window could be.

#include <filesystem>
#include <optional>
#include <string_view>

#include "surface/form/ControlRow.h"

namespace velmora {

struct WindowPlace {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowPlace&) const = default;
};

// The place kept, when all four keys are whole numbers and the size is from the smallest
// the window allows to 16384 pixels each way; nothing otherwise, or when the file cannot be
// read.
std::optional<WindowPlace> ReadWindowPlace(const std::filesystem::path& config,
                                           std::string_view section, ClientSize smallest);
// Keeps the place, in one atomic write. Throws ProfileWriteError as WriteProfileStrings does.
void WriteWindowPlace(const std::filesystem::path& config, std::string_view section,
                      const WindowPlace& place);

}  // namespace velmora
