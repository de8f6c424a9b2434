#include "presets/ProfileText.h"

#include <vector>

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

// A line ends at CR, LF or CR LF; the last line may have no line end.
std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t begin = FirstLineBegin(text);
  while (begin < text.size()) {
    std::size_t stop = text.find_first_of(kLineEnd, begin);
    if (stop == std::string_view::npos) {
      lines.push_back({begin, text.size(), text.size()});
      break;
    }
    std::size_t next = stop + 1;
    if (text[stop] == '\r' && next < text.size() && text[next] == '\n') {
      ++next;
    }
    lines.push_back({begin, stop, next});
    begin = next;
  }
  return lines;
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

// Where the first matching section lies: its header line and the lines up to the next header.
struct SectionSpan {
  std::size_t header;
  std::size_t end;
};

std::optional<SectionSpan> FindSection(std::string_view text, const std::vector<Line>& lines,
                                       std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ParsedLine parsed = Parse(LineText(text, lines[i]));
    if (parsed.kind != LineKind::Section || !SameName(parsed.name, section)) {
      continue;
    }
    std::size_t end = i + 1;
    while (end < lines.size() && Parse(LineText(text, lines[end])).kind != LineKind::Section) {
      ++end;
    }
    return SectionSpan{i, end};
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
  const std::vector<Line> lines = SplitLines(fileText);
  const auto span = FindSection(fileText, lines, TrimBlanks(section));
  if (!span) {
    return std::nullopt;
  }
  key = TrimBlanks(key);
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    const ParsedLine parsed = Parse(LineText(fileText, lines[i]));
    if (parsed.kind == LineKind::Key && SameName(parsed.name, key)) {
      return std::string(Unquote(parsed.value));
    }
  }
  return std::nullopt;
}

void SetProfileValue(std::string& fileText, std::string_view section, std::string_view key,
                     std::string_view value) {
  const std::vector<Line> lines = SplitLines(fileText);
  const auto span = FindSection(fileText, lines, section);
  if (!span) {
    // The old last line keeps its own end; without one it would run into the new header.
    if (fileText.size() > FirstLineBegin(fileText) && fileText.back() != '\r' &&
        fileText.back() != '\n') {
      fileText += kLineEnd;
    }
    fileText.append("[").append(section).append("]\r\n");
    fileText.append(key).append("=").append(value).append(kLineEnd);
    return;
  }
  std::size_t lastKeyLine = span->header;
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    const ParsedLine parsed = Parse(LineText(fileText, lines[i]));
    if (parsed.kind != LineKind::Key) {
      continue;
    }
    if (SameName(parsed.name, key)) {
      // Only the old value changes: the key's spelling, the blanks and the line end stay.
      fileText.replace(lines[i].begin + parsed.valueBegin, parsed.valueEnd - parsed.valueBegin,
                       value);
      return;
    }
    lastKeyLine = i;
  }
  const Line& after = lines[lastKeyLine];
  std::string inserted;
  if (after.end == after.contentEnd) {
    inserted += kLineEnd;  // the last line of the file had no line end
  }
  inserted.append(key).append("=").append(value).append(kLineEnd);
  fileText.insert(after.end, inserted);
}

}  // namespace velmora
