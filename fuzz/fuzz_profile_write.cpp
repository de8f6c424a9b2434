// One key written into any file through the profile module, then read back. Either the
// write is refused with its error text and the file keeps every byte, or the key reads back
// as the reader is bound to give it (blanks around it and one pair of quotes dropped, at
// most 2047 bytes in the file's code page) and every line but the written one stays
// byte-identical: at most one old line changes, and at most a new section header, the key
// line and a line end for an old last line that had none are added.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzTempFile.h"
#include "profile/Cp1252.h"
#include "profile/Profile.h"
#include "profile/ProfileText.h"

namespace {

using velmora::fuzz::Require;

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string ExpectedRead(const std::string& value) {
  std::string inFile = std::string(Unquoted(velmora::TrimBlanks(velmora::Utf8ToCp1252(value))));
  inFile.resize(std::min<std::size_t>(inFile.size(), 2047));
  return velmora::Cp1252ToUtf8(inFile);
}

// Lines with their line ends, split where the reader splits them.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) {
      end = text.size();
    } else if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
      end += 2;
    } else {
      ++end;
    }
    lines.push_back(text.substr(begin, end - begin));
    begin = end;
  }
  return lines;
}

void RequireOtherLinesKept(std::string_view before, std::string_view after) {
  const std::vector<std::string_view> old = Lines(before);
  const std::vector<std::string_view> now = Lines(after);
  std::size_t prefix = 0;
  while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix]) {
    ++prefix;
  }
  std::size_t suffix = 0;
  while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
         old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::size_t oldChanged = old.size() - prefix - suffix;
  const std::size_t newChanged = now.size() - prefix - suffix;
  Require(oldChanged <= 1, "more than one old line changed");
  Require(newChanged <= 3, "more than three lines written");
  if (oldChanged == 1 && newChanged > 1) {
    // Only a last line without a line end may be followed by added lines; it gains one.
    Require(suffix == 0 && now[prefix].starts_with(old[prefix]) &&
                old[prefix].find_first_of("\r\n") == std::string_view::npos,
            "an old line changed beside added lines");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string section = provider.ConsumeRandomLengthString(64);
  const std::string key = provider.ConsumeRandomLengthString(64);
  const std::string value = provider.ConsumeRandomLengthString(4096);
  const std::string before = provider.ConsumeRemainingBytesAsString();
  const auto file = velmora::fuzz::WriteScratchFile(before);
  try {
    velmora::WriteProfileString(file, section, key, value);
  } catch (const velmora::ProfileWriteError& error) {
    Require(std::string_view(error.what()).size() > 0, "refusal without a text");
    Require(velmora::fuzz::ReadWholeFile(file) == before, "a refused write changed the file");
    return 0;
  }
  Require(velmora::ReadProfileString(file, section, key) == ExpectedRead(value),
          "the written value does not read back");
  RequireOtherLinesKept(before, velmora::fuzz::ReadWholeFile(file));
  return 0;
}
