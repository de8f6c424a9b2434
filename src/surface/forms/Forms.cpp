#include <array>

#include "surface/forms/AboutForm.h"
#include "surface/forms/LibraryForm.h"
#include "surface/forms/LiveForm.h"
#include "surface/forms/MainForm.h"
#include "surface/forms/RigForm.h"

namespace velmora {

// The one list of forms. A new window is one more line here.
std::span<const Form* const> AllForms() {
  static const std::array<const Form*, 5> forms = {&MainWindowForm(), &AboutWindowForm(),
                                                   &LibraryWindowForm(), &RigWindowForm(),
                                                   &LiveWindowForm()};
  return forms;
}

}  // namespace velmora
