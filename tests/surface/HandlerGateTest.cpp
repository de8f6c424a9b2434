// The window's handlers: work held back while any handler runs comes after the outermost
// one, once each, in the order asked; every handler renders, only the outermost drops the
// input of a pause, and an error is shown and swallowed without losing what was held back.

#include <gmock/gmock.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "RecordingView.h"
#include "surface/shell/HandlerGate.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;

class HandlerGateTest : public ::testing::Test {
 protected:
  void Note(const std::string& what) { log_.push_back(what); }

  FormModel form_;
  RecordingView view_;
  EditingContext context_{form_, view_, {}};
  MonitorHub hub_;
  std::vector<std::string> log_;
  bool paused_ = false;
  HandlerGate gate_{context_,
                    hub_,
                    {[this] { Note("render"); },
                     [this] {
                       Note("paused?");
                       return paused_;
                     },
                     [this] { Note("drop input"); }}};
};

TEST_F(HandlerGateTest, HeldBackWorkRunsOnceEachAfterTheOutermostHandlerInTheOrderAsked) {
  const HandlerGate::Work rescan = [this] { Note("rescan"); };
  const HandlerGate::Work drain = [this, &rescan] {
    Note(gate_.Running() ? "drain in its own handler" : "drain outside any handler");
    // Asked for by held-back work: it waits for that work to end.
    gate_.RunWhenIdle(rescan);
  };
  EXPECT_TRUE(gate_.Run([&] {
    Note("load");
    gate_.RunWhenIdle(drain);
    // A click behind the load's message box.
    gate_.Run([&] {
      Note("click");
      gate_.RunWhenIdle(drain);
    });
    Note("load goes on");
  }));
  EXPECT_THAT(log_, ElementsAre("load", "click", "render", "load goes on", "render", "paused?",
                                "drain in its own handler", "render", "paused?", "rescan", "render",
                                "paused?"));

  log_.clear();
  gate_.RunWhenIdle(rescan);
  EXPECT_THAT(log_, ElementsAre("rescan", "render", "paused?"));
  EXPECT_FALSE(gate_.Running());
}

TEST_F(HandlerGateTest, AnErrorIsShownAndHeldBackWorkStillRuns) {
  const HandlerGate::Work drain = [this] { Note("drain"); };
  paused_ = true;
  EXPECT_FALSE(gate_.Run([&] {
    gate_.RunWhenIdle(drain);
    throw std::runtime_error("Valeur incorrecte");
  }));
  EXPECT_THAT(view_.errors, ElementsAre("Valeur incorrecte."));
  EXPECT_THAT(log_, ElementsAre("render", "paused?", "drop input", "drain", "render", "paused?",
                                "drop input"));
}

}  // namespace
}  // namespace velmora
