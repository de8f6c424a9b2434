#include "midi/winmm/WinmmMidiPlatform.h"

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <span>

#include "midi/ShortAndLongSends.h"

#include "midi/NotReadyRetry.h"

namespace velmora {

namespace {

// Our header flags carry the multimedia API's values, so they are copied as they are.
static_assert(kHeaderDone == MHDR_DONE && kHeaderPrepared == MHDR_PREPARED &&
              kHeaderInQueue == MHDR_INQUEUE);
static_assert(kMidiNotReady == MIDIERR_NOTREADY);
static_assert(kMimData == MIM_DATA && kMimLongData == MIM_LONGDATA && kMimOpen == MIM_OPEN &&
              kMimClose == MIM_CLOSE);
constexpr DWORD kHeaderFlagsWeMirror = MHDR_DONE | MHDR_PREPARED | MHDR_INQUEUE;

// A transmission longer than this is a driver that will never finish: at 31250 baud a byte
// takes 0.32 ms, so a full 2048-byte buffer still has room to spare.
constexpr auto kLongestTransmission = std::chrono::seconds(3);
constexpr DWORD kWaitSliceMs = 10;

HMIDIIN InHandle(MidiHandle handle) {
  return reinterpret_cast<HMIDIIN>(handle);
}
HMIDIOUT OutHandle(MidiHandle handle) {
  return reinterpret_cast<HMIDIOUT>(handle);
}

// What the platform's notification procedure needs to reach ours.
struct InputContext {
  MidiInProc proc;
  std::uintptr_t instance;
};

void CopyBack(const MIDIHDR& real, MidiHeader& header) {
  header.bytesRecorded = real.dwBytesRecorded;
  header.flags = (header.flags & ~kHeaderFlagsWeMirror) | (real.dwFlags & kHeaderFlagsWeMirror);
}

void CALLBACK InputAdapter(HMIDIIN in, UINT message, DWORD_PTR context, DWORD_PTR param1,
                           DWORD_PTR param2) {
  const auto* target = reinterpret_cast<const InputContext*>(context);
  if (target == nullptr || target->proc == nullptr) {
    return;
  }
  if (message == MIM_LONGDATA || message == MIM_LONGERROR) {
    // The platform hands back its own header; ours is the one the device layer knows.
    const auto* real = reinterpret_cast<const MIDIHDR*>(param1);
    auto* header = reinterpret_cast<MidiHeader*>(real->dwUser);
    CopyBack(*real, *header);
    param1 = reinterpret_cast<DWORD_PTR>(header);
  }
  target->proc(reinterpret_cast<MidiHandle>(in), message, target->instance, param1, param2);
}

// A real MIDIHDR for each of our headers, living from prepare to unprepare (or the close
// of its port), so the platform never holds a header that has gone.
struct RealHeader {
  MidiHandle handle;
  MIDIHDR header;
};

class HeaderTable {
 public:
  // The real header for ours, made on first use; the platform then refuses it as
  // unprepared when it was never prepared, exactly as it would refuse ours.
  MIDIHDR& Find(MidiHandle handle, MidiHeader& ours) {
    std::unique_ptr<RealHeader>& entry = table_[&ours];
    if (!entry) {
      entry = std::make_unique<RealHeader>();
      entry->handle = handle;
      std::memset(&entry->header, 0, sizeof(MIDIHDR));
    }
    MIDIHDR& real = entry->header;
    if ((real.dwFlags & MHDR_PREPARED) == 0) {
      entry->handle = handle;
      real.lpData = reinterpret_cast<LPSTR>(ours.data);
      real.dwBufferLength = ours.bufferLength;
      real.dwBytesRecorded = ours.bytesRecorded;
      real.dwUser = reinterpret_cast<DWORD_PTR>(&ours);
    }
    return real;
  }
  void ForgetUnprepared(MidiHeader& ours) {
    const auto entry = table_.find(&ours);
    if (entry != table_.end() && (entry->second->header.dwFlags & MHDR_PREPARED) == 0) {
      table_.erase(entry);
    }
  }
  void ForgetPort(MidiHandle handle) {
    std::erase_if(table_, [handle](const auto& entry) { return entry.second->handle == handle; });
  }

 private:
  std::map<const MidiHeader*, std::unique_ptr<RealHeader>> table_;
};

class WinmmMidiPlatform final : public MidiPlatform {
 public:
  ~WinmmMidiPlatform() override;

  unsigned InputCount() override { return midiInGetNumDevs(); }
  MidiResult InputName(unsigned id, std::string& name) override;
  MidiResult InputOpen(MidiHandle& handle, unsigned id, MidiInProc proc,
                       std::uintptr_t instance) override;
  MidiResult InputPrepare(MidiHandle handle, MidiHeader& header) override;
  MidiResult InputAddBuffer(MidiHandle handle, MidiHeader& header) override;
  MidiResult InputUnprepare(MidiHandle handle, MidiHeader& header) override;
  MidiResult InputStart(MidiHandle handle) override { return midiInStart(InHandle(handle)); }
  MidiResult InputStop(MidiHandle handle) override { return midiInStop(InHandle(handle)); }
  MidiResult InputReset(MidiHandle handle) override { return midiInReset(InHandle(handle)); }
  MidiResult InputClose(MidiHandle handle) override;

  unsigned OutputCount() override { return midiOutGetNumDevs(); }
  MidiResult OutputName(unsigned id, std::string& name) override;
  MidiResult OutputOpen(MidiHandle& handle, unsigned id) override;
  MidiResult OutputShort(MidiHandle handle, std::uint32_t message) override {
    return RetryWhileNotReady([&] { return midiOutShortMsg(OutHandle(handle), message); });
  }
  MidiResult OutputPrepare(MidiHandle handle, MidiHeader& header) override;
  MidiResult OutputLong(MidiHandle handle, MidiHeader& header) override;
  MidiResult OutputUnprepare(MidiHandle handle, MidiHeader& header) override;
  MidiResult OutputClose(MidiHandle handle) override;

  bool ErrorText(MidiResult result, std::string& text) override;

 private:
  MidiResult SendMessages(MidiHandle handle, std::span<const std::uint8_t> bytes);
  MidiResult SendSysEx(MidiHandle handle, MidiMessage& sysEx);
  MidiResult WaitUntilDone(MidiHandle handle, const MIDIHDR& real);

  std::mutex inMutex_;
  HeaderTable inHeaders_;
  std::map<MidiHandle, std::unique_ptr<InputContext>> contexts_;

  std::mutex outMutex_;
  HeaderTable outHeaders_;
  // Signalled by the platform whenever an output buffer is done.
  std::map<MidiHandle, HANDLE> doneEvents_;
};

WinmmMidiPlatform::~WinmmMidiPlatform() {
  // Ports still open here were left by a device layer that is gone; their events go with
  // the platform object, the ports themselves with the process.
  for (const auto& [handle, event] : doneEvents_) {
    CloseHandle(event);
  }
}

MidiResult WinmmMidiPlatform::InputName(unsigned id, std::string& name) {
  MIDIINCAPSA caps{};
  const MMRESULT result = midiInGetDevCapsA(id, &caps, sizeof(caps));
  if (result == MMSYSERR_NOERROR) {
    name.assign(caps.szPname, strnlen(caps.szPname, sizeof(caps.szPname)));
  }
  return result;
}

MidiResult WinmmMidiPlatform::OutputName(unsigned id, std::string& name) {
  MIDIOUTCAPSA caps{};
  const MMRESULT result = midiOutGetDevCapsA(id, &caps, sizeof(caps));
  if (result == MMSYSERR_NOERROR) {
    name.assign(caps.szPname, strnlen(caps.szPname, sizeof(caps.szPname)));
  }
  return result;
}

MidiResult WinmmMidiPlatform::InputOpen(MidiHandle& handle, unsigned id, MidiInProc proc,
                                        std::uintptr_t instance) {
  // The context must exist before the open: the platform sends MIM_OPEN from inside it.
  auto context = std::make_unique<InputContext>(InputContext{proc, instance});
  HMIDIIN in = nullptr;
  const MMRESULT result = midiInOpen(&in, id, reinterpret_cast<DWORD_PTR>(&InputAdapter),
                                     reinterpret_cast<DWORD_PTR>(context.get()), CALLBACK_FUNCTION);
  if (result != MMSYSERR_NOERROR) {
    return result;
  }
  handle = reinterpret_cast<MidiHandle>(in);
  std::lock_guard lock(inMutex_);
  contexts_[handle] = std::move(context);
  return result;
}

MidiResult WinmmMidiPlatform::InputPrepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(inMutex_);
  MIDIHDR& real = inHeaders_.Find(handle, header);
  const MMRESULT result = midiInPrepareHeader(InHandle(handle), &real, sizeof(MIDIHDR));
  CopyBack(real, header);
  inHeaders_.ForgetUnprepared(header);
  return result;
}

MidiResult WinmmMidiPlatform::InputAddBuffer(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(inMutex_);
  MIDIHDR& real = inHeaders_.Find(handle, header);
  real.dwBytesRecorded = header.bytesRecorded;
  const MMRESULT result = midiInAddBuffer(InHandle(handle), &real, sizeof(MIDIHDR));
  CopyBack(real, header);
  inHeaders_.ForgetUnprepared(header);
  return result;
}

MidiResult WinmmMidiPlatform::InputUnprepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(inMutex_);
  MIDIHDR& real = inHeaders_.Find(handle, header);
  const MMRESULT result = midiInUnprepareHeader(InHandle(handle), &real, sizeof(MIDIHDR));
  CopyBack(real, header);
  inHeaders_.ForgetUnprepared(header);
  return result;
}

MidiResult WinmmMidiPlatform::InputClose(MidiHandle handle) {
  // Not under inMutex_: the platform sends MIM_CLOSE from inside the close, and the
  // notification procedure may prepare and add buffers, which take the lock.
  const MMRESULT result = midiInClose(InHandle(handle));
  if (result == MMSYSERR_NOERROR) {
    std::lock_guard lock(inMutex_);
    inHeaders_.ForgetPort(handle);
    contexts_.erase(handle);
  }
  return result;
}

MidiResult WinmmMidiPlatform::OutputOpen(MidiHandle& handle, unsigned id) {
  HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (done == nullptr) {
    return MMSYSERR_NOMEM;
  }
  HMIDIOUT out = nullptr;
  const MMRESULT result =
      midiOutOpen(&out, id, reinterpret_cast<DWORD_PTR>(done), 0, CALLBACK_EVENT);
  if (result != MMSYSERR_NOERROR) {
    CloseHandle(done);
    return result;
  }
  handle = reinterpret_cast<MidiHandle>(out);
  std::lock_guard lock(outMutex_);
  doneEvents_[handle] = done;
  return result;
}

MidiResult WinmmMidiPlatform::OutputPrepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(outMutex_);
  MIDIHDR& real = outHeaders_.Find(handle, header);
  const MMRESULT result = midiOutPrepareHeader(OutHandle(handle), &real, sizeof(MIDIHDR));
  CopyBack(real, header);
  outHeaders_.ForgetUnprepared(header);
  return result;
}

MidiResult WinmmMidiPlatform::OutputLong(MidiHandle handle, MidiHeader& header) {
  MIDIHDR* real = nullptr;
  {
    std::lock_guard lock(outMutex_);
    real = &outHeaders_.Find(handle, header);
  }
  // The header itself never reaches the driver, but an unprepared one is refused as the
  // platform would refuse it.
  MMRESULT result = MIDIERR_UNPREPARED;
  if ((real->dwFlags & MHDR_PREPARED) != 0) {
    result = SendMessages(
        handle, {reinterpret_cast<const std::uint8_t*>(real->lpData), real->dwBufferLength});
    if (result == MMSYSERR_NOERROR) {
      real->dwFlags |= MHDR_DONE;
    }
  }
  std::lock_guard lock(outMutex_);
  CopyBack(*real, header);
  outHeaders_.ForgetUnprepared(header);
  return result;
}

// midiOutLongMsg is the call for SysEx, and a driver may take it at its word: Wine's wraps a
// long buffer of "B0 0C 31" in F0 ... F7, which the amp ignores. So each message goes through
// the call made for it, and the first refusal ends the buffer.
MidiResult WinmmMidiPlatform::SendMessages(MidiHandle handle, std::span<const std::uint8_t> bytes) {
  for (ShortOrLongSend& send : SplitIntoShortAndLongSends(bytes)) {
    const MMRESULT result = send.sysEx.empty() ? RetryWhileNotReady([&] {
      return midiOutShortMsg(OutHandle(handle), send.shortMessage);
    })
                                               : SendSysEx(handle, send.sysEx);
    if (result != MMSYSERR_NOERROR) {
      return result;
    }
  }
  return MMSYSERR_NOERROR;
}

// A SysEx goes in a header of its own, over its own bytes, kept until the driver is done.
MidiResult WinmmMidiPlatform::SendSysEx(MidiHandle handle, MidiMessage& sysEx) {
  MIDIHDR sent{};
  sent.lpData = reinterpret_cast<LPSTR>(sysEx.data());
  sent.dwBufferLength = static_cast<DWORD>(sysEx.size());
  sent.dwBytesRecorded = sent.dwBufferLength;
  MMRESULT result = midiOutPrepareHeader(OutHandle(handle), &sent, sizeof(MIDIHDR));
  if (result != MMSYSERR_NOERROR) {
    return result;
  }
  result =
      RetryWhileNotReady([&] { return midiOutLongMsg(OutHandle(handle), &sent, sizeof(MIDIHDR)); });
  if (result == MMSYSERR_NOERROR) {
    result = WaitUntilDone(handle, sent);
  }
  const MMRESULT unprepared = midiOutUnprepareHeader(OutHandle(handle), &sent, sizeof(MIDIHDR));
  return result != MMSYSERR_NOERROR ? result : unprepared;
}

// The platform may still be sending when midiOutLongMsg returns; the caller frees the bytes
// once we return, so we wait for the header's done flag. The port's event wakes us when
// any buffer is done; the slices only guard against a wake-up another sender consumed.
MidiResult WinmmMidiPlatform::WaitUntilDone(MidiHandle handle, const MIDIHDR& real) {
  HANDLE done = nullptr;
  {
    std::lock_guard lock(outMutex_);
    const auto found = doneEvents_.find(handle);
    if (found != doneEvents_.end()) {
      done = found->second;
    }
  }
  const auto isDone = [&real] {
    return (reinterpret_cast<const volatile DWORD&>(real.dwFlags) & MHDR_DONE) != 0;
  };
  const auto deadline = std::chrono::steady_clock::now() + kLongestTransmission;
  while (!isDone()) {
    if (std::chrono::steady_clock::now() > deadline) {
      // Reset makes the driver give every buffer back, so the bytes are free again.
      midiOutReset(OutHandle(handle));
      while (!isDone()) {
        Sleep(1);
      }
      return MIDIERR_NOTREADY;
    }
    if (done != nullptr) {
      WaitForSingleObject(done, kWaitSliceMs);
    } else {
      Sleep(1);
    }
  }
  return MMSYSERR_NOERROR;
}

MidiResult WinmmMidiPlatform::OutputUnprepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(outMutex_);
  MIDIHDR& real = outHeaders_.Find(handle, header);
  const MMRESULT result = midiOutUnprepareHeader(OutHandle(handle), &real, sizeof(MIDIHDR));
  CopyBack(real, header);
  outHeaders_.ForgetUnprepared(header);
  return result;
}

MidiResult WinmmMidiPlatform::OutputClose(MidiHandle handle) {
  const MMRESULT result = midiOutClose(OutHandle(handle));
  if (result == MMSYSERR_NOERROR) {
    std::lock_guard lock(outMutex_);
    outHeaders_.ForgetPort(handle);
    if (const auto done = doneEvents_.find(handle); done != doneEvents_.end()) {
      CloseHandle(done->second);
      doneEvents_.erase(done);
    }
  }
  return result;
}

bool WinmmMidiPlatform::ErrorText(MidiResult result, std::string& text) {
  char buffer[128] = {};
  if (midiInGetErrorTextA(result, buffer, sizeof(buffer)) != MMSYSERR_NOERROR) {
    return false;
  }
  text.assign(buffer, strnlen(buffer, sizeof(buffer)));
  return true;
}

}  // namespace

std::unique_ptr<MidiPlatform> MakeWinmmMidiPlatform() {
  return std::make_unique<WinmmMidiPlatform>();
}

}  // namespace velmora
