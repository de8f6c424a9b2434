#pragma once

// Who the program is: shown in the main window's title and in the About window.

#include <string>
#include <string_view>

namespace velmora {

inline constexpr std::string_view ProgramName = "Velmora";
inline constexpr std::string_view ProgramVersion = "1.01";
inline constexpr std::string_view HardwareName = "Variax + Vetta II";

// "Velmora 1.01 -  Variax + Vetta II": two blanks after the dash.
inline std::string MainWindowTitle() {
  return std::string(ProgramName) + " " + std::string(ProgramVersion) + " -  " +
         std::string(HardwareName);
}

}  // namespace velmora
