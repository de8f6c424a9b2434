#include "midi/ShortAndLongSends.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

// Each send as a line: "short 00310CB0" (the packed value) or "long F0 .. F7".
std::string Sends(const std::string& hex) {
  std::vector<std::uint8_t> bytes;
  std::istringstream in(hex);
  for (unsigned value = 0; in >> std::hex >> value;) {
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  std::string lines;
  char text[16];
  for (const ShortOrLongSend& send : SplitIntoShortAndLongSends(bytes)) {
    if (send.sysEx.empty()) {
      std::snprintf(text, sizeof(text), "short %08X", static_cast<unsigned>(send.shortMessage));
      lines += text;
    } else {
      lines += "long";
      for (const std::uint8_t byte : send.sysEx) {
        std::snprintf(text, sizeof(text), " %02X", byte);
        lines += text;
      }
    }
    lines += '\n';
  }
  return lines;
}

TEST(ShortAndLongSendsTest, ChannelMessagesGoShortSysExLongWholeAndStrayBytesNowhere) {
  const struct {
    const char* buffer;
    const char* sends;
  } cases[] = {
      {"B0 0C 31", "short 00310CB0\n"},
      {"B0 0C 31 00", "short 00310CB0\n"},
      {"C0 0E 00", "short 00000EC0\n"},
      {"F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7 00",
       "long F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7\n"},
      {"B0 0D 40 C0 05 F0 01 F7 F1 12 F6 E0 00 40",
       "short 00400DB0\nshort 000005C0\nlong F0 01 F7\nshort 000012F1\nshort 000000F6\n"
       "short 004000E0\n"},
      // A clock byte inside a SysEx goes out first, as it would on a wire.
      {"F0 01 F8 02 F7", "short 000000F8\nlong F0 01 02 F7\n"},
      {"90 3C 7F 3E 7F", "short 007F3C90\n"},
      {"00", ""},
      {"F0 01 02", ""},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(Sends(row.buffer), row.sends) << row.buffer;
  }
}

}  // namespace
}  // namespace velmora
