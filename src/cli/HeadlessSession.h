#pragma once

// What a command that edits the rig works on: the window as first shown, played by the
// headless view, with the program's folders found as the window finds them.

#include <ostream>

#include "cli/HeadlessView.h"
#include "surface/editing/EditingContext.h"

namespace velmora {

class HeadlessSession {
 public:
  // Finding the program's folders can fail: construct it where errors are caught.
  explicit HeadlessSession(std::ostream& messages);
  HeadlessSession(const HeadlessSession&) = delete;
  HeadlessSession& operator=(const HeadlessSession&) = delete;

  EditingContext& Context() { return context_; }

  // Fills the port list, opens the port and picks it, as choosing it in the window does.
  void OpenOutputPort(int port);

 private:
  FormModel form_;
  HeadlessView view_;
  EditingContext context_;
};

}  // namespace velmora
