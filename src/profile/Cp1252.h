#pragma once

// Files keep the Windows-1252 code page so they stay interchangeable with files made on
// Windows; everything in memory is UTF-8. These convert at that boundary.

#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora {

// A text that cannot be carried across: invalid UTF-8, or a character Windows-1252 lacks.
class EncodingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Never fails: every byte has a character. The five bytes Windows-1252 leaves undefined
// (81 8D 8F 90 9D) become U+0081 and so on, as Windows converts them.
std::string Cp1252ToUtf8(std::string_view bytes);

// Throws EncodingError for invalid UTF-8 or a character without a Windows-1252 byte, rather
// than writing a substitute that would silently change the text.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace velmora
