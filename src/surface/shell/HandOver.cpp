#include "surface/shell/HandOver.h"

#include <algorithm>
#include <cstring>

namespace velmora {

namespace {

using Unit = std::filesystem::path::value_type;
constexpr std::string_view kTag = "VLMR1";
constexpr char kRaise = 'R';
constexpr char kOpen = 'O';

}  // namespace

std::string EncodeHandOver(const HandOver& handOver) {
  std::string bytes(kTag);
  if (!handOver.file) {
    bytes += kRaise;
    return bytes;
  }
  bytes += kOpen;
  const std::filesystem::path file = std::filesystem::absolute(*handOver.file);
  const auto& units = file.native();
  bytes.append(reinterpret_cast<const char*>(units.data()), units.size() * sizeof(Unit));
  return bytes;
}

std::optional<HandOver> DecodeHandOver(std::string_view bytes) {
  if (bytes.size() > kHandOverMaxBytes || bytes.size() <= kTag.size() ||
      bytes.substr(0, kTag.size()) != kTag) {
    return std::nullopt;
  }
  const char kind = bytes[kTag.size()];
  const std::string_view path = bytes.substr(kTag.size() + 1);
  if (kind == kRaise && path.empty()) {
    return HandOver{};
  }
  if (kind != kOpen || path.empty() || path.size() % sizeof(Unit) != 0) {
    return std::nullopt;
  }
  std::filesystem::path::string_type units(path.size() / sizeof(Unit), Unit{});
  std::memcpy(units.data(), path.data(), path.size());
  if (std::find(units.begin(), units.end(), Unit{}) != units.end()) {
    return std::nullopt;
  }
  std::filesystem::path file(std::move(units));
  if (!file.is_absolute()) {
    return std::nullopt;
  }
  return HandOver{std::move(file)};
}

}  // namespace velmora
