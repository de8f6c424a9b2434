#include "midi/PrintableText.h"

namespace velmora {

std::string EscapeControlCharacters(std::string_view text) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::string printable;
  printable.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      printable += "\\x";
      printable += kDigits[byte >> 4];
      printable += kDigits[byte & 0x0F];
    } else {
      printable += c;
    }
  }
  return printable;
}

}  // namespace velmora
