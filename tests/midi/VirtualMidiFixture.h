#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "midi/Midi.h"
#include "midi/virtual/VirtualMidiPlatform.h"

namespace velmora {

// Virtual ports that also note the name of every buffer and lifetime call, in order.
class CallRecordingPlatform : public VirtualMidiPlatform {
 public:
  using VirtualMidiPlatform::VirtualMidiPlatform;

  std::vector<std::string> Calls() const {
    std::lock_guard lock(callsMutex_);
    return calls_;
  }
  void Note(std::string call) {
    std::lock_guard lock(callsMutex_);
    calls_.push_back(std::move(call));
  }

  MidiResult InputAddBuffer(MidiHandle handle, MidiHeader& header) override {
    Note("InputAddBuffer");
    return VirtualMidiPlatform::InputAddBuffer(handle, header);
  }
  MidiResult InputStop(MidiHandle handle) override {
    Note("InputStop");
    return VirtualMidiPlatform::InputStop(handle);
  }
  MidiResult InputReset(MidiHandle handle) override {
    Note("InputReset");
    return VirtualMidiPlatform::InputReset(handle);
  }
  MidiResult InputUnprepare(MidiHandle handle, MidiHeader& header) override {
    Note("InputUnprepare");
    return VirtualMidiPlatform::InputUnprepare(handle, header);
  }
  MidiResult InputClose(MidiHandle handle) override {
    Note("InputClose");
    return VirtualMidiPlatform::InputClose(handle);
  }
  MidiResult OutputPrepare(MidiHandle handle, MidiHeader& header) override {
    Note("OutputPrepare");
    return VirtualMidiPlatform::OutputPrepare(handle, header);
  }
  MidiResult OutputLong(MidiHandle handle, MidiHeader& header) override {
    Note("OutputLong");
    return VirtualMidiPlatform::OutputLong(handle, header);
  }
  MidiResult OutputUnprepare(MidiHandle handle, MidiHeader& header) override {
    Note("OutputUnprepare");
    return VirtualMidiPlatform::OutputUnprepare(handle, header);
  }
  MidiResult OutputClose(MidiHandle handle) override {
    Note("OutputClose");
    return VirtualMidiPlatform::OutputClose(handle);
  }

 private:
  mutable std::mutex callsMutex_;
  std::vector<std::string> calls_;
};

// Installs virtual ports for the process-wide device objects and releases them after.
class VirtualMidiTest : public ::testing::Test {
 protected:
  void SetUp() override { Install(2, 2); }
  void TearDown() override { ReleaseMidiDevices(); }

  template <typename Platform = VirtualMidiPlatform>
  Platform& Install(unsigned outputs, unsigned inputs) {
    auto platform = std::make_unique<Platform>(outputs, inputs);
    Platform& installed = *platform;
    InstallMidiPlatform(std::move(platform));
    platform_ = &installed;
    return installed;
  }

  // "B0 0C 31" for each long buffer sent, in order.
  std::vector<std::string> LongBuffers() const {
    std::vector<std::string> buffers;
    for (const SentBuffer& sent : platform_->Sent()) {
      if (!sent.isShort) {
        buffers.push_back(std::to_string(sent.port) + ": " + Hex(sent.bytes));
      }
    }
    return buffers;
  }

  static std::string Hex(const std::vector<std::uint8_t>& bytes) {
    ByteStream stream;
    stream.Append(bytes.data(), bytes.size());
    std::string text = StreamToHexText(stream);
    if (!text.empty()) {
      text.pop_back();
    }
    return text;
  }

  static std::string ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const MidiError& error) {
      return error.what();
    }
    return "(no error)";
  }

  VirtualMidiPlatform* platform_ = nullptr;
};

}  // namespace velmora
