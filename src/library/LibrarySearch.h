#pragma once

// The library's search: every word of the query must begin a word of the entry's fields,
// letter case and accents aside. "name:", "amp:", "cab:" and "guitar:" before a word keep it
// to one field.

#include <string>
#include <string_view>
#include <vector>

#include "library/LibraryEntry.h"

namespace velmora {

enum class SearchField { Any, Name, Amp, Cab, Guitar };

struct SearchTerm {
  SearchField field = SearchField::Any;
  std::string needle;  // " " + the folded word
};

std::vector<SearchTerm> ParseSearch(std::string_view query);

// The file and folder names always; the amps, cabs and guitar of an entry that reads.
bool EntryMatches(const LibraryEntry& entry, const std::vector<SearchTerm>& terms);

// The folded words of a record's names, for the entry lists and the search.
const std::string& AmpWords(Channel channel, int record);
const std::string& CabWords(Channel channel, int record);
const std::string& GuitarWords(int record);

}  // namespace velmora
