// Message text to bytes and back. Whatever the text, the canonical text of its bytes
// (two upper-case digits and a blank a byte) converts back to the same bytes once the pad
// pair that senders append is added, and converting those again gives the same text.

#include <string>

#include "FuzzCheck.h"
#include "midi/Midi.h"

namespace {

using velmora::fuzz::Require;

bool IsCanonical(const std::string& text) {
  if (text.size() % 3 != 0) {
    return false;
  }
  for (std::size_t at = 0; at < text.size(); at += 3) {
    for (std::size_t digit = at; digit < at + 2; ++digit) {
      const char c = text[digit];
      if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) {
        return false;
      }
    }
    if (text[at + 2] != ' ') {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  velmora::ByteStream bytes;
  velmora::HexTextToStream(text, bytes);
  Require(bytes.Size() <= text.size() / 2, "more bytes than pairs");
  Require(bytes.Position() == 0, "stream not rewound");

  const std::string canonical = velmora::StreamToHexText(bytes);
  Require(canonical.size() == 3 * bytes.Size(), "canonical text length");
  Require(IsCanonical(canonical), "canonical text form");

  velmora::ByteStream again;
  velmora::HexTextToStream(canonical + "00", again);
  Require(again.Bytes() == bytes.Bytes(), "canonical text gives other bytes");
  Require(velmora::StreamToHexText(again) == canonical, "second round trip differs");
  return 0;
}
