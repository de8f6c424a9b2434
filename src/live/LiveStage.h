#pragma once

// What the windows step on stage: the setlist the pane edits and the file it came from, the
// stepping of the live view, and the footswitch. The MIDI notification thread hands each
// received message to Receive; everything else runs on the user-interface thread.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string_view>

#include "live/Footswitch.h"
#include "live/LiveSteps.h"
#include "live/Setlist.h"

namespace velmora {

class LiveStage {
 public:
  // The setlist the pane shows and edits, and its file (empty for a new one never saved).
  Setlist& Edited() { return setlist_; }
  const std::filesystem::path& File() const { return file_; }
  void Adopt(Setlist setlist, std::filesystem::path file);
  // Whether the pane changed the setlist since it was adopted (opened, saved or made new).
  void MarkEdited() { edited_ = true; }
  bool Unsaved() const { return edited_; }

  // The live view steps a copy of the setlist as it stands now, from its first item, nothing
  // sent.
  void Restart();
  // Null until the first Restart.
  std::shared_ptr<LiveSteps> Steps() const;

  Footswitch& Pedal() { return footswitch_; }
  // The bindings config.ini holds, taken as kept.
  void Bind(const FootswitchBindings& stored);
  // Whether the bindings changed since the last call: a learn ended and is to be kept.
  bool TakeLearned();

  // Notification thread: a footswitch message asks its step of the live view's setlist.
  void Receive(std::string_view port, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);

 private:
  Setlist setlist_;
  std::filesystem::path file_;
  bool edited_ = false;
  Footswitch footswitch_;
  FootswitchBindings kept_;
  mutable std::mutex mutex_;
  std::shared_ptr<LiveSteps> steps_;
};

}  // namespace velmora
