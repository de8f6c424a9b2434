// Any bytes through the input side: the splitter alone, then an input port fed event by
// event while its receive buffers are stopped, reset and queued again.
//
// The splitter hands out only well-formed messages, made of the input's own bytes in their
// order. The port's buffers come back once per queuing, done and out of the queue, never
// overfilled, and they never hold more SysEx bytes than the port received while started.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <chrono>
#include <vector>

#include "FuzzCheck.h"
#include "midi/MidiInputPort.h"
#include "midi/MidiMessageSplitter.h"

namespace {

using velmora::fuzz::Require;

void IgnoreNotification(velmora::MidiHandle, std::uint32_t, std::uintptr_t, std::uintptr_t,
                        std::uintptr_t) {}

bool WellFormed(const velmora::MidiMessage& message) {
  if (message.empty() || message.front() < 0x80) {
    return false;
  }
  if (message.front() == 0xF0) {
    for (std::size_t i = 1; i + 1 < message.size(); ++i) {
      if (message[i] >= 0x80) {
        return false;
      }
    }
    return message.size() >= 2 && message.back() == 0xF7;
  }
  if (message.size() != velmora::MidiMessageLength(message.front())) {
    return false;
  }
  for (std::size_t i = 1; i < message.size(); ++i) {
    if (message[i] >= 0x80) {
      return false;
    }
  }
  return true;
}

// Real-time bytes stand out of line, so the real-time messages and the others are each a
// subsequence of their own part of the input.
void RequireSubsequence(const std::vector<velmora::MidiMessage>& messages,
                        const std::vector<std::uint8_t>& bytes) {
  std::size_t at = 0;
  for (const velmora::MidiMessage& message : messages) {
    for (std::uint8_t byte : message) {
      while (at < bytes.size() && bytes[at] != byte) {
        ++at;
      }
      Require(at < bytes.size(), "splitter invented or reordered bytes");
      ++at;
    }
  }
}

void CheckSplitter(const std::vector<std::uint8_t>& bytes) {
  std::vector<velmora::MidiMessage> realTime;
  std::vector<velmora::MidiMessage> others;
  for (velmora::MidiMessage& message : velmora::SplitMidiMessages(bytes)) {
    Require(WellFormed(message), "splitter made a malformed message");
    (message.front() >= 0xF8 ? realTime : others).push_back(std::move(message));
  }
  std::vector<std::uint8_t> realTimeBytes;
  std::vector<std::uint8_t> otherBytes;
  for (std::uint8_t byte : bytes) {
    (byte >= 0xF8 ? realTimeBytes : otherBytes).push_back(byte);
  }
  RequireSubsequence(realTime, realTimeBytes);
  RequireSubsequence(others, otherBytes);
}

// A short event's SysEx messages go to the buffers too.
std::size_t WholeSysExBytes(const std::vector<std::uint8_t>& bytes) {
  std::size_t count = 0;
  for (const velmora::MidiMessage& message : velmora::SplitMidiMessages(bytes)) {
    count += message.front() == 0xF0 ? message.size() : 0;
  }
  return count;
}

struct Buffer {
  std::vector<std::uint8_t> storage;
  velmora::MidiHeader header;
  bool queued = false;
};

class BufferCycle {
 public:
  explicit BufferCycle(FuzzedDataProvider& input) {
    for (Buffer& buffer : buffers_) {
      buffer.storage.resize(input.ConsumeIntegralInRange<std::size_t>(1, 32));
      buffer.header.data = buffer.storage.data();
      buffer.header.bufferLength = static_cast<std::uint32_t>(buffer.storage.size());
      Require(port_.Prepare(buffer.header) == velmora::kMidiOk, "prepare refused");
    }
  }

  void Run(FuzzedDataProvider& input) {
    const auto now = std::chrono::steady_clock::now();
    velmora::MidiInputPort::Notifications out;
    switch (input.ConsumeIntegralInRange(0, 5)) {
      case 0:
        port_.Start(now);
        started_ = true;
        break;
      case 1:
        port_.Stop(now, out);
        started_ = false;
        break;
      case 2:
        port_.Reset(now, out);
        started_ = false;
        break;
      case 3:
        QueueAll();
        break;
      default: {
        const bool sysEx = input.ConsumeBool();
        const std::vector<std::uint8_t> bytes =
            input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 64));
        port_.Receive(bytes, sysEx, now, out);
        if (started_) {
          sysExBytes_ += sysEx ? bytes.size() : WholeSysExBytes(bytes);
        }
        break;
      }
    }
    Check(out);
  }

  void Finish() {
    velmora::MidiInputPort::Notifications out;
    port_.Reset(std::chrono::steady_clock::now(), out);
    Check(out);
    for (const Buffer& buffer : buffers_) {
      Require(!buffer.queued, "a buffer stayed queued after reset");
    }
    Require(port_.CanClose() == velmora::kMidiOk, "cannot close after reset");
  }

 private:
  void QueueAll() {
    for (Buffer& buffer : buffers_) {
      if (!buffer.queued) {
        Require(port_.Add(buffer.header) == velmora::kMidiOk, "add refused");
        buffer.queued = true;
      }
    }
  }

  void Check(const velmora::MidiInputPort::Notifications& out) {
    for (const velmora::MidiNotification& n : out) {
      if (n.message == velmora::kMimLongData) {
        auto* header = reinterpret_cast<velmora::MidiHeader*>(n.param1);
        Buffer* owner = nullptr;
        for (Buffer& buffer : buffers_) {
          owner = &buffer.header == header ? &buffer : owner;
        }
        Require(owner != nullptr && owner->queued, "a buffer came back that was not queued");
        Require(header->bytesRecorded <= header->bufferLength, "a buffer overfilled");
        Require((header->flags & velmora::kHeaderDone) != 0 &&
                    (header->flags & velmora::kHeaderInQueue) == 0,
                "a returned buffer is not done");
        owner->queued = false;
        recorded_ += header->bytesRecorded;
      } else {
        Require(n.message == velmora::kMimData, "unexpected notification");
        const auto status = static_cast<std::uint8_t>(n.param1);
        Require(status >= 0x80 && velmora::MidiMessageLength(status) > 0,
                "short message without a status byte");
      }
    }
    // Bytes still in queued buffers or lost for want of one are not counted: at most.
    Require(recorded_ <= sysExBytes_, "more SysEx bytes out than in");
  }

  velmora::MidiInputPort port_{1, IgnoreNotification, 0};
  std::array<Buffer, 3> buffers_;
  bool started_ = false;
  std::uint64_t sysExBytes_ = 0;
  std::uint64_t recorded_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckSplitter(std::vector<std::uint8_t>(data, data + size));
  FuzzedDataProvider input(data, size);
  BufferCycle cycle(input);
  while (input.remaining_bytes() > 0) {
    cycle.Run(input);
  }
  cycle.Finish();
  return 0;
}
