#ifdef VELMORA_HAVE_ALSA

#include "midi/alsa/AlsaPortWatcher.h"

#include <alsa/asoundlib.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "midi/alsa/AlsaMidiPlatform.h"

namespace velmora {
namespace {

bool HaveSequencer() {
  return access("/dev/snd/seq", F_OK) == 0;
}

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

TEST(AlsaPortWatcherTest, APortThatAppearsOrGoesIsTold) {
  if (!HaveSequencer()) {
    GTEST_SKIP() << "no ALSA sequencer here (/dev/snd/seq)";
  }
  std::mutex mutex;
  std::condition_variable told;
  int calls = 0;
  auto waitForCall = [&](int count) {
    std::unique_lock lock(mutex);
    return told.wait_for(lock, std::chrono::seconds(10), [&] { return calls >= count; });
  };
  AlsaPortWatcher watcher([&] {
    std::lock_guard lock(mutex);
    ++calls;
    told.notify_all();
  });
  snd_seq_t* device = nullptr;
  ASSERT_GE(snd_seq_open(&device, "default", SND_SEQ_OPEN_DUPLEX, 0), 0);
  snd_seq_set_client_name(device, "Plugged In");
  const int port =
      snd_seq_create_simple_port(device, "Out", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                 SND_SEQ_PORT_TYPE_MIDI_GENERIC);
  ASSERT_GE(port, 0);
  EXPECT_TRUE(waitForCall(1));
  const int before = calls;
  snd_seq_close(device);
  EXPECT_TRUE(waitForCall(before + 1));
}

}  // namespace
}  // namespace velmora

#endif  // VELMORA_HAVE_ALSA
