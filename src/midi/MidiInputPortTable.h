#pragma once

// The open input ports of a backend that receives on a thread of its own (ALSA, JACK): each
// port's state beside what the backend keeps for it (`Extra`: the port it listens to, its
// own port). Holds the calls every such backend answers alike, with one locking scheme:
//
// - The backend's mutex, given at construction, guards the table as it guards the backend's
//   own client; the calls below take it themselves unless they say the caller holds it.
// - The delivery thread holds the dispatch mutex while it turns events into notifications
//   and hands them out, so that stop, reset and close can wait until no delivery is under
//   way: a buffer being handed back has then been queued again, no header is touched by two
//   threads at once, and a closed port is no longer known to the delivery thread.
// - Notifications are handed out after the backend's mutex is released, since the
//   procedure calls back into the backend.

#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "midi/MidiInputPort.h"
#include "midi/MidiPlatform.h"

namespace velmora {

template <typename Extra>
class MidiInputPortTable {
 public:
  struct Port {
    Extra extra;
    MidiInputPort state;
  };

  explicit MidiInputPortTable(std::mutex& mutex) : mutex_(mutex) {}

  // The thread that delivers received events, known before the first port opens: from it,
  // stop, reset and close do not wait for the dispatch it is itself in.
  void SetDeliveryThread(std::thread::id id) { deliveryId_ = id; }

  // Caller holds the backend's mutex.
  Port* Find(MidiHandle handle) {
    const auto port = ports_.find(handle);
    return port == ports_.end() ? nullptr : &port->second;
  }
  template <typename Predicate>
  Port* FindIf(Predicate matches) {
    for (auto& [handle, port] : ports_) {
      if (matches(port.extra)) {
        return &port;
      }
    }
    return nullptr;
  }

  // `connect(extra)` runs under the backend's mutex: it refuses, or makes the backend's own
  // part of the port and sets `handle`.
  template <typename Connect>
  MidiResult Open(MidiHandle& handle, MidiInProc proc, std::uintptr_t instance, Connect connect) {
    MidiInputPort::Notifications notifications;
    {
      std::lock_guard lock(mutex_);
      Extra extra{};
      if (const MidiResult result = connect(extra); result != kMidiOk) {
        return result;
      }
      const Port& port =
          ports_.try_emplace(handle, Port{std::move(extra), MidiInputPort(handle, proc, instance)})
              .first->second;
      port.state.Opened(notifications);
    }
    DeliverMidiNotifications(notifications);
    return kMidiOk;
  }

  MidiResult Prepare(MidiHandle handle, MidiHeader& header) {
    std::lock_guard lock(mutex_);
    Port* port = Find(handle);
    return port == nullptr ? kMidiInvalidHandle : port->state.Prepare(header);
  }

  MidiResult AddBuffer(MidiHandle handle, MidiHeader& header) {
    std::lock_guard lock(mutex_);
    Port* port = Find(handle);
    return port == nullptr ? kMidiInvalidHandle : port->state.Add(header);
  }

  MidiResult Unprepare(MidiHandle handle, MidiHeader& header) {
    std::lock_guard lock(mutex_);
    Port* port = Find(handle);
    return port == nullptr ? kMidiInvalidHandle : port->state.Unprepare(header);
  }

  MidiResult Start(MidiHandle handle) {
    std::lock_guard lock(mutex_);
    Port* port = Find(handle);
    if (port == nullptr) {
      return kMidiInvalidHandle;
    }
    port->state.Start(Clock::now());
    return kMidiOk;
  }

  MidiResult Stop(MidiHandle handle) { return GiveBuffersBack(handle, &MidiInputPort::Stop); }
  MidiResult Reset(MidiHandle handle) { return GiveBuffersBack(handle, &MidiInputPort::Reset); }

  // `release(extra)` runs under the backend's mutex once the port may close, before it is
  // forgotten: it takes away the backend's own port.
  template <typename Release>
  MidiResult Close(MidiHandle handle, Release release) {
    MidiInputPort::Notifications notifications;
    {
      std::lock_guard lock(mutex_);
      Port* port = Find(handle);
      if (port == nullptr) {
        return kMidiInvalidHandle;
      }
      if (const MidiResult result = port->state.CanClose(); result != kMidiOk) {
        return result;
      }
      port->state.Closed(notifications);
      release(port->extra);
      ports_.erase(handle);
    }
    // Once the delivery thread has finished what it was handing out, it no longer knows the
    // port; events of it still queued find no port and are dropped.
    WaitForDispatch();
    DeliverMidiNotifications(notifications);
    return kMidiOk;
  }

  // Delivery thread: `receive(notifications)` runs under both mutexes and turns what has
  // arrived into notifications, handed out once the backend's mutex is released.
  template <typename Receive>
  void Dispatch(Receive receive) {
    std::lock_guard dispatch(dispatchMutex_);
    MidiInputPort::Notifications notifications;
    {
      std::lock_guard lock(mutex_);
      receive(notifications);
    }
    DeliverMidiNotifications(notifications);
  }

 private:
  using Clock = MidiInputPort::Clock;
  using GiveBack = void (MidiInputPort::*)(Clock::time_point, MidiInputPort::Notifications&);

  // Stop and reset: the port's buffers come back once no delivery is under way any more.
  MidiResult GiveBuffersBack(MidiHandle handle, GiveBack giveBack) {
    MidiInputPort::Notifications notifications;
    {
      std::lock_guard lock(mutex_);
      Port* port = Find(handle);
      if (port == nullptr) {
        return kMidiInvalidHandle;
      }
      (port->state.*giveBack)(Clock::now(), notifications);
    }
    WaitForDispatch();
    DeliverMidiNotifications(notifications);
    return kMidiOk;
  }

  // Never waits on the delivery thread itself.
  void WaitForDispatch() {
    if (std::this_thread::get_id() != deliveryId_) {
      std::lock_guard wait(dispatchMutex_);
    }
  }

  std::mutex& mutex_;
  std::map<MidiHandle, Port> ports_;
  std::mutex dispatchMutex_;
  std::thread::id deliveryId_;
};

}  // namespace velmora
