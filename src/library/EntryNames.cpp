#include "library/EntryNames.h"

#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Enceintes.h"

namespace velmora {

namespace {

const ChannelContent& ChannelOf(const LibraryEntry& entry, Channel channel) {
  return entry.content.channels[channel == Channel::Amp1 ? 0 : 1];
}

}  // namespace

std::string EntryAmpName(const LibraryEntry& entry, Channel channel) {
  const int record = ChannelOf(entry, channel).amp;
  return entry.error.empty() && record != 0 ? std::string(AmpRecord(channel, record).DisplayName)
                                            : std::string();
}

std::string EntryCabName(const LibraryEntry& entry, Channel channel) {
  const int record = ChannelOf(entry, channel).cab;
  return record != 0 ? std::string(CabRecord(channel, record).DisplayName) : std::string();
}

std::string EntryGuitarName(const LibraryEntry& entry) {
  return entry.error.empty() && entry.content.guitar != 0 ? GuitarKey(entry.content.guitar)
                                                          : std::string();
}

}  // namespace velmora
