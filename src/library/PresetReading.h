#pragma once

// How a preset file's keys become the state a load applies. The load and the library both
// read through these, so that the library shows exactly what a load would apply.

#include <array>
#include <filesystem>
#include <string_view>

#include "catalogue/Vetta2_Amplis.h"
#include "library/LibraryEntry.h"
#include "profile/Profile.h"

namespace velmora {

inline constexpr std::string_view kVariaxSection = "Variax";
inline constexpr std::string_view kPowerKey = "Power";
inline constexpr std::string_view kAmpKey = "Amp";
inline constexpr std::string_view kCabKey = "Cab";
inline constexpr std::string_view kGuitarKey = "Guitar";
inline constexpr std::string_view kPresetPowerOn = "ON";
// A knob whose key is missing or empty sits in the middle of its range.
inline constexpr int kDefaultKnobValue = 256;
inline constexpr int kMaxKnobValue = 508;

// "AMP1" or "AMP2".
std::string_view PresetSection(Channel channel);

// "DRIVE1" .. "VOL1", or "DRIVE2" .. "VOL2": the keys of the channel's six knobs.
const std::array<std::string_view, kKnobsPerChannel>& PresetKnobKeys(Channel channel);

// Letter case folded as the model selectors compare names: ASCII letters and the accented
// Latin-1 capitals.
std::string FoldLetterCase(std::string_view text);

// The power is on when the value is exactly "ON".
bool ReadPresetPower(const ProfileSnapshot& file, Channel channel);
// The first record whose display name equals the value, letter case aside; 0 for none.
int ReadPresetAmp(const ProfileSnapshot& file, Channel channel);
int ReadPresetCab(const ProfileSnapshot& file, Channel channel);
int ReadPresetGuitar(const ProfileSnapshot& file);
// The value, kDefaultKnobValue when missing or empty; throws ConversionError when it is not a
// whole number. Not clamped: the knob clamps what it is given.
int ReadPresetKnob(const ProfileSnapshot& file, Channel channel, std::string_view key);

// The whole state, knobs clamped to 0..kMaxKnobValue. Throws the first error the load would
// meet, in the load's order.
PresetContent ReadPresetContent(const ProfileSnapshot& file);

// The entry's content, or its error: a file over the size cap is refused with the load's
// text, a file that cannot be read gets the reason, not the defaults that a load gives it.
void ReadEntryContent(const std::filesystem::path& file, LibraryEntry& entry);

}  // namespace velmora
