#include "surface/editing/Synchronise.h"

#include "surface/editing/AmpChannel.h"
#include "surface/editing/GuitarPanel.h"
#include "surface/editing/Knobs.h"
#include "surface/editing/MidiSend.h"
#include "surface/editing/StepGroups.h"

namespace velmora {

namespace {

void ResendCab(EditingContext& context, Channel channel) {
  for (int i = 0; i < CabGroupSends(channel); ++i) {
    ApplyCabModel(context, channel);
  }
}

// The first redraw makes the knob's own value the last drawn one, so the second erases
// its pointer cleanly before sending.
void ResendKnobs(EditingContext& context, Channel channel) {
  for (Knob knob : ChannelKnobs(channel)) {
    RefreshKnob(context, KnobName(knob), kSendNo);
    RefreshKnob(context, KnobName(knob), kSendYes);
  }
}

// A caption that is neither "ON" nor "OFF" sends nothing.
void ResendPower(EditingContext& context, Channel channel) {
  const std::string& caption = context.form.PowerButton(channel).caption;
  const ChannelCodeSet& codes = ChannelCodes(channel);
  if (caption == kPowerOn) {
    SendMidiText(context, codes.PowerOnText);
  } else if (caption == kPowerOff) {
    SendMidiText(context, codes.PowerOffText);
  }
}

}  // namespace

void Synchronise(EditingContext& context) {
  RunStepGroups(context, {
                             .guitar = [&] { ApplyGuitarSelection(context); },
                             .amp = [&](Channel channel) { ApplyAmpModel(context, channel); },
                             .cab = [&](Channel channel) { ResendCab(context, channel); },
                             .knobs = [&](Channel channel) { ResendKnobs(context, channel); },
                             .power = [&](Channel channel) { ResendPower(context, channel); },
                         });
}

void bttnSynchroClick(EditingContext& context) {
  Synchronise(context);
}

}  // namespace velmora
