#include "library/TextFolding.h"

#include <array>
#include <cstdint>

#include "profile/Cp1252.h"

namespace velmora {

namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// The code point at text[i], advancing i past it; kInvalid for a malformed sequence, past
// whose first byte i then moves.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i++);
  if (lead < 0x80) {
    return lead;
  }
  int length = 0;
  char32_t value = 0;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, least = 0x10000;
  } else {
    return kInvalid;
  }
  if (i + static_cast<std::size_t>(length - 1) > text.size()) {
    return kInvalid;
  }
  for (int k = 0; k < length - 1; ++k) {
    const unsigned char next = byte(i + static_cast<std::size_t>(k));
    if ((next & 0xC0) != 0x80) {
      return kInvalid;
    }
    value = (value << 6) | (next & 0x3F);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return kInvalid;
  }
  i += static_cast<std::size_t>(length - 1);
  return value;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

struct Run {
  int count;
  const char* letters;  // nullptr: not a letter
};

// U+00C0 to U+017F, in runs of code points that fold alike.
constexpr std::array<Run, 50> kLatinRuns = {{
    {6, "a"},     {1, "ae"}, {1, "c"},  {4, "e"},  {4, "i"},  {1, "d"},  {1, "n"},     {5, "o"},
    {1, nullptr}, {1, "o"},  {4, "u"},  {1, "y"},  {1, "th"}, {1, "ss"}, {6, "a"},     {1, "ae"},
    {1, "c"},     {4, "e"},  {4, "i"},  {1, "d"},  {1, "n"},  {5, "o"},  {1, nullptr}, {1, "o"},
    {4, "u"},     {1, "y"},  {1, "th"}, {1, "y"},  {6, "a"},  {8, "c"},  {4, "d"},     {10, "e"},
    {8, "g"},     {4, "h"},  {10, "i"}, {2, "ij"}, {2, "j"},  {3, "k"},  {10, "l"},    {9, "n"},
    {6, "o"},     {2, "oe"}, {6, "r"},  {8, "s"},  {6, "t"},  {12, "u"}, {2, "w"},     {3, "y"},
    {6, "z"},     {1, "s"},
}};

const char* LatinLetters(char32_t cp) {
  char32_t first = 0xC0;
  for (const Run& run : kLatinRuns) {
    if (cp < first + static_cast<char32_t>(run.count)) {
      return run.letters;
    }
    first += static_cast<char32_t>(run.count);
  }
  return nullptr;
}

bool IsCombiningAccent(char32_t cp) {
  return cp >= 0x300 && cp <= 0x36F;
}

// Punctuation, symbols and blanks: the Latin-1 ones, the general punctuation block, the
// currency and letter-like symbols ("€", "™").
bool IsSeparatorSymbol(char32_t cp) {
  return (cp >= 0x80 && cp <= 0xBF) || cp == 0xD7 || cp == 0xF7 || (cp >= 0x2000 && cp <= 0x214F) ||
         cp == 0x3000 || cp == 0xFEFF;
}

// Appends the folded form of cp; returns whether it is part of a word.
bool AppendFolded(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    const char c = static_cast<char>(cp);
    if (c >= 'A' && c <= 'Z') {
      out += static_cast<char>(c - 'A' + 'a');
      return true;
    }
    out += c;
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  }
  if (IsCombiningAccent(cp)) {
    return true;
  }
  if (cp == 0x192) {  // the Windows-1252 florin sign is a Latin f
    out += 'f';
    return true;
  }
  if (cp >= 0xC0 && cp <= 0x17F) {
    if (const char* letters = LatinLetters(cp)) {
      out += letters;
      return true;
    }
  }
  AppendUtf8(out, cp);
  return !IsSeparatorSymbol(cp) && !(cp >= 0xC0 && cp <= 0x17F);
}

template <typename Each>
void ForEachFolded(std::string_view text, Each each) {
  const std::string decoded = DecodeNameBytes(text);
  std::string piece;
  for (std::size_t i = 0; i < decoded.size();) {
    piece.clear();
    const bool letter = AppendFolded(piece, NextCodePoint(decoded, i));
    each(piece, letter);
  }
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    if (NextCodePoint(bytes, i) == kInvalid) {
      return false;
    }
  }
  return true;
}

std::string DecodeNameBytes(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes);
}

std::string FoldText(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  ForEachFolded(text, [&](const std::string& piece, bool) { folded += piece; });
  return folded;
}

std::string FoldedWords(std::string_view text) {
  std::string words;
  words.reserve(text.size() + 1);
  bool inWord = false;
  ForEachFolded(text, [&](const std::string& piece, bool letter) {
    if (!letter) {
      inWord = false;
      return;
    }
    if (!inWord) {
      words += ' ';
      inWord = true;
    }
    words += piece;
  });
  return words;
}

}  // namespace velmora
