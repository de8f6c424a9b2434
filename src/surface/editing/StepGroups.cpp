#include "surface/editing/StepGroups.h"

#include <string_view>

namespace velmora {

namespace {

constexpr std::string_view kProgressBar = "pbTraitementFichier";

// Every run happens on the user-interface thread, one window per program.
int runsUnderWay = 0;

class RunUnderWay {
 public:
  RunUnderWay() { ++runsUnderWay; }
  ~RunUnderWay() { --runsUnderWay; }
  RunUnderWay(const RunUnderWay&) = delete;
  RunUnderWay& operator=(const RunUnderWay&) = delete;
};

void ShowPosition(EditingContext& context, int position) {
  context.form.pbTraitementFichier.SetPosition(position);
  context.view.RepaintNow(kProgressBar);
}

void ShowBar(EditingContext& context, bool visible) {
  context.form.pbTraitementFichier.visible = visible;
  context.view.RepaintNow(kProgressBar);
}

void RunGroups(EditingContext& context, const StepGroups& groups) {
  int position = 0;
  auto endGroup = [&] {
    context.view.StepDelay();
    position += 10;
    ShowPosition(context, position);
  };
  groups.guitar();
  endGroup();
  for (Channel channel : {Channel::Amp1, Channel::Amp2}) {
    groups.amp(channel);
    endGroup();
    groups.cab(channel);
    endGroup();
    groups.knobs(channel);
    endGroup();
  }
  groups.power(Channel::Amp1);
  endGroup();
  groups.power(Channel::Amp2);
}

}  // namespace

int CabGroupSends(Channel channel) {
  return channel == Channel::Amp1 ? 2 : 1;
}

void RunStepGroups(EditingContext& context, const StepGroups& groups) {
  const RunUnderWay underWay;
  context.form.pbTraitementFichier.visible = true;
  ShowPosition(context, 0);
  try {
    RunGroups(context, groups);
  } catch (...) {
    ShowBar(context, false);
    throw;
  }
  for (int position : {90, 100, 0}) {
    ShowPosition(context, position);
  }
  ShowBar(context, false);
}

bool StepGroupsUnderWay() {
  return runsUnderWay > 0;
}

}  // namespace velmora
