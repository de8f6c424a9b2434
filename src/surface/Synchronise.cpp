#include "surface/Synchronise.h"

#include "surface/AmpChannel.h"
#include "surface/GuitarPanel.h"
#include "surface/Knobs.h"
#include "surface/MidiSend.h"
#include "surface/StepProgress.h"

namespace velmora {

namespace {

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

void RunSteps(EditingContext& context) {
  ApplyGuitarSelection(context);
  EndStep(context, 10);
  ApplyAmpModel(context, Channel::Amp1);
  EndStep(context, 20);
  ApplyCabModel(context, Channel::Amp1);
  ApplyCabModel(context, Channel::Amp1);
  EndStep(context, 30);
  ResendKnobs(context, Channel::Amp1);
  EndStep(context, 40);
  ApplyAmpModel(context, Channel::Amp2);
  EndStep(context, 50);
  ApplyCabModel(context, Channel::Amp2);
  EndStep(context, 60);
  ResendKnobs(context, Channel::Amp2);
  EndStep(context, 70);
  ResendPower(context, Channel::Amp1);
  EndStep(context, 80);
  ResendPower(context, Channel::Amp2);
}

}  // namespace

void Synchronise(EditingContext& context) {
  BeginStepProgress(context);
  try {
    RunSteps(context);
  } catch (...) {
    AbandonStepProgress(context);
    throw;
  }
  FinishStepProgress(context);
}

void bttnSynchroClick(EditingContext& context) {
  Synchronise(context);
}

}  // namespace velmora
