// Message text: two hexadecimal digits per byte. The conversion is lenient on purpose: it
// accepts lower case, ignores every blank, counts any other character as the digit 0, and
// drops the last complete pair (the " 00" pad that senders append), so no text is refused.

#include <array>
#include <cstdio>

#include "midi/Midi.h"

namespace velmora {
namespace {

// "0" is missing on purpose: a character's value is its 1-based position here, and every
// character that is not found, "0" included, is worth 0.
constexpr char kDigits[] = "123456789ABCDEF";

constexpr char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The value of every character once upper-cased, looked up rather than searched for: the
// conversion runs once for every message the editor sends.
constexpr std::array<std::uint8_t, 256> MakeDigitValues() {
  std::array<std::uint8_t, 256> values{};
  for (int c = 0; c < 256; ++c) {
    for (std::uint8_t i = 0; i < sizeof(kDigits) - 1; ++i) {
      if (kDigits[i] == UpperAscii(static_cast<char>(c))) {
        values[static_cast<std::size_t>(c)] = i + 1;
      }
    }
  }
  return values;
}
constexpr std::array<std::uint8_t, 256> kDigitValues = MakeDigitValues();

std::uint8_t DigitValue(char c) {
  return kDigitValues[static_cast<unsigned char>(c)];
}

}  // namespace

void HexTextToStream(const std::string& text, ByteStream& stream) {
  // One pass: every complete pair is written, then the last one is cut off again.
  stream.SetSize(text.size() / 2);
  std::uint8_t* bytes = stream.Data();
  std::size_t pairs = 0;
  bool haveHigh = false;
  std::uint8_t high = 0;
  for (char c : text) {
    if (c == ' ') {
      continue;
    }
    if (haveHigh) {
      bytes[pairs++] = static_cast<std::uint8_t>(high * 16 + DigitValue(c));
    } else {
      high = DigitValue(c);
    }
    haveHigh = !haveHigh;
  }
  stream.SetSize(pairs > 0 ? pairs - 1 : 0);
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
