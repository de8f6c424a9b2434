#pragma once

// How a handler's error reaches the player: every shell runs each handler through
// RunHandler, which shows the error's text in an error box and lets the program go on.
// What the handler had done before the error stays done.

#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "surface/editing/MidiSend.h"
#include "surface/form/FormView.h"

namespace velmora {

// The text as the error box shows it: a full stop is added when the last character sorts
// after "." (so "...correcte" gets one, "...bounds! (-1)" does not).
inline std::string ErrorBoxText(std::string_view text) {
  std::string shown(text);
  if (!shown.empty() && static_cast<unsigned char>(shown.back()) > '.') {
    shown += '.';
  }
  return shown;
}

// Thrown where the player called an operation off from a question it asked: nothing to show,
// and the operation counts as not done (a close stays open).
class PlayerCancelled : public std::exception {
 public:
  const char* what() const noexcept override { return "called off"; }
};

// Runs the handler as one operation of the player; an error it raises is shown and
// swallowed. Returns whether it ended without one (a close handler that failed must leave
// the window open).
template <typename Handler>
bool RunHandler(FormView& view, Handler&& handler) {
  const PlayerOperation operation;
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (const PlayerCancelled&) {
    return false;
  } catch (const std::exception& error) {
    view.ShowError(ErrorBoxText(error.what()));
    return false;
  }
}

}  // namespace velmora
