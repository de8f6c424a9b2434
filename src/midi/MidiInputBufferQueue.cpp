#include "midi/MidiInputBufferQueue.h"

namespace velmora {

namespace {

constexpr std::uint8_t kSysExStart = 0xF0;
constexpr std::uint8_t kSysExEnd = 0xF7;

}  // namespace

MidiResult MidiInputBufferQueue::Prepare(MidiHeader& header) {
  if (header.data == nullptr || header.bufferLength == 0) {
    return kMidiInvalidParam;
  }
  header.flags |= kHeaderPrepared;
  return kMidiOk;
}

MidiResult MidiInputBufferQueue::Add(MidiHeader& header) {
  if ((header.flags & kHeaderPrepared) == 0) {
    return kMidiUnprepared;
  }
  if ((header.flags & kHeaderInQueue) != 0) {
    return kMidiStillPlaying;
  }
  header.flags = (header.flags & ~kHeaderDone) | kHeaderInQueue;
  header.bytesRecorded = 0;
  queue_.push_back(&header);
  return kMidiOk;
}

MidiResult MidiInputBufferQueue::Unprepare(MidiHeader& header) {
  if ((header.flags & kHeaderInQueue) != 0) {
    return kMidiStillPlaying;
  }
  header.flags &= ~kHeaderPrepared;
  return kMidiOk;
}

void MidiInputBufferQueue::AppendSysEx(std::span<const std::uint8_t> bytes,
                                       std::vector<MidiHeader*>& returned) {
  for (const std::uint8_t byte : bytes) {
    if (queue_.empty()) {
      ++lostBytes_;
      continue;
    }
    MidiHeader* header = queue_.front();
    // A new message never shares a buffer with the unfinished end of an earlier one.
    if (byte == kSysExStart && header->bytesRecorded > 0) {
      ReturnFront(returned);
      if (queue_.empty()) {
        ++lostBytes_;
        continue;
      }
      header = queue_.front();
    }
    header->data[header->bytesRecorded++] = byte;
    if (byte == kSysExEnd || header->bytesRecorded == header->bufferLength) {
      ReturnFront(returned);
    }
  }
}

void MidiInputBufferQueue::ReturnPartial(std::vector<MidiHeader*>& returned) {
  if (!queue_.empty() && queue_.front()->bytesRecorded > 0) {
    ReturnFront(returned);
  }
}

void MidiInputBufferQueue::ReturnAll(std::vector<MidiHeader*>& returned) {
  while (!queue_.empty()) {
    ReturnFront(returned);
  }
}

void MidiInputBufferQueue::ReturnFront(std::vector<MidiHeader*>& returned) {
  MidiHeader* header = queue_.front();
  queue_.pop_front();
  header->flags = (header->flags & ~kHeaderInQueue) | kHeaderDone;
  returned.push_back(header);
}

}  // namespace velmora
