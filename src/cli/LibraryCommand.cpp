#include "cli/LibraryCommand.h"

#include <array>
#include <exception>
#include <nlohmann/json.hpp>
#include <string_view>

#include "cli/CommandWords.h"
#include "library/EntryNames.h"
#include "library/FolderWalk.h"
#include "library/LibraryFolder.h"
#include "library/PresetLibrary.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

constexpr const char* kLibraryUsage = "usage: velmora-cli library [--dir D] [--json] [WORDS...]";

constexpr std::array kLibraryOptions = {OptionRule{"--dir", OptionValue::kText},
                                        OptionRule{"--json", OptionValue::kNone}};

constexpr std::array<std::string_view, kKnobsPerChannel> kKnobLabels = {"DRIVE", "BASS", "MID",
                                                                        "TREB",  "PRES", "VOL"};

// A name may hold a tab or a line break; escaped, it cannot split its line or field.
std::string FieldText(std::string_view text) {
  std::string field;
  for (const char c : text) {
    switch (c) {
      case '\\':
        field += "\\\\";
        break;
      case '\t':
        field += "\\t";
        break;
      case '\n':
        field += "\\n";
        break;
      case '\r':
        field += "\\r";
        break;
      default:
        field += c;
    }
  }
  return field;
}

Json ChannelJson(const LibraryEntry& entry, Channel channel) {
  if (!entry.error.empty()) {
    return nullptr;
  }
  const ChannelContent& content = entry.content.channels[channel == Channel::Amp1 ? 0 : 1];
  Json knobs = Json::object();
  for (std::size_t i = 0; i < kKnobLabels.size(); ++i) {
    knobs[std::string(kKnobLabels[i])] = content.knobs[i];
  }
  return Json{{"power", content.powerOn ? "ON" : "OFF"},
              {"amp", EntryAmpName(entry, channel)},
              {"cab", EntryCabName(entry, channel)},
              {"knobs", std::move(knobs)}};
}

Json EntryJson(const LibraryEntry& entry) {
  return Json{{"path", entry.relativeText},
              {"name", entry.name},
              {"modified", ModifiedText(entry.stamp)},
              {"AMP1", ChannelJson(entry, Channel::Amp1)},
              {"AMP2", ChannelJson(entry, Channel::Amp2)},
              {"guitar", entry.error.empty() ? Json(EntryGuitarName(entry)) : Json(nullptr)},
              {"error", entry.error.empty() ? Json(nullptr) : Json(entry.error)}};
}

std::string JoinWords(const std::vector<std::string>& words) {
  std::string query;
  for (const std::string& word : words) {
    query += word + " ";
  }
  return query;
}

}  // namespace

int RunLibraryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<CommandWords> words = ReadCommandWords(args, kLibraryOptions);
  if (!words) {
    err << kLibraryUsage << '\n';
    return 2;
  }
  try {
    const GivenOption* dir = words->Find("--dir");
    const ProgramFolders folders = dir ? ProgramFolders{} : LocateProgramFolders();
    // The index belongs to the window's folder; another folder is read afresh.
    PresetLibrary library(dir ? fs::path(dir->text) : LibraryFolder(folders),
                          dir ? fs::path() : LibraryIndexFile(folders));
    library.Refresh();
    for (const std::string& problem : library.Problems()) {
      err << "velmora-cli: " << problem << '\n';
    }
    if (library.StoppedAtLimit()) {
      err << "velmora-cli: " << LimitReachedText(kMaxLibraryFiles) << '\n';
    }
    const std::vector<std::size_t> found = library.Search(JoinWords(words->operands));
    Json array = Json::array();
    for (const std::size_t index : found) {
      const LibraryEntry& entry = library.Entries()[index];
      if (words->Find("--json")) {
        array.push_back(EntryJson(entry));
        continue;
      }
      out << FieldText(entry.relativeText) << '\t' << FieldText(EntryAmpName(entry, Channel::Amp1))
          << '\t' << FieldText(EntryAmpName(entry, Channel::Amp2)) << '\t'
          << FieldText(EntryGuitarName(entry)) << '\n';
      if (!entry.error.empty()) {
        err << "velmora-cli: " << entry.error << '\n';
      }
    }
    if (words->Find("--json")) {
      out << array.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    }
    return found.empty() ? 1 : 0;
  } catch (const std::exception& error) {
    err << "velmora-cli: " << error.what() << '\n';
    return 1;
  }
}

}  // namespace velmora
