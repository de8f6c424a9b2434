#pragma once

// Text folded for the library's search and order: letter case ignored, accents dropped, so
// that "Deluxe" finds "délüxe". File names made on Windows may arrive as Windows-1252
// bytes; they are decoded first, so their accents fold like any other.

#include <string>
#include <string_view>

namespace velmora {

bool IsValidUtf8(std::string_view bytes);

// UTF-8 kept as it is; any other bytes taken as Windows-1252.
std::string DecodeNameBytes(std::string_view bytes);

// Lower-case ASCII; Latin letters without their accents ("Œ" -> "oe", "ß" -> "ss");
// combining accents dropped; every other character kept as it is.
std::string FoldText(std::string_view text);

// The words of the folded text (runs of letters and digits), each with one blank before it:
// " marshall jcm 800". A word then matches a query word that begins it when the text holds
// " " + query.
std::string FoldedWords(std::string_view text);

}  // namespace velmora
