// The MIDI thru keeps sending to the port it was set to while ports come and go around it:
// under ThreadSanitizer, this also shows the switch of lists races nothing.

#include <gmock/gmock.h>

#include <atomic>
#include <thread>

#include "SurfaceFixture.h"
#include "midi/Midi.h"
#include "surface/editing/PortSelector.h"
#include "surface/shell/Monitor.h"

namespace velmora {
namespace {

using ::testing::Each;
using ::testing::Field;

class RescanThruTest : public SurfaceTest {
 protected:
  ~RescanThruTest() override { MonitorFormDestroy(hub_); }
  MonitorHub hub_;
};

TEST_F(RescanThruTest, ThruFollowsItsPortByNameWhileTheUserInterfaceRescans) {
  MonitorFormCreate(form_, hub_);
  form_.lbxOutputDevices.checked = {false, true};
  form_.lbxOutputDevices.itemIndex = 1;
  ApplyThruCheck(form_, hub_);
  form_.lbxInputDevices.checked = {true, false};
  form_.lbxInputDevices.itemIndex = 0;
  lbxInputDevicesClickCheck(context_);
  ClearWire();

  // The rounds last until the device has delivered during them: a scheduler may run the
  // whole of a hundred rounds before the device thread gets its first turn.
  std::atomic<bool> stop = false;
  std::atomic<int> delivered = 0;
  std::thread device([&] {
    while (!stop) {
      platform_->InjectShort(0, 0xB0, 0x07, 0x64);
      ++delivered;
    }
  });
  for (int round = 0; round < 100 || delivered < 100; ++round) {
    std::this_thread::yield();
    platform_->InsertOutput(0, "Hot");
    RescanPorts(context_, hub_);
    DrainMonitor(context_, hub_);
    platform_->RemoveOutput(0);
    RescanPorts(context_, hub_);
    DrainMonitor(context_, hub_);
  }
  stop = true;
  device.join();
  DrainMonitor(context_, hub_);

  const std::vector<SentBuffer> sent = platform_->Sent();
  ASSERT_FALSE(sent.empty());
  EXPECT_THAT(sent, Each(Field(&SentBuffer::portName, "Virtual Out 2")));
  EXPECT_THAT(view_.errors, ::testing::IsEmpty());
  EXPECT_THAT(form_.lbxOutputDevices.checked, ::testing::ElementsAre(false, true));
  EXPECT_EQ(form_.cbOutputDevices.itemIndex, 0);
}

}  // namespace
}  // namespace velmora
