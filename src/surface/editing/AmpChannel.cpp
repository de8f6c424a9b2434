#include "surface/editing/AmpChannel.h"

#include <string_view>

#include "catalogue/Vetta2_Enceintes.h"
#include "surface/editing/Knobs.h"
#include "surface/editing/MidiSend.h"

namespace velmora {

namespace {

std::string_view AmpKind(Channel channel) {
  return channel == Channel::Amp1 ? "Ampli" : "Ampli_2";
}

std::string_view CabKind(Channel channel) {
  return channel == Channel::Amp1 ? "Enceinte" : "Enceinte_2";
}

Channel OtherChannel(Channel channel) {
  return channel == Channel::Amp1 ? Channel::Amp2 : Channel::Amp1;
}

}  // namespace

void ApplyAmpModel(EditingContext& context, Channel channel) {
  FormModel& form = context.form;
  const std::string ampText = form.AmpSelector(channel).Text();
  for (int n = 1; n <= kAmpRecordCount; ++n) {
    const ModelRecord& amp = AmpRecord(channel, n);
    if (amp.DisplayName != ampText) {
      continue;
    }
    SendModelMessage(context, AmpKind(channel), n);
    form.AmpLabel(channel) = amp.ModelName;
    for (Knob knob : ChannelKnobs(channel)) {
      RefreshKnob(context, KnobName(knob), kSendYes);
    }
    const std::string cabText = form.CabSelector(channel).Text();
    if (cabText.empty()) {
      continue;
    }
    for (int m = 1; m <= kCabRecordCount; ++m) {
      if (CabRecord(channel, m).DisplayName == cabText) {
        context.view.StepDelay();
        SendModelMessage(context, CabKind(channel), m);
        SendModelMessage(context, CabKind(channel), m);
      }
    }
  }
}

void ApplyCabModel(EditingContext& context, Channel channel) {
  FormModel& form = context.form;
  const std::string cabText = form.CabSelector(channel).Text();
  for (int m = 1; m <= kCabRecordCount; ++m) {
    const ModelRecord& cab = CabRecord(channel, m);
    if (cab.DisplayName == cabText) {
      SendModelMessage(context, CabKind(channel), m);
      form.CabLabel(channel) = cab.ModelName;
    }
  }
}

void SetPowerCaption(FormModel& form, Channel channel, bool on) {
  GradientButton& button = form.PowerButton(channel);
  button.caption = on ? kPowerOn : kPowerOff;
  button.look = on ? ColorScheme::csNeoDesert : ColorScheme::csNeoSilver;
}

void SetChannelControlsEnabled(FormModel& form, Channel channel, bool enabled) {
  form.ScreenPanel(channel).enabled = enabled;
  form.AmpSelector(channel).enabled = enabled;
  form.CabSelector(channel).enabled = enabled;
}

void SetPowerLook(FormModel& form, Channel channel, bool on) {
  SetPowerCaption(form, channel, on);
  SetChannelControlsEnabled(form, channel, on);
}

void PowerButtonClick(EditingContext& context, Channel channel) {
  FormModel& form = context.form;
  const Channel other = OtherChannel(channel);
  const std::string own = form.PowerButton(channel).caption;
  const bool otherOn = form.PowerButton(other).caption == kPowerOn;
  const ChannelCodeSet& ownCodes = ChannelCodes(channel);
  const ChannelCodeSet& otherCodes = ChannelCodes(other);
  if (own == kPowerOff && otherOn) {
    SetPowerLook(form, channel, true);
    SendMidiText(context, ownCodes.PowerOnText);
    SendMidiText(context, otherCodes.PowerOnText);
  } else if (own == kPowerOn && otherOn) {
    SetPowerLook(form, channel, false);
    SendMidiText(context, ownCodes.PowerOffText);
    SendMidiText(context, otherCodes.PowerOnText);
  } else {
    SetPowerLook(form, channel, true);
    SendMidiText(context, ownCodes.PowerOnText);
  }
}

namespace {

void PickedAmp(EditingContext& context, Channel channel) {
  if (context.form.AmpSelector(channel).enabled) {
    ApplyAmpModel(context, channel);
  }
}

void PickedCab(EditingContext& context, Channel channel) {
  if (context.form.CabSelector(channel).enabled) {
    ApplyCabModel(context, channel);
  }
}

}  // namespace

void cbAmpli1Change(EditingContext& context) {
  PickedAmp(context, Channel::Amp1);
}
void cbAmpli2Change(EditingContext& context) {
  PickedAmp(context, Channel::Amp2);
}
void cbEnceintes1Change(EditingContext& context) {
  PickedCab(context, Channel::Amp1);
}
void cbEnceintes2Change(EditingContext& context) {
  PickedCab(context, Channel::Amp2);
}
void bttnOnOffAMP1Click(EditingContext& context) {
  PowerButtonClick(context, Channel::Amp1);
}
void bttnOnOffAMP2Click(EditingContext& context) {
  PowerButtonClick(context, Channel::Amp2);
}

}  // namespace velmora
