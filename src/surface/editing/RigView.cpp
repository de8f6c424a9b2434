#include "surface/editing/RigView.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "rig/RigState.h"

namespace velmora {

namespace {

std::string Shown(const std::optional<std::string>& value) {
  return value ? *value : std::string(kUnknownRigValue);
}

// One line per value in the legend's order: amp, cab, power, then the six knobs.
std::string ChannelTexts(const RigState& state, Channel channel) {
  std::string text = Shown(AmpText(state, channel)) + "\n" + Shown(CabText(state, channel)) + "\n" +
                     Shown(PowerText(state, channel));
  for (const std::optional<int>& knob : state.Of(channel).knobs) {
    text += "\n" + Shown(knob ? std::optional(std::to_string(*knob)) : std::nullopt);
  }
  return text;
}

int ChosenPortIndex(const FormModel& form) {
  const int index = form.cbOutputDevices.itemIndex;
  return form.missingOutputPort || index < 0 ? -1 : index;
}

}  // namespace

void TapSendsForRigView(FormModel& form, TMidiOutput& output) {
  output.SetSendTap([rigs = form.rig.sent](int port, std::span<const std::uint8_t> bytes) {
    rigs->Feed(port, bytes);
  });
}

void RefreshRigView(FormModel& form) {
  RigForm& view = form.rig;
  const int port = ChosenPortIndex(form);
  const Rig* rig = port >= 0 ? view.sent->Of(port) : nullptr;
  const std::pair<int, std::uint64_t> now{port, rig != nullptr ? rig->ChangeCount() : 0};
  const std::string portName = form.cbOutputDevices.Text();
  std::string portText = portName.empty() ? std::string(kUnknownRigValue) : portName;
  // A rescan may put another port at the same place: its name tells.
  if (view.shown == now && view.lblRigPort == portText) {
    return;
  }
  view.shown = now;
  view.lblRigPort = std::move(portText);
  const RigState state = rig != nullptr ? rig->State() : RigState{};
  view.lblRigAMP1 = ChannelTexts(state, Channel::Amp1);
  view.lblRigAMP2 = ChannelTexts(state, Channel::Amp2);
  view.lblRigValeurs = Shown(GuitarText(state)) + "\n" + Shown(PresetText(state)) + "\n" +
                       std::to_string(state.unknownCount);
  view.memRigChangements = {};
  if (rig != nullptr) {
    for (std::string& line : rig->RecentChanges()) {
      view.memRigChangements.InsertAtTop(std::move(line));
    }
  }
}

}  // namespace velmora
