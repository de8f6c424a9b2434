// Message text: two hexadecimal digits per byte. The conversion is lenient on purpose: it
// accepts lower case, ignores every blank, counts any other character as the digit 0, and
// drops the last complete pair (the " 00" pad that senders append), so no text is refused.
// Text is UTF-8 in memory, but the rules count characters: "é" is one character worth 0,
// whatever number of bytes UTF-8 gives it, so it shifts the pairing by one, not by two.

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

bool IsContinuation(std::uint8_t byte) {
  return (byte & 0xC0) == 0x80;
}

// Bytes taken by the character at `at`: a well-formed UTF-8 sequence is one character; any
// other byte stands for itself.
std::size_t CharacterLength(const std::string& text, std::size_t at) {
  const auto lead = static_cast<std::uint8_t>(text[at]);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  }
  if (at + length > text.size()) {
    return 1;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(static_cast<std::uint8_t>(text[at + i]))) {
      return 1;
    }
  }
  return length;
}

}  // namespace

void HexTextToStream(const std::string& text, ByteStream& stream) {
  // One pass: every complete pair is written, then the last one is cut off again.
  stream.SetSize(text.size() / 2);
  std::uint8_t* bytes = stream.Data();
  std::size_t pairs = 0;
  bool haveHigh = false;
  std::uint8_t high = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    char c = text[at];
    if (c == ' ') {
      continue;
    }
    if (static_cast<std::uint8_t>(c) >= 0x80) {
      at += CharacterLength(text, at) - 1;
      c = '\0';  // no digit
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
