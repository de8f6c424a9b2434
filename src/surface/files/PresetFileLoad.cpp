#include <string>

#include "profile/Profile.h"
#include "surface/editing/AmpChannel.h"
#include "surface/editing/GuitarPanel.h"
#include "surface/editing/Knobs.h"
#include "surface/editing/MidiSend.h"
#include "surface/editing/StepGroups.h"
#include "surface/files/PresetFile.h"

namespace velmora {

namespace {

namespace fs = std::filesystem;

// The selectors list their catalogue's records in order, so a record number less one is the
// item to select, and no record (0) selects none.
void LoadGuitar(EditingContext& context, const ProfileSnapshot& file) {
  context.form.cbGuitares.itemIndex = ReadPresetGuitar(file) - 1;
  ApplyGuitarSelection(context);
}

// The knobs and the cab selector still hold the values from before the load, so an amp
// found here re-sends those; the following groups send the loaded ones.
void LoadAmp(EditingContext& context, const ProfileSnapshot& file, Channel channel) {
  context.form.AmpSelector(channel).itemIndex = ReadPresetAmp(file, channel) - 1;
  ApplyAmpModel(context, channel);
}

void LoadCab(EditingContext& context, const ProfileSnapshot& file, Channel channel) {
  context.form.CabSelector(channel).itemIndex = ReadPresetCab(file, channel) - 1;
  for (int i = 0; i < CabGroupSends(channel); ++i) {
    ApplyCabModel(context, channel);
  }
}

// Each knob is redrawn at its old value first, so that the redraw after the change erases
// the old pointer.
void LoadKnobs(EditingContext& context, const ProfileSnapshot& file, Channel channel) {
  for (Knob knob : ChannelKnobs(channel)) {
    RefreshKnob(context, KnobName(knob), kSendNo);
    context.form.ValueHolder(knob).SetPosition(ReadPresetKnob(file, channel, KnobName(knob)));
    RefreshKnob(context, KnobName(knob), kSendYes);
  }
}

// Set from the file alone: unlike the power buttons, a load may leave both channels off.
void LoadPower(EditingContext& context, const ProfileSnapshot& file, Channel channel) {
  const bool on = ReadPresetPower(file, channel);
  const ChannelCodeSet& codes = ChannelCodes(channel);
  SetPowerCaption(context.form, channel, on);
  SendMidiText(context, on ? codes.PowerOnText : codes.PowerOffText);
  SetChannelControlsEnabled(context.form, channel, on);
}

}  // namespace

void LoadPresetFromFile(EditingContext& context, const fs::path& path) {
  // Read whole before the first send: a file replaced during the load cannot mix two
  // versions, and a file refused as too large sends nothing.
  const ProfileSnapshot file(path);
  LoadPresetSnapshot(context, file);
}

void LoadPresetSnapshot(EditingContext& context, const ProfileSnapshot& file) {
  RunStepGroups(context, {
                             .guitar = [&] { LoadGuitar(context, file); },
                             .amp = [&](Channel channel) { LoadAmp(context, file, channel); },
                             .cab = [&](Channel channel) { LoadCab(context, file, channel); },
                             .knobs = [&](Channel channel) { LoadKnobs(context, file, channel); },
                             .power = [&](Channel channel) { LoadPower(context, file, channel); },
                         });
}

void LoadPresetFile(EditingContext& context, std::string_view mode) {
  const ProgramFolders& folders = context.folders;
  if (mode == kLoadModeOpen) {
    LoadPresetFromFile(
        context, context.view.OpenDialog(kPresetFiles, {}).value_or(folders.DefaultPresetFile()));
  } else if (mode == kLoadModeNew) {
    LoadPresetFromFile(context, folders.EmptyPresetFile());
  } else if (mode == kLoadModeDefault) {
    LoadPresetFromFile(context, folders.DefaultPresetFile());
  }
}

}  // namespace velmora
