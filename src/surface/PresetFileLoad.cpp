#include <string>

#include "presets/IntegerText.h"
#include "presets/Profile.h"
#include "surface/AmpChannel.h"
#include "surface/GuitarPanel.h"
#include "surface/Knobs.h"
#include "surface/MidiSend.h"
#include "surface/PresetFile.h"
#include "surface/StepProgress.h"

namespace velmora {

namespace {

namespace fs = std::filesystem;

std::string ReadChannelKey(const fs::path& file, Channel channel, std::string_view key) {
  return ReadProfileString(file, PresetSection(channel), key);
}

void LoadGuitar(EditingContext& context, const fs::path& file) {
  context.form.cbGuitares.SelectTextIgnoringCase(
      ReadProfileString(file, kVariaxSection, kGuitarKey));
  ApplyGuitarSelection(context);
}

// The knobs and the cab selector still hold the values from before the load, so an amp
// found here re-sends those; the following groups send the loaded ones.
void LoadAmp(EditingContext& context, const fs::path& file, Channel channel) {
  context.form.AmpSelector(channel).SelectTextIgnoringCase(ReadChannelKey(file, channel, kAmpKey));
  ApplyAmpModel(context, channel);
}

void LoadCab(EditingContext& context, const fs::path& file, Channel channel, int sends) {
  context.form.CabSelector(channel).SelectTextIgnoringCase(ReadChannelKey(file, channel, kCabKey));
  for (int i = 0; i < sends; ++i) {
    ApplyCabModel(context, channel);
  }
}

// Each knob is redrawn at its old value first, so that the redraw after the change erases
// the old pointer.
void LoadKnobs(EditingContext& context, const fs::path& file, Channel channel) {
  for (Knob knob : ChannelKnobs(channel)) {
    RefreshKnob(context, KnobName(knob), kSendNo);
    const std::string text = ReadChannelKey(file, channel, KnobName(knob));
    context.form.ValueHolder(knob).SetPosition(text.empty() ? kDefaultKnobValue : StrToInt(text));
    RefreshKnob(context, KnobName(knob), kSendYes);
  }
}

// Set from the file alone: unlike the power buttons, a load may leave both channels off.
void LoadPower(EditingContext& context, const fs::path& file, Channel channel) {
  const bool on = ReadChannelKey(file, channel, kPowerKey) == kPowerOn;
  const ChannelCodeSet& codes = ChannelCodes(channel);
  SetPowerCaption(context.form, channel, on);
  SendMidiText(context, on ? codes.PowerOnText : codes.PowerOffText);
  SetChannelControlsEnabled(context.form, channel, on);
}

void RunSteps(EditingContext& context, const fs::path& file) {
  LoadGuitar(context, file);
  EndStep(context, 10);
  LoadAmp(context, file, Channel::Amp1);
  EndStep(context, 20);
  LoadCab(context, file, Channel::Amp1, 2);
  EndStep(context, 30);
  LoadKnobs(context, file, Channel::Amp1);
  EndStep(context, 40);
  LoadAmp(context, file, Channel::Amp2);
  EndStep(context, 50);
  LoadCab(context, file, Channel::Amp2, 1);
  EndStep(context, 60);
  LoadKnobs(context, file, Channel::Amp2);
  EndStep(context, 70);
  LoadPower(context, file, Channel::Amp1);
  EndStep(context, 80);
  LoadPower(context, file, Channel::Amp2);
}

}  // namespace

void LoadPresetFromFile(EditingContext& context, const fs::path& file) {
  BeginStepProgress(context);
  try {
    RunSteps(context, file);
  } catch (...) {
    AbandonStepProgress(context);
    throw;
  }
  FinishStepProgress(context);
}

void LoadPresetFile(EditingContext& context, std::string_view mode) {
  const ProgramFolders& folders = context.folders;
  if (mode == kLoadModeOpen) {
    LoadPresetFromFile(context, context.view.OpenDialog().value_or(folders.DefaultPresetFile()));
  } else if (mode == kLoadModeNew) {
    LoadPresetFromFile(context, folders.EmptyPresetFile());
  } else if (mode == kLoadModeDefault) {
    LoadPresetFromFile(context, folders.DefaultPresetFile());
  }
}

}  // namespace velmora
