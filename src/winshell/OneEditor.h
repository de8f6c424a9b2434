#pragma once

// One editor per user on Windows, so that two never open the MIDI ports: a named mutex,
// which dies with its process (a crash leaves none behind), and WM_COPYDATA to the running
// editor's main window, which carries a property naming it.

#include <optional>

#include <windows.h>

#include "surface/shell/HandOver.h"

namespace velmora {

class OneEditor {
 public:
  OneEditor();
  ~OneEditor();
  OneEditor(const OneEditor&) = delete;
  OneEditor& operator=(const OneEditor&) = delete;

  // Whether this start may run: no other editor holds the mutex, or none could be made
  // (a start is never refused for that).
  bool Claim() const { return !heldElsewhere_; }
  // Gives handOver to the running editor's window; false when it never answered.
  static bool HandTo(const HandOver& handOver);
  // Names window as the one the next starts hand over to.
  static void Mark(HWND window);
  // The hand-over inside a WM_COPYDATA's lParam, or nothing when it is not a well-formed one.
  static std::optional<HandOver> Read(LPARAM copyData);

 private:
  HANDLE mutex_ = nullptr;
  bool heldElsewhere_ = false;
};

}  // namespace velmora
