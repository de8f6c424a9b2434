#include "surface/form/FormModel.h"

#include <algorithm>
#include <utility>

#include "catalogue/Vetta2_Enceintes.h"
#include "library/PresetReading.h"
#include "surface/editing/GuitarPanel.h"

namespace velmora {

namespace {

constexpr std::array<std::string_view, kKnobCount> kKnobNames = {
    "DRIVE1", "BASS1", "MID1", "TREB1", "PRES1", "VOL1",
    "DRIVE2", "BASS2", "MID2", "TREB2", "PRES2", "VOL2"};

constexpr std::array<TrackBar FormModel::*, kKnobCount> kValueHolders = {
    &FormModel::tbDRIVE1, &FormModel::tbBASS1, &FormModel::tbMID1,   &FormModel::tbTREB1,
    &FormModel::tbPRES1,  &FormModel::tbVOL1,  &FormModel::tbDRIVE2, &FormModel::tbBASS2,
    &FormModel::tbMID2,   &FormModel::tbTREB2, &FormModel::tbPRES2,  &FormModel::tbVOL2};

int KnobIndex(Knob knob) {
  return static_cast<int>(knob);
}

}  // namespace

std::string ComboBox::Text() const {
  if (itemIndex < 0 || itemIndex >= static_cast<int>(items.size())) {
    return {};
  }
  return items[static_cast<std::size_t>(itemIndex)];
}

void ComboBox::SelectTextIgnoringCase(std::string_view text) {
  const std::string wanted = FoldLetterCase(text);
  itemIndex = -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (FoldLetterCase(items[i]) == wanted) {
      itemIndex = static_cast<int>(i);
      return;
    }
  }
}

void CheckListBox::SetItems(std::vector<std::string> names) {
  items = std::move(names);
  checked.assign(items.size(), false);
  itemIndex = -1;
}

bool CheckListBox::Checked(int index) const {
  return index >= 0 && index < static_cast<int>(checked.size()) &&
         checked[static_cast<std::size_t>(index)];
}

void LogMemo::InsertAtTop(std::string line) {
  lines_.push_front(std::move(line));
  if (lines_.size() > kMaxLines) {
    lines_.pop_back();
  }
}

void TrackBar::SetPosition(long long position) {
  position_ = static_cast<int>(std::clamp<long long>(position, kMin, kMax));
}

void ProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, kMin, kMax);
}

std::string_view KnobName(Knob knob) {
  return kKnobNames[KnobIndex(knob)];
}

std::optional<Knob> FindKnob(std::string_view name) {
  for (Knob knob : kAllKnobs) {
    if (KnobName(knob) == name) {
      return knob;
    }
  }
  return std::nullopt;
}

Channel KnobChannel(Knob knob) {
  return KnobIndex(knob) < kKnobsPerChannel ? Channel::Amp1 : Channel::Amp2;
}

std::array<Knob, kKnobsPerChannel> ChannelKnobs(Channel channel) {
  const int first = channel == Channel::Amp1 ? 0 : kKnobsPerChannel;
  std::array<Knob, kKnobsPerChannel> knobs{};
  for (int i = 0; i < kKnobsPerChannel; ++i) {
    knobs[i] = kAllKnobs[first + i];
  }
  return knobs;
}

std::string_view KnobPrefix(Knob knob) {
  return ChannelCodes(KnobChannel(knob)).KnobPrefixes[KnobIndex(knob) % kKnobsPerChannel];
}

TrackBar& FormModel::ValueHolder(Knob knob) {
  return this->*kValueHolders[KnobIndex(knob)];
}

const TrackBar& FormModel::ValueHolder(Knob knob) const {
  return this->*kValueHolders[KnobIndex(knob)];
}

std::array<Panel*, 9> FormModel::MovablePanels() {
  return {&pnlVariax,     &pnlPresets,   &pnlBoutons,    &pnlMidi,   &pnlEcranAMP1,
          &pnlAmpCabAMP1, &pnlEcranAMP2, &pnlAmpCabAMP2, &pnlOptions};
}

ComboBox& FormModel::AmpSelector(Channel channel) {
  return channel == Channel::Amp1 ? cbAmpli1 : cbAmpli2;
}

ComboBox& FormModel::CabSelector(Channel channel) {
  return channel == Channel::Amp1 ? cbEnceintes1 : cbEnceintes2;
}

GradientButton& FormModel::PowerButton(Channel channel) {
  return channel == Channel::Amp1 ? bttnOnOffAMP1 : bttnOnOffAMP2;
}

Panel& FormModel::ScreenPanel(Channel channel) {
  return channel == Channel::Amp1 ? pnlEcranAMP1 : pnlEcranAMP2;
}

std::string& FormModel::AmpLabel(Channel channel) {
  return channel == Channel::Amp1 ? lblAmpliAMP1 : lblAmpliAMP2;
}

std::string& FormModel::CabLabel(Channel channel) {
  return channel == Channel::Amp1 ? lblEnceinteAMP1 : lblEnceinteAMP2;
}

void FillModelSelectors(FormModel& form) {
  for (Channel channel : {Channel::Amp1, Channel::Amp2}) {
    for (const ModelRecord& record : AmpCatalogue(channel)) {
      form.AmpSelector(channel).items.emplace_back(record.DisplayName);
    }
    for (const ModelRecord& record : CabCatalogue(channel)) {
      form.CabSelector(channel).items.emplace_back(record.DisplayName);
    }
  }
}

FormModel MakeStartupForm() {
  FormModel form;
  FillModelSelectors(form);
  FillGuitarList(form);
  return form;
}

}  // namespace velmora
