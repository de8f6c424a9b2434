// ports --watch over virtual ports plugged in and pulled out while it watches.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/PortWatch.h"
#include "midi/Midi.h"
#include "midi/virtual/VirtualMidiPlatform.h"

namespace velmora {
namespace {

TEST(PortWatchTest, PrintsTheListThenEachPortThatComesOrGoesUntilToldToStop) {
  auto owned = std::make_unique<VirtualMidiPlatform>(2, 1);
  VirtualMidiPlatform& platform = *owned;
  InstallMidiPlatform(std::move(owned));
  // Each step runs on the watching thread between two waits, as a device would come or go.
  const std::vector<std::function<void()>> steps = {
      [&] { platform.InsertOutput(0, "USB Keys"); },
      [&] {
        platform.RemoveOutput(2);
        platform.InsertInput(1, "USB Keys");
      },
      [&] {},  // nothing changed: nothing printed
      [&] {
        platform.InsertOutput(0, "Virtual Out 1");  // a second port of one name
        platform.RemoveInput(0);
      },
  };
  std::size_t next = 0;
  std::ostringstream out;
  EXPECT_TRUE(WatchPortList(out, [&] {
    if (next == steps.size()) {
      return false;
    }
    steps[next++]();
    return true;
  }));
  EXPECT_EQ(out.str(),
            "out 0: Virtual Out 1\n"
            "out 1: Virtual Out 2\n"
            "in 0: Virtual In 1\n"
            "+ out 0: USB Keys\n"
            "- out 2: Virtual Out 2\n"
            "+ in 1: USB Keys\n"
            "+ out 2: Virtual Out 1\n"
            "- in 0: Virtual In 1\n");
  ReleaseMidiDevices();
}

}  // namespace
}  // namespace velmora
