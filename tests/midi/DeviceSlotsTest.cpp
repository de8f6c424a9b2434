#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "VirtualMidiFixture.h"
#include "midi/PlatformChoice.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;

using DeviceSlotsTest = VirtualMidiTest;

TEST_F(DeviceSlotsTest, TheAccessorsBuildOnceOnTheInstalledPlatform) {
  EXPECT_EQ(&CurrentMidiPlatform(), platform_);
  TMidiOutput& output = GetMidiOutput();
  EXPECT_EQ(&GetMidiOutput(), &output);
  TMidiInput& input = GetMidiInput();
  EXPECT_EQ(&GetMidiInput(), &input);
}

TEST_F(DeviceSlotsTest, AFailedPortListingLeavesTheSlotEmptyForTheNextCall) {
  platform_->FailNext("OutputName", kMidiNoDriver);
  EXPECT_EQ(ErrorOf([] { GetMidiOutput(); }), "The MIDI port has no working driver.");
  EXPECT_THAT(GetMidiOutput().DeviceNames(), ElementsAre("Virtual Out 1", "Virtual Out 2"));
  platform_->FailNext("InputName", kMidiNoMemory);
  EXPECT_EQ(ErrorOf([] { GetMidiInput(); }), "Not enough memory for the MIDI operation.");
  EXPECT_EQ(GetMidiInput().DeviceCount(), 2);
}

TEST_F(DeviceSlotsTest, InstallingAPlatformReleasesTheObjectsBuiltOnTheOldOne) {
  GetMidiOutput().OpenDevice(0);
  Install(3, 1);
  EXPECT_EQ(GetMidiOutput().DeviceCount(), 3);
  EXPECT_EQ(GetMidiOutput().HandleOf(0), kNoHandle);
  EXPECT_EQ(GetMidiInput().DeviceCount(), 1);
}

// Virtual ports that tell stderr when a port closes: what a process says at its end.
class ClosingTellingPlatform : public VirtualMidiPlatform {
 public:
  using VirtualMidiPlatform::VirtualMidiPlatform;
  MidiResult InputClose(MidiHandle handle) override {
    std::fputs("input closed\n", stderr);
    return VirtualMidiPlatform::InputClose(handle);
  }
  MidiResult OutputClose(MidiHandle handle) override {
    std::fputs("output closed\n", stderr);
    return VirtualMidiPlatform::OutputClose(handle);
  }
};

TEST_F(DeviceSlotsTest, AtProgramEndTheInputObjectGoesFirstAndClosesItsPorts) {
  EXPECT_EXIT(
      {
        Install<ClosingTellingPlatform>(1, 1);
        GetMidiInput().OpenDevice(0);
        GetMidiOutput().OpenDevice(0);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "^input closed\noutput closed\n$");
}

TEST(PlatformChoiceTest, VirtualGivesTwoPortsEachOrTheNumberAsked) {
  auto platform = MakeMidiPlatform("virtual", "");
  EXPECT_EQ(platform->OutputCount(), 2u);
  EXPECT_EQ(platform->InputCount(), 2u);
  platform = MakeMidiPlatform("virtual:5", "");
  EXPECT_EQ(platform->OutputCount(), 5u);
  EXPECT_EQ(platform->InputCount(), 5u);
  EXPECT_EQ(MakeMidiPlatform("virtual:0", "")->OutputCount(), 0u);
}

TEST(PlatformChoiceTest, AValueThatCannotBeHonouredGetsAClearText) {
  auto errorOf = [](const std::string& choice) -> std::string {
    try {
      MakeMidiPlatform(choice, "");
    } catch (const MidiError& error) {
      return error.what();
    }
    return "(no error)";
  };
  const std::string countText =
      ": the number of virtual ports must be a whole number from 0 to 256.";
  for (const char* choice :
       {"virtual:", "virtual:x", "virtual:-1", "virtual:257", "virtual:2x", "virtual: 2"}) {
    EXPECT_EQ(errorOf(choice), "VELMORA_MIDI=" + std::string(choice) + countText);
  }
#ifdef VELMORA_HAVE_JACK
  // A server name nobody runs, so a JACK server on this machine cannot answer.
  setenv("JACK_DEFAULT_SERVER", "velmora-no-server", 1);
  EXPECT_EQ(errorOf("jack"),
            "VELMORA_MIDI=jack: no JACK server named \"velmora-no-server\" is running. Start one, "
            "for example with \"jackd -n velmora-no-server -d alsa\" or from QjackCtl, then start "
            "this program again.");
  unsetenv("JACK_DEFAULT_SERVER");
#else
  EXPECT_EQ(errorOf("jack"),
            "VELMORA_MIDI=jack: this program was built without the JACK MIDI backend.");
#endif
  EXPECT_EQ(errorOf("Virtual"),
            "VELMORA_MIDI=Virtual: unknown MIDI backend (use virtual, virtual:N, alsa, winmm or "
            "jack).");
#ifndef VELMORA_HAVE_WINMM
  EXPECT_EQ(errorOf("winmm"),
            "VELMORA_MIDI=winmm: this program was built without the Windows multimedia MIDI "
            "backend.");
#endif
}

}  // namespace
}  // namespace velmora
