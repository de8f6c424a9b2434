#include "surface/shell/MonitorHub.h"

#include <exception>

#include "midi/LogLines.h"

namespace velmora {

namespace {

constexpr std::uint8_t kActiveSensing = 0xFE;
constexpr const char* kUnknownError = "Unexpected error while handling MIDI input.";
constexpr std::chrono::seconds kFullReportInterval{1};

}  // namespace

MonitorHub::~MonitorHub() {
  Unbind(nullptr);
}

void MonitorHub::SetWake(std::function<void()> wake) {
  auto shared = std::make_shared<const std::function<void()>>(std::move(wake));
  std::lock_guard lock(LogLock);
  wake_ = std::move(shared);
}

void MonitorHub::SetShortListener(ShortListener listener) {
  std::lock_guard lock(LogLock);
  listener_ = std::move(listener);
}

void MonitorHub::SetInputNames(std::vector<std::string> names) {
  std::lock_guard lock(LogLock);
  inputNames_ = std::move(names);
}

std::vector<MonitorHub::ThruTarget> MonitorHub::TargetsOf(const CheckListBox& outputs) {
  std::vector<ThruTarget> targets;
  for (std::size_t index = 0; index < outputs.items.size(); ++index) {
    if (outputs.Checked(static_cast<int>(index))) {
      targets.push_back({static_cast<int>(index), outputs.items[index]});
    }
  }
  return targets;
}

void MonitorHub::SwitchPorts(const std::function<void()>& adopt, const CheckListBox& outputs,
                             std::vector<std::string> inputNames) {
  std::vector<ThruTarget> targets = TargetsOf(outputs);
  std::lock_guard lock(LogLock);
  adopt();
  thruTargets_ = std::move(targets);
  inputNames_ = std::move(inputNames);
}

void MonitorHub::PublishThruTargets(const CheckListBox& outputs) {
  std::vector<ThruTarget> targets = TargetsOf(outputs);
  // Under LogLock: an event that read the old targets has finished when this returns, so a
  // port unchecked next can be closed without a late thru send opening it again.
  std::lock_guard lock(LogLock);
  thruTargets_ = std::move(targets);
}

void MonitorHub::DoMidiInShort(int device, std::uint8_t status, std::uint8_t data1,
                               std::uint8_t data2) noexcept {
  if (status == kActiveSensing) {
    return;
  }
  std::shared_ptr<const std::function<void()>> wake;
  try {
    std::lock_guard lock(LogLock);
    MonitorEvent event;
    // One failing port neither hides what arrived nor keeps it from the other ports.
    auto attempt = [&event](auto&& work) {
      try {
        work();
      } catch (const std::exception& error) {
        event.errors.push_back(error.what());
      } catch (...) {
        event.errors.push_back(kUnknownError);
      }
    };
    for (auto target = thruTargets_.rbegin(); target != thruTargets_.rend(); ++target) {
      attempt([&] {
        if (Forward(*target, status, data1, data2, event)) {
          event.lines.push_back(ThruLogLine(target->name));
        }
      });
    }
    attempt([&] {
      event.lines.push_back(
          ShortReceivedLogLine(LogTimeNow(), inputNames_.at(device), status, data1, data2));
    });
    if (listener_) {
      attempt([&] { listener_(inputNames_.at(device), status, data1, data2); });
    }
    wake = QueueLocked(std::move(event));
  } catch (...) {
    // Out of memory while queueing: the event is lost, the notification thread survives.
  }
  Wake(wake);
}

bool MonitorHub::Forward(const ThruTarget& target, std::uint8_t status, std::uint8_t data1,
                         std::uint8_t data2, MonitorEvent& event) {
  TMidiOutput& output = GetMidiOutput();
  try {
    output.SendShort(target.index, status, data1, data2);
    return true;
  } catch (const MidiError& error) {
    if (output.LastResult() != kMidiNotReady) {
      throw;
    }
    const auto now = std::chrono::steady_clock::now();
    const auto reported = fullReported_.find(target.name);
    if (reported == fullReported_.end() || now - reported->second >= kFullReportInterval) {
      fullReported_[target.name] = now;
      event.errors.push_back(error.what());
    }
    return false;
  }
}

void MonitorHub::DoMidiInSysEx(int device, ByteStream& stream) noexcept {
  std::shared_ptr<const std::function<void()>> wake;
  try {
    std::lock_guard lock(LogLock);
    MonitorEvent event;
    try {
      event.lines.push_back(SysExReceivedLogLine(LogTimeNow(), inputNames_.at(device), stream));
    } catch (const std::exception& error) {
      event.errors.push_back(error.what());
    }
    wake = QueueLocked(std::move(event));
  } catch (...) {
    // As above: nothing may leave the notification thread.
  }
  Wake(wake);
}

void MonitorHub::DoMidiInLost(std::uint64_t lost) noexcept {
  std::shared_ptr<const std::function<void()>> wake;
  try {
    std::lock_guard lock(LogLock);
    MonitorEvent event;
    event.lines.push_back(LostInputLogLine(LogTimeNow(), lost));
    wake = QueueLocked(std::move(event));
  } catch (...) {
    // As above: nothing may leave the notification thread.
  }
  Wake(wake);
}

std::shared_ptr<const std::function<void()>> MonitorHub::QueueLocked(MonitorEvent event) {
  pending_.push_back(std::move(event));
  return wake_;
}

void MonitorHub::Wake(const std::shared_ptr<const std::function<void()>>& wake) noexcept {
  if (!wake || !*wake) {
    return;
  }
  try {
    (*wake)();
  } catch (...) {
    // The lines stay queued; the next wake or drain picks them up.
  }
}

std::vector<MonitorEvent> MonitorHub::TakeEvents() {
  std::vector<MonitorEvent> events;
  std::lock_guard lock(LogLock);
  events.swap(pending_);
  return events;
}

void MonitorHub::BindTo(TMidiInput& input) {
  Unbind(&input);
  auto binding = std::make_shared<Binding>();
  binding->hub = this;
  binding_ = binding;
  // The binding's mutex is held for each whole delivery, so Unbind can wait for one in
  // flight: the input object calls a copy of the handler outside its own lock.
  input.SetOnShortReceived(
      [binding](int device, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
        std::lock_guard lock(binding->mutex);
        if (binding->hub != nullptr) {
          binding->hub->DoMidiInShort(device, status, data1, data2);
        }
      });
  input.SetOnSysExReceived([binding](int device, ByteStream& stream) {
    std::lock_guard lock(binding->mutex);
    if (binding->hub != nullptr) {
      binding->hub->DoMidiInSysEx(device, stream);
    }
  });
  input.SetOnInputLost([binding](std::uint64_t lost) {
    std::lock_guard lock(binding->mutex);
    if (binding->hub != nullptr) {
      binding->hub->DoMidiInLost(lost);
    }
  });
}

void MonitorHub::Unbind(TMidiInput* input) {
  if (input != nullptr) {
    input->SetOnShortReceived({});
    input->SetOnSysExReceived({});
    input->SetOnInputLost({});
  }
  if (binding_) {
    std::lock_guard lock(binding_->mutex);
    binding_->hub = nullptr;
  }
  binding_.reset();
}

}  // namespace velmora
