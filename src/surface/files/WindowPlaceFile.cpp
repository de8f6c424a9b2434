#include "surface/files/WindowPlaceFile.h"

#include <charconv>
#include <string>
#include <vector>

#include "profile/Profile.h"

namespace velmora {

namespace {

constexpr std::string_view kKeys[] = {"WindowX", "WindowY", "WindowW", "WindowH"};
// Beyond any screen's size: a hand-edited or damaged value.
constexpr int kLargest = 16384;

std::optional<int> WholeNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<WindowPlace> ReadWindowPlace(const std::filesystem::path& config,
                                           std::string_view section, ClientSize smallest) {
  int values[4] = {};
  try {
    const ProfileSnapshot file(config);
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
      const std::optional<int> value = WholeNumber(file.Read(section, kKeys[i]));
      if (!value || *value < -kLargest || *value > kLargest) {
        return std::nullopt;
      }
      values[i] = *value;
    }
  } catch (const std::exception&) {
    // A config.ini that cannot be read: the window opens at its design place.
    return std::nullopt;
  }
  const WindowPlace place{values[0], values[1], values[2], values[3]};
  if (place.width < smallest.width || place.height < smallest.height) {
    return std::nullopt;
  }
  return place;
}

void WriteWindowPlace(const std::filesystem::path& config, std::string_view section,
                      const WindowPlace& place) {
  const int values[4] = {place.left, place.top, place.width, place.height};
  std::vector<ProfileEntry> entries;
  for (std::size_t i = 0; i < std::size(kKeys); ++i) {
    entries.push_back({std::string(section), std::string(kKeys[i]), std::to_string(values[i])});
  }
  WriteProfileStrings(config, entries);
}

}  // namespace velmora
