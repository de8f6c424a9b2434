#include "profile/ProfileText.h"

#include <limits>
#include <stdexcept>

namespace velmora {
namespace {

constexpr std::string_view kBlanks = " \t\v\f";
constexpr std::string_view kLineEnd = "\r\n";

struct Line {
  std::size_t begin;       // first byte of the line
  std::size_t contentEnd;  // where its line end starts
  std::size_t end;         // first byte after its line end
};

// Editors that save "UTF-8 with BOM" put these bytes before the first line. Left in the
// line, they would hide the first section header and with it every key of that section.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::size_t FirstLineBegin(std::string_view text) {
  return text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

// The line that starts at begin. A line ends at CR, LF or CR LF; the last line may have no
// line end. Lines are taken one at a time, so no read keeps a list of them.
Line LineAt(std::string_view text, std::size_t begin) {
  const std::size_t stop = text.find_first_of(kLineEnd, begin);
  if (stop == std::string_view::npos) {
    return {begin, text.size(), text.size()};
  }
  std::size_t next = stop + 1;
  if (text[stop] == '\r' && next < text.size() && text[next] == '\n') {
    ++next;
  }
  return {begin, stop, next};
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  std::string_view name;
  std::string_view value;
  // Where the value lies in the line, blanks around it excluded; both just before the line
  // end when the value is empty.
  std::size_t valueBegin = 0;
  std::size_t valueEnd = 0;
};

ParsedLine Parse(std::string_view line) {
  ParsedLine parsed;
  const std::string_view content = TrimBlanks(line);
  if (content.empty() || content.front() == ';') {
    return parsed;
  }
  if (content.front() == '[') {
    // A header without its closing bracket names nothing and is no key either.
    const std::size_t close = content.rfind(']');
    if (close != std::string_view::npos && close > 0) {
      parsed.kind = LineKind::Section;
      parsed.name = TrimBlanks(content.substr(1, close - 1));
    }
    return parsed;
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    return parsed;
  }
  parsed.kind = LineKind::Key;
  parsed.name = TrimBlanks(line.substr(0, equals));
  parsed.value = TrimBlanks(line.substr(equals + 1));
  if (parsed.value.empty()) {
    parsed.valueBegin = parsed.valueEnd = line.size();
  } else {
    parsed.valueBegin = static_cast<std::size_t>(parsed.value.data() - line.data());
    parsed.valueEnd = parsed.valueBegin + parsed.value.size();
  }
  return parsed;
}

// Letter case in Windows-1252: besides A..Z, the accented capitals C0..DE (but the
// multiplication sign D7) pair with E0..FE, and four capitals of the 80..9F block with theirs.
unsigned char LowerCp1252(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
    return static_cast<unsigned char>(c + 0x20);
  }
  switch (c) {
    case 0x8A:  // S caron
    case 0x8C:  // OE ligature
    case 0x8E:  // Z caron
      return static_cast<unsigned char>(c + 0x10);
    case 0x9F:  // Y diaeresis
      return 0xFF;
    default:
      return c;
  }
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerCp1252(static_cast<unsigned char>(a[i])) !=
        LowerCp1252(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::string_view LineText(std::string_view text, const Line& line) {
  return text.substr(line.begin, line.contentEnd - line.begin);
}

bool IsSectionLine(std::string_view text, const Line& line) {
  return Parse(LineText(text, line)).kind == LineKind::Section;
}

// The first section header named so, from begin on; nothing when there is none.
std::optional<Line> FindSectionHeader(std::string_view text, std::size_t begin,
                                      std::string_view section) {
  while (begin < text.size()) {
    const Line line = LineAt(text, begin);
    const ParsedLine parsed = Parse(LineText(text, line));
    if (parsed.kind == LineKind::Section && SameName(parsed.name, section)) {
      return line;
    }
    begin = line.end;
  }
  return std::nullopt;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The value of the first key named so in the section whose lines start at begin.
std::optional<std::string> FindKey(std::string_view text, std::size_t begin, std::string_view key) {
  while (begin < text.size()) {
    const Line line = LineAt(text, begin);
    const ParsedLine parsed = Parse(LineText(text, line));
    if (parsed.kind == LineKind::Section) {
      break;
    }
    if (parsed.kind == LineKind::Key && SameName(parsed.name, key)) {
      return std::string(Unquote(parsed.value));
    }
    begin = line.end;
  }
  return std::nullopt;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::optional<std::string> FindProfileValue(std::string_view fileText, std::string_view section,
                                            std::string_view key) {
  const auto header = FindSectionHeader(fileText, FirstLineBegin(fileText), TrimBlanks(section));
  if (!header) {
    return std::nullopt;
  }
  return FindKey(fileText, header->end, TrimBlanks(key));
}

ProfileSections::ProfileSections(std::string_view fileText) : text_(fileText) {
  if (fileText.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("profile text too long to index");
  }
  for (std::size_t begin = FirstLineBegin(fileText); begin < fileText.size();) {
    const Line line = LineAt(fileText, begin);
    if (IsSectionLine(fileText, line)) {
      headers_.push_back(static_cast<std::uint32_t>(begin));
    }
    begin = line.end;
  }
  headers_.shrink_to_fit();
}

std::optional<std::string> ProfileSections::Find(std::string_view section,
                                                 std::string_view key) const {
  section = TrimBlanks(section);
  for (const std::uint32_t begin : headers_) {
    const Line line = LineAt(text_, begin);
    if (SameName(Parse(LineText(text_, line)).name, section)) {
      return FindKey(text_, line.end, TrimBlanks(key));
    }
  }
  return std::nullopt;
}

void SetProfileValue(std::string& fileText, std::string_view section, std::string_view key,
                     std::string_view value) {
  const auto header = FindSectionHeader(fileText, FirstLineBegin(fileText), section);
  if (!header) {
    // The old last line keeps its own end; without one it would run into the new header.
    if (fileText.size() > FirstLineBegin(fileText) && fileText.back() != '\r' &&
        fileText.back() != '\n') {
      fileText += kLineEnd;
    }
    fileText.append("[").append(section).append("]\r\n");
    fileText.append(key).append("=").append(value).append(kLineEnd);
    return;
  }
  Line lastKeyLine = *header;
  for (std::size_t begin = header->end; begin < fileText.size();) {
    const Line line = LineAt(fileText, begin);
    const ParsedLine parsed = Parse(LineText(fileText, line));
    if (parsed.kind == LineKind::Section) {
      break;
    }
    if (parsed.kind == LineKind::Key) {
      if (SameName(parsed.name, key)) {
        // Only the old value changes: the key's spelling, the blanks and the line end stay.
        fileText.replace(line.begin + parsed.valueBegin, parsed.valueEnd - parsed.valueBegin,
                         value);
        return;
      }
      lastKeyLine = line;
    }
    begin = line.end;
  }
  std::string inserted;
  if (lastKeyLine.end == lastKeyLine.contentEnd) {
    inserted += kLineEnd;  // the last line of the file had no line end
  }
  inserted.append(key).append("=").append(value).append(kLineEnd);
  fileText.insert(lastKeyLine.end, inserted);
}

}  // namespace velmora
