// Stepping stored presets and files on the virtual ports: the wire, and what is told.

#include <gmock/gmock.h>

#include <fstream>

#include "SurfaceFixture.h"
#include "live/LiveSteps.h"
#include "live/SetlistFile.h"
#include "profile/AtomicFile.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct StepCase {
  const char* name;
  std::vector<StepRequest> asks;
  // Asked during the first pause of the first load, as a footswitch would.
  std::vector<StepRequest> duringLoad;
  // Program changes, "load" per file load, errors shown (MISSING: missing.vmp's).
  std::vector<std::string> wire;
  std::vector<std::string> notices;
  std::size_t position;
};

constexpr StepRequest kNext{StepAction::kNext, 0};
constexpr StepRequest kPrevious{StepAction::kPrevious, 0};
constexpr StepRequest kFirst{StepAction::kFirst, 0};
constexpr StepRequest Item(std::size_t n) {
  return {StepAction::kItem, n};
}

class LiveStepsTest : public SurfaceTest, public ::testing::WithParamInterface<StepCase> {
 protected:
  // The wire with each file load folded into one "load".
  std::vector<std::string> Summary() const {
    std::vector<std::string> summary;
    for (const std::string& line : Wire()) {
      if (line.starts_with("C0 ") || line.starts_with("error: ")) {
        summary.push_back(line);
      } else if (line == "progress hidden") {
        summary.push_back("load");
      }
    }
    return summary;
  }
};

TEST_P(LiveStepsTest, GoesToTheLastItemAskedForWithOneSendOrLoad) {
  const StepCase& step = GetParam();
  std::ofstream(root_ / u8"Intro Été.vmp") << "[AMP1]\nPower=ON\n";
  std::ofstream(root_ / "Outro.vmp") << "[AMP2]\nPower=ON\n";
  const Setlist setlist = ReadSetlistText(
      "Intro Été.vmp\nUSER 3B\tVerse\n# the bridge\nFACTORY 16D\nOutro.vmp\nmissing.vmp\tGone\n",
      root_, "gig.vsl");
  LiveSteps steps(setlist);
  std::vector<StepRequest> duringLoad = step.duringLoad;
  view_.onPause = [&](int) {
    for (const StepRequest& ask : std::exchange(duringLoad, {})) {
      steps.Ask(ask);
    }
  };
  for (const StepRequest& ask : step.asks) {
    steps.Ask(ask);
    steps.RunPending(context_);
  }
  std::vector<std::string> wire = step.wire;
  for (std::string& line : wire) {
    if (line == "MISSING") {
      line = "error: Impossible de lire " + FullPathText(root_ / "missing.vmp");
    }
  }
  EXPECT_THAT(Summary(), ElementsAreArray(wire)) << step.name;
  EXPECT_THAT(NoticeTexts(steps.TakeNotices(), true), ElementsAreArray(step.notices)) << step.name;
  EXPECT_EQ(steps.State().position, step.position) << step.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LiveStepsTest,
    ::testing::Values(
        StepCase{"stored items: the group switch, then the preset",
                 {Item(2), kNext},
                 {},
                 {"C0 0E", "C0 09", "C0 4E", "C0 7F"},
                 {"2/5 Verse", "3/5 FACTORY 16D"},
                 3},
        StepCase{"three presses during a load: one load of the item three on",
                 {kFirst},
                 {kNext, kNext, kNext},
                 {"load", "load"},
                 {"1/5 Intro Été", "4/5 Outro"},
                 4},
        StepCase{"the ends move nothing and say so",
                 {kPrevious, Item(5), kNext, Item(6)},
                 {},
                 {"MISSING"},
                 {"Already on the first item (1/5)", "5/5 Gone", "Already on the last item (5/5)",
                  "No item 6: the setlist has 5 (5/5)"},
                 5},
        StepCase{"a missing item shows the load's error and stays; the next step goes on",
                 {Item(5), kPrevious},
                 {},
                 {"MISSING", "load"},
                 {"5/5 Gone", "4/5 Outro"},
                 4}));

// On an empty setlist there is no end to be on; the window's French side says so too.
TEST(LiveStepsEmpty, SaysTheSetlistIsEmpty) {
  LiveSteps empty{Setlist()};
  empty.Ask({StepAction::kNext, 0});
  EXPECT_THAT(NoticeTexts(empty.TakeNotices(), false), ElementsAre("La setlist est vide (0/0)"));
}

}  // namespace
}  // namespace velmora
