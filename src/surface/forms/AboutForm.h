#pragma once

// TForm2, the About window: the program's name and version, the maker's website, a close
// button. Created hidden with the main window, shown modally over it.

#include <string_view>

#include "surface/form/Form.h"

namespace velmora {

inline constexpr std::string_view kAboutFormName = "TForm2";

const Form& AboutWindowForm();

}  // namespace velmora
