#include "library/PresetReading.h"

#include <algorithm>
#include <string>

#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Enceintes.h"
#include "library/FolderWalk.h"
#include "profile/IntegerText.h"

namespace velmora {

namespace {

constexpr std::array<std::string_view, kKnobsPerChannel> kKnobKeys1 = {"DRIVE1", "BASS1", "MID1",
                                                                       "TREB1",  "PRES1", "VOL1"};
constexpr std::array<std::string_view, kKnobsPerChannel> kKnobKeys2 = {"DRIVE2", "BASS2", "MID2",
                                                                       "TREB2",  "PRES2", "VOL2"};

// The names folded once, since every preset of a library is matched against them.
template <std::size_t Count>
using FoldedNames = std::array<std::string, Count>;

template <std::size_t Count>
FoldedNames<Count> FoldModelNames(const std::array<ModelRecord, Count>& records) {
  FoldedNames<Count> names;
  for (std::size_t i = 0; i < Count; ++i) {
    names[i] = FoldLetterCase(records[i].DisplayName);
  }
  return names;
}

FoldedNames<kGuitarRecordCount> FoldGuitarKeys() {
  FoldedNames<kGuitarRecordCount> keys;
  for (int i = 1; i <= kGuitarRecordCount; ++i) {
    keys[static_cast<std::size_t>(i) - 1] = FoldLetterCase(GuitarKey(i));
  }
  return keys;
}

// The first record whose folded name is the folded value; 0 for none.
template <std::size_t Count>
int FindFolded(const FoldedNames<Count>& names, const std::string& value) {
  const std::string wanted = FoldLetterCase(value);
  for (std::size_t i = 0; i < Count; ++i) {
    if (names[i] == wanted) {
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

}  // namespace

std::string_view PresetSection(Channel channel) {
  return channel == Channel::Amp1 ? "AMP1" : "AMP2";
}

const std::array<std::string_view, kKnobsPerChannel>& PresetKnobKeys(Channel channel) {
  return channel == Channel::Amp1 ? kKnobKeys1 : kKnobKeys2;
}

std::string FoldLetterCase(std::string_view text) {
  std::string folded(text);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(folded[i]);
    if (c >= 'A' && c <= 'Z') {
      folded[i] = static_cast<char>(c - 'A' + 'a');
    } else if (c == 0xC3 && i + 1 < folded.size()) {
      unsigned char next = static_cast<unsigned char>(folded[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97) {
        folded[i + 1] = static_cast<char>(next + 0x20);
      }
      ++i;
    }
  }
  return folded;
}

bool ReadPresetPower(const ProfileSnapshot& file, Channel channel) {
  return file.Read(PresetSection(channel), kPowerKey) == kPresetPowerOn;
}

int ReadPresetAmp(const ProfileSnapshot& file, Channel channel) {
  static const auto names1 = FoldModelNames(AmpCatalogue(Channel::Amp1));
  static const auto names2 = FoldModelNames(AmpCatalogue(Channel::Amp2));
  return FindFolded(channel == Channel::Amp1 ? names1 : names2,
                    file.Read(PresetSection(channel), kAmpKey));
}

int ReadPresetCab(const ProfileSnapshot& file, Channel channel) {
  static const auto names1 = FoldModelNames(CabCatalogue(Channel::Amp1));
  static const auto names2 = FoldModelNames(CabCatalogue(Channel::Amp2));
  return FindFolded(channel == Channel::Amp1 ? names1 : names2,
                    file.Read(PresetSection(channel), kCabKey));
}

int ReadPresetGuitar(const ProfileSnapshot& file) {
  static const auto keys = FoldGuitarKeys();
  return FindFolded(keys, file.Read(kVariaxSection, kGuitarKey));
}

int ReadPresetKnob(const ProfileSnapshot& file, Channel channel, std::string_view key) {
  const std::string text = file.Read(PresetSection(channel), key);
  return text.empty() ? kDefaultKnobValue : StrToInt(text);
}

PresetContent ReadPresetContent(const ProfileSnapshot& file) {
  PresetContent content;
  content.guitar = ReadPresetGuitar(file);
  for (Channel channel : {Channel::Amp1, Channel::Amp2}) {
    ChannelContent& own = content.channels[channel == Channel::Amp1 ? 0 : 1];
    own.amp = ReadPresetAmp(file, channel);
    own.cab = ReadPresetCab(file, channel);
    const auto& keys = PresetKnobKeys(channel);
    for (std::size_t i = 0; i < keys.size(); ++i) {
      own.knobs[i] = std::clamp(ReadPresetKnob(file, channel, keys[i]), 0, kMaxKnobValue);
    }
  }
  for (Channel channel : {Channel::Amp1, Channel::Amp2}) {
    content.channels[channel == Channel::Amp1 ? 0 : 1].powerOn = ReadPresetPower(file, channel);
  }
  return content;
}

void ReadEntryContent(const std::filesystem::path& file, LibraryEntry& entry) {
  try {
    const ProfileSnapshot snapshot(file, MissingFile::kIsAnError);
    entry.content = ReadPresetContent(snapshot);
    entry.error.clear();
    entry.readFailed = false;
  } catch (const ProfileReadError& error) {
    entry.error = UnreadableText(file, error.what());
    entry.readFailed = true;
  } catch (const std::exception& error) {
    entry.error = error.what();
    entry.readFailed = false;
  }
}

}  // namespace velmora
