#ifdef VELMORA_HAVE_ALSA

// With a sequencer, the QEMU machine checks the watcher through velmora-cli ports --watch.

#include <gtest/gtest.h>
#include "midi/HaveSequencer.h"
#include "midi/alsa/AlsaMidiPlatform.h"

namespace velmora {
namespace {

TEST(AlsaPortWatcherTest, WithoutASequencerWatchingIsQuietAndStopsAtOnce) {
  if (HaveSequencer()) {
    GTEST_SKIP() << "this machine has a sequencer";
  }
  testing::internal::CaptureStderr();
  auto platform = MakeAlsaMidiPlatform();
  int calls = 0;
  platform->WatchPorts([&] { ++calls; });
  platform->WatchPorts({});
  platform->WatchPorts([&] { ++calls; });
  platform.reset();  // still watching: the platform stops its watcher as it goes
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace velmora

#endif  // VELMORA_HAVE_ALSA
