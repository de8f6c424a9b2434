#pragma once

// What the MIDI notification thread shares with the window while the monitor listens. The
// notification thread never touches the form: it reads a snapshot of the thru targets that
// the user-interface thread publishes, and hands each event's finished log lines (and the
// errors met, if any) back through a queue that the user-interface thread drains.

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "midi/ByteStream.h"
#include "midi/Midi.h"
#include "surface/form/FormModel.h"

namespace velmora {

// One received message's work. lines are in the order they go to the top of the log, so
// the log shows them last to first; errors are the texts of the failures met, one a thru
// port that failed (the others still got the message and the line is still logged).
struct MonitorEvent {
  std::vector<std::string> lines;
  std::vector<std::string> errors;
};

class MonitorHub {
 public:
  MonitorHub() = default;
  // Detaches any handler still bound: a notification arriving later finds no hub.
  ~MonitorHub();
  MonitorHub(const MonitorHub&) = delete;
  MonitorHub& operator=(const MonitorHub&) = delete;

  // Held by each input handler for its whole work, thru sends included, so the sends and
  // lines of two messages never interleave. Also guards everything below that both threads
  // see; the user-interface thread only ever holds it briefly, never across a device call.
  std::mutex LogLock;

  // Called on the notification thread after each event is queued, outside LogLock, so a
  // window can ask its own thread to drain. Set it before binding.
  void SetWake(std::function<void()> wake);

  // Called on the notification thread with each short message and its input port's name,
  // beside the monitor's own work (the footswitch listens here). Set it before binding.
  using ShortListener = std::function<void(std::string_view port, std::uint8_t status,
                                           std::uint8_t data1, std::uint8_t data2)>;
  void SetShortListener(ShortListener listener);

  // User-interface thread. The input port names, in device order, for the received lines.
  void SetInputNames(std::vector<std::string> names);
  // User-interface thread: the checked items of outputs become the thru targets. Once this
  // returns, no message is forwarded by an older snapshot any more.
  void PublishThruTargets(const CheckListBox& outputs);

  // User-interface thread, when ports came or went: runs adopt (which switches the device
  // layer's lists, without any platform call) under LogLock together with the new thru
  // targets and input names, so no message is forwarded or named by a list and an index
  // that do not belong together.
  void SwitchPorts(const std::function<void()>& adopt, const CheckListBox& outputs,
                   std::vector<std::string> inputNames);

  // Notification thread. Status FE (Active Sensing) is dropped at once; anything else goes
  // to every thru target from the last index down, then gets its received line. A thru
  // target that stays full through the platform's wait is reported once a second at most,
  // so a flood does not bring one error per message.
  void DoMidiInShort(int device, std::uint8_t status, std::uint8_t data1,
                     std::uint8_t data2) noexcept;
  // Notification thread: one line for the whole buffer; System Exclusive is never forwarded.
  void DoMidiInSysEx(int device, ByteStream& stream) noexcept;
  // Notification thread: one line saying how many received events were lost.
  void DoMidiInLost(std::uint64_t lost) noexcept;

  // User-interface thread: the events queued so far, oldest first.
  std::vector<MonitorEvent> TakeEvents();

  // Routes the input object's notifications to this hub, until Unbind.
  void BindTo(TMidiInput& input);
  // Once this returns, no notification is inside the hub and none will reach it.
  void Unbind(TMidiInput* input);

 private:
  struct ThruTarget {
    int index = 0;
    std::string name;
  };
  // Shared with the bound handlers, which may outlive the hub by one delivery in flight.
  struct Binding {
    std::mutex mutex;
    MonitorHub* hub = nullptr;
  };

  static std::vector<ThruTarget> TargetsOf(const CheckListBox& outputs);
  // LogLock held. False when the target was full for the whole wait; the error goes to
  // event unless the target was reported full less than a second ago.
  bool Forward(const ThruTarget& target, std::uint8_t status, std::uint8_t data1,
               std::uint8_t data2, MonitorEvent& event);
  // Queues the event; LogLock must be held. Returns the wake callback to call afterwards.
  std::shared_ptr<const std::function<void()>> QueueLocked(MonitorEvent event);
  static void Wake(const std::shared_ptr<const std::function<void()>>& wake) noexcept;

  std::vector<std::string> inputNames_;
  std::vector<ThruTarget> thruTargets_;  // ascending device index
  std::vector<MonitorEvent> pending_;
  std::map<std::string, std::chrono::steady_clock::time_point> fullReported_;
  std::shared_ptr<const std::function<void()>> wake_;
  ShortListener listener_;
  std::shared_ptr<Binding> binding_;
};

}  // namespace velmora
