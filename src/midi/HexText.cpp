// Message text: two hexadecimal digits per byte. The conversion is lenient on purpose: it
// accepts lower case, ignores every blank, counts any other character as the digit 0, and
// drops the last complete pair (the " 00" pad that senders append), so no text is refused.

#include <cstdio>

#include "midi/Midi.h"

namespace velmora {
namespace {

// "0" is missing on purpose: a character's value is its 1-based position here, and every
// character that is not found, "0" included, is worth 0.
constexpr char kDigits[] = "123456789ABCDEF";

std::uint8_t DigitValue(char c) {
  for (std::uint8_t i = 0; i < sizeof(kDigits) - 1; ++i) {
    if (kDigits[i] == c) {
      return i + 1;
    }
  }
  return 0;
}

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

void HexTextToStream(const std::string& text, ByteStream& stream) {
  std::string packed;
  packed.reserve(text.size());
  for (char c : text) {
    if (c != ' ') {
      packed.push_back(UpperAscii(c));
    }
  }
  const std::size_t pairs = packed.size() / 2;
  const std::size_t count = pairs > 0 ? pairs - 1 : 0;
  stream.SetSize(count);
  std::uint8_t* bytes = stream.Data();
  for (std::size_t i = 0; i < count; ++i) {
    bytes[i] =
        static_cast<std::uint8_t>(DigitValue(packed[2 * i]) * 16 + DigitValue(packed[2 * i + 1]));
  }
  stream.SetPosition(0);
}

std::string StreamToHexText(ByteStream& stream) {
  stream.SetPosition(0);
  std::string text;
  text.reserve(stream.Size() * 3);
  char pair[4];
  for (std::uint8_t byte : stream.Bytes()) {
    std::snprintf(pair, sizeof pair, "%.2X ", byte);
    text += pair;
  }
  return text;
}

}  // namespace velmora
