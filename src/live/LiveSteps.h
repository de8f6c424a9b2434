#pragma once

// Stepping through a setlist, for the live view and the headless stage box alike. A step
// may be asked for from any thread (a key, a footswitch message on the MIDI notification
// thread); the position moves at once, and the editing thread then goes there. Latest
// wins: steps asked for while a load runs are neither dropped nor replayed one by one; once
// the load ends, the editing thread goes straight to the last position asked for.

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "live/Setlist.h"
#include "surface/editing/EditingContext.h"

namespace velmora {

enum class StepAction { kNext, kPrevious, kFirst, kItem };

struct StepRequest {
  StepAction action = StepAction::kNext;
  std::size_t item = 0;  // for kItem: 1 .. Count()
};

// What a live view shows. position is 1-based, 0 for an empty setlist; nextLabel is empty
// on the last item.
struct LiveState {
  std::size_t position = 0;
  std::size_t count = 0;
  std::string label;
  std::string nextLabel;
  bool going = false;  // a send or a load of the editing thread is under way
};

// What a step told: an item gone to, or why it did not move. position and count are the
// setlist's as the step found it; item is the number asked for.
struct StepNotice {
  enum class Kind { kWent, kOnLast, kOnFirst, kEmpty, kNoItem };
  Kind kind = Kind::kWent;
  std::size_t position = 0;
  std::size_t count = 0;
  std::size_t item = 0;
  std::string label;  // kWent: the item's
};

// "3/12 Label", "Already on the last item (3/3)"; in French the same numbers.
std::string NoticeText(const StepNotice& notice, bool english);
std::vector<std::string> NoticeTexts(const std::vector<StepNotice>& notices, bool english);

class LiveSteps {
 public:
  // Opens on the first item without sending it.
  explicit LiveSteps(Setlist setlist);
  LiveSteps(const LiveSteps&) = delete;
  LiveSteps& operator=(const LiveSteps&) = delete;

  // Called on the asking thread after a step was asked for, so the editing thread can be
  // woken to run RunPending. Set it before the first Ask.
  void SetWake(std::function<void()> wake);

  // Any thread. Moves the position, or leaves it and says why in a notice (the ends, a
  // number outside the setlist). Returns whether it moved.
  bool Ask(StepRequest request);

  // The editing thread: goes to the position last asked for (a stored preset is sent as the
  // preset panel sends it, a file loads as Open loads it), then again while steps came
  // meanwhile. A failing send or load shows its error through the view and the position
  // stays on that item.
  void RunPending(EditingContext& context);

  LiveState State() const;
  // The notices since the last call, oldest first: each item gone to, and the steps that
  // did not move.
  std::vector<StepNotice> TakeNotices();

 private:
  std::string LabelAt(std::size_t position) const;
  void GoTo(EditingContext& context, std::size_t position);

  const Setlist setlist_;
  std::function<void()> wake_;
  mutable std::mutex mutex_;
  std::size_t position_ = 0;
  bool pending_ = false;
  bool going_ = false;
  std::vector<StepNotice> notices_;
};

}  // namespace velmora
