#include "library/LibrarySearch.h"

#include <array>

#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Enceintes.h"
#include "library/TextFolding.h"

namespace velmora {

namespace {

struct FieldPrefix {
  std::string_view prefix;
  SearchField field;
};

constexpr std::array<FieldPrefix, 4> kPrefixes = {{{"name:", SearchField::Name},
                                                   {"amp:", SearchField::Amp},
                                                   {"cab:", SearchField::Cab},
                                                   {"guitar:", SearchField::Guitar}}};

// Index 0 stands for "none" and holds no words.
template <std::size_t Count>
std::array<std::string, Count + 1> ModelWords(const std::array<ModelRecord, Count>& records) {
  std::array<std::string, Count + 1> words;
  for (std::size_t i = 0; i < Count; ++i) {
    words[i + 1] =
        FoldedWords(std::string(records[i].DisplayName) + " " + std::string(records[i].ModelName));
  }
  return words;
}

std::array<std::string, kGuitarRecordCount + 1> AllGuitarWords() {
  std::array<std::string, kGuitarRecordCount + 1> words;
  for (int i = 1; i <= kGuitarRecordCount; ++i) {
    const GuitarRecord& record = GuitarRecordAt(i);
    words[static_cast<std::size_t>(i)] =
        FoldedWords(GuitarKey(i) + " " + std::string(record.Brand) + " " +
                    std::string(record.Model) + " " + std::string(record.Bank));
  }
  return words;
}

bool Holds(const std::string& words, const std::string& needle) {
  return words.find(needle) != std::string::npos;
}

bool ChannelsHold(const PresetContent& content, const std::string& needle, bool amps) {
  for (Channel channel : {Channel::Amp1, Channel::Amp2}) {
    const ChannelContent& own = content.channels[channel == Channel::Amp1 ? 0 : 1];
    if (Holds(amps ? AmpWords(channel, own.amp) : CabWords(channel, own.cab), needle)) {
      return true;
    }
  }
  return false;
}

bool TermMatches(const LibraryEntry& entry, const SearchTerm& term) {
  const bool any = term.field == SearchField::Any;
  if ((any || term.field == SearchField::Name) && Holds(entry.pathWords, term.needle)) {
    return true;
  }
  if (!entry.error.empty()) {
    return false;
  }
  const PresetContent& content = entry.content;
  return ((any || term.field == SearchField::Amp) && ChannelsHold(content, term.needle, true)) ||
         ((any || term.field == SearchField::Cab) && ChannelsHold(content, term.needle, false)) ||
         ((any || term.field == SearchField::Guitar) &&
          Holds(GuitarWords(content.guitar), term.needle));
}

}  // namespace

std::vector<SearchTerm> ParseSearch(std::string_view query) {
  std::vector<SearchTerm> terms;
  std::size_t start = 0;
  while (start < query.size()) {
    const std::size_t blank = query.find_first_of(" \t\r\n", start);
    const std::string token = FoldText(query.substr(start, blank - start));
    start = blank == std::string_view::npos ? query.size() : blank + 1;
    SearchField field = SearchField::Any;
    std::string_view rest = token;
    for (const FieldPrefix& prefix : kPrefixes) {
      if (rest.starts_with(prefix.prefix)) {
        field = prefix.field;
        rest.remove_prefix(prefix.prefix.size());
        break;
      }
    }
    const std::string words = FoldedWords(rest);
    for (std::size_t at = 0; at < words.size();) {
      const std::size_t next = words.find(' ', at + 1);
      terms.push_back({field, words.substr(at, next - at)});
      at = next == std::string::npos ? words.size() : next;
    }
  }
  return terms;
}

bool EntryMatches(const LibraryEntry& entry, const std::vector<SearchTerm>& terms) {
  for (const SearchTerm& term : terms) {
    if (!TermMatches(entry, term)) {
      return false;
    }
  }
  return true;
}

const std::string& AmpWords(Channel channel, int record) {
  static const auto words1 = ModelWords(AmpCatalogue(Channel::Amp1));
  static const auto words2 = ModelWords(AmpCatalogue(Channel::Amp2));
  return (channel == Channel::Amp1 ? words1 : words2)[static_cast<std::size_t>(record)];
}

const std::string& CabWords(Channel channel, int record) {
  static const auto words1 = ModelWords(CabCatalogue(Channel::Amp1));
  static const auto words2 = ModelWords(CabCatalogue(Channel::Amp2));
  return (channel == Channel::Amp1 ? words1 : words2)[static_cast<std::size_t>(record)];
}

const std::string& GuitarWords(int record) {
  static const auto words = AllGuitarWords();
  return words[static_cast<std::size_t>(record)];
}

}  // namespace velmora
