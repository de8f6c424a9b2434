#pragma once

// The preset library's window: search box, the matching presets in columns, the selected
// one's content, and the file operations. Modeless: the editor stays usable beside it, so a
// preset auditioned is heard and seen in the main window at once.

#include <string_view>

#include "surface/form/Form.h"

namespace velmora {

inline constexpr std::string_view kLibraryFormName = "TFormBibliotheque";

const Form& LibraryWindowForm();

}  // namespace velmora
