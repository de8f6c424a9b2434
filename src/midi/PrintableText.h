#pragma once

// Text from a file or the command line, made safe to print on a terminal.

#include <string>
#include <string_view>

namespace velmora {

// Each control character (00 to 1F, and 7F) written as "\x1b", NUL as "\x00"; everything
// else as it is. An escape sequence from a file would otherwise move the cursor or retitle
// the terminal, and a NUL would cut the message short.
std::string EscapeControlCharacters(std::string_view text);

}  // namespace velmora
