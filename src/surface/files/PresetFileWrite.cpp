#include <string>
#include <vector>

#include "catalogue/Vetta2_Enceintes.h"
#include "profile/Profile.h"
#include "surface/files/PresetFile.h"

namespace velmora {

namespace {

// One channel's nine keys, in the order every writer writes them.
void AddChannelEntries(std::vector<ProfileEntry>& entries, Channel channel, std::string_view power,
                       std::string_view amp, std::string_view cab,
                       const std::vector<std::string>& knobValues) {
  const std::string section(PresetSection(channel));
  entries.push_back({section, std::string(kPowerKey), std::string(power)});
  entries.push_back({section, std::string(kAmpKey), std::string(amp)});
  entries.push_back({section, std::string(kCabKey), std::string(cab)});
  std::size_t i = 0;
  for (Knob knob : ChannelKnobs(channel)) {
    entries.push_back({section, std::string(KnobName(knob)), knobValues[i++]});
  }
}

std::vector<std::string> KnobValueTexts(const FormModel& form, Channel channel) {
  std::vector<std::string> texts;
  for (Knob knob : ChannelKnobs(channel)) {
    texts.push_back(std::to_string(form.ValueHolder(knob).Position()));
  }
  return texts;
}

void AddGuitarEntry(std::vector<ProfileEntry>& entries, std::string_view guitar) {
  entries.push_back({std::string(kVariaxSection), std::string(kGuitarKey), std::string(guitar)});
}

}  // namespace

void WritePresetKeys(const FormModel& form, const std::filesystem::path& file,
                     std::string_view power1, std::string_view power2) {
  std::vector<ProfileEntry> entries;
  AddChannelEntries(entries, Channel::Amp1, power1, form.cbAmpli1.Text(), form.cbEnceintes1.Text(),
                    KnobValueTexts(form, Channel::Amp1));
  AddChannelEntries(entries, Channel::Amp2, power2, form.cbAmpli2.Text(), form.cbEnceintes2.Text(),
                    KnobValueTexts(form, Channel::Amp2));
  AddGuitarEntry(entries, form.cbGuitares.Text());
  WriteProfileStrings(file, entries);
}

void SavePresetFile(EditingContext& context, std::string_view power1, std::string_view power2) {
  const std::optional<std::filesystem::path> file = context.view.SaveDialog(kPresetFiles, {});
  if (file) {
    WritePresetKeys(context.form, *file, power1, power2);
  }
}

void CreateDefaultPresetFile(const ProgramFolders& folders) {
  const std::vector<std::string> middle(kKnobsPerChannel, std::to_string(kDefaultKnobValue));
  std::vector<ProfileEntry> entries;
  AddChannelEntries(entries, Channel::Amp1, kPowerOn, AmpRecord(Channel::Amp1, 1).DisplayName,
                    CabRecord(Channel::Amp1, 1).DisplayName, middle);
  AddChannelEntries(entries, Channel::Amp2, kPowerOff, AmpRecord(Channel::Amp2, 1).DisplayName,
                    CabRecord(Channel::Amp2, 1).DisplayName, middle);
  AddGuitarEntry(entries, "");
  WriteProfileStrings(folders.DefaultPresetFile(), entries);
}

}  // namespace velmora
