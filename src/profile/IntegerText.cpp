#include "profile/IntegerText.h"

#include <cstdint>
#include <limits>
#include <string>

namespace velmora {

int StrToInt(std::string_view text) {
  auto fail = [&]() -> ConversionError {
    return ConversionError("'" + std::string(text) + "' n'est pas une valeur entière correcte");
  };
  // Leading blanks are skipped as the Windows runtime does; anything after the digits is not.
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) {
    throw fail();
  }
  const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<int>::min())
                                      : std::numeric_limits<int>::max();
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') {
      throw fail();
    }
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) {
      throw fail();
    }
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace velmora
