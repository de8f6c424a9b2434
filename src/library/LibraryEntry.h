#pragma once

// One preset file of the library, with what a load of it would apply.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "catalogue/Vetta2_Amplis.h"

namespace velmora {

struct ChannelContent {
  bool powerOn = false;
  int amp = 0;  // record number in the channel's amp catalogue; 0 for none
  int cab = 0;  // record number in the channel's cab catalogue; 0 for none
  std::array<int, kKnobsPerChannel> knobs{};  // DRIVE, BASS, MID, TREB, PRES, VOL

  bool operator==(const ChannelContent&) const = default;
};

struct PresetContent {
  std::array<ChannelContent, 2> channels;  // AMP1, AMP2
  int guitar = 0;                          // record number in the guitar catalogue; 0 for none

  bool operator==(const PresetContent&) const = default;
};

// What a folder entry holds on disk, by which the cache knows it unchanged.
struct FileStamp {
  std::uintmax_t size = 0;
  std::int64_t modified = 0;  // nanoseconds since 1970, UTC

  bool operator==(const FileStamp&) const = default;
};

struct LibraryEntry {
  std::filesystem::path relativePath;  // native, as the folder spells it
  std::string relativeText;            // UTF-8 with "/" between names
  std::string name;                    // the file's stem, UTF-8
  FileStamp stamp;
  PresetContent content;  // meaningful when error is empty
  // The load's error text, the refusal of a file too large, or why the file cannot be read.
  std::string error;
  // The file could not be read (as opposed to a file that reads and a load would refuse):
  // tried again at every scan.
  bool readFailed = false;
  std::string sortKey;    // the folded relative text
  std::string pathWords;  // the folded words of the file and folder names
};

// The file's modified time, in UTC seconds since 1970.
std::int64_t ModifiedSeconds(const FileStamp& stamp);

// "2026-12-09T13:22:34Z"
std::string ModifiedText(const FileStamp& stamp);

}  // namespace velmora
