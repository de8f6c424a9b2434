#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "cli/CommandWords.h"
#include "cli/Commands.h"
#include "cli/DeviceErrorText.h"
#include "cli/HeadlessSession.h"
#include "surface/editing/Synchronise.h"
#include "surface/files/PresetFile.h"

namespace velmora {
namespace {

constexpr const char* kLoadUsage =
    "usage: velmora-cli load [--port N] [--sync] [--save FILE] PRESET...";

constexpr std::array kLoadOptions = {OptionRule{"--port", OptionValue::kNumber},
                                     OptionRule{"--sync", OptionValue::kNone},
                                     OptionRule{"--save", OptionValue::kText}};

// Words arrive as UTF-8 everywhere (the Windows program declares UTF-8 its code page); a
// path made straight from narrow text would be read in the ANSI code page there.
std::filesystem::path PathOf(const std::string& word) {
  return std::filesystem::path(std::u8string(word.begin(), word.end()));
}

// The window reads a missing file as one in which every key is missing, which sends the
// all-default state; from the command line that is a typo, so the file must be there and
// readable before anything of it goes out. An empty file is still a valid preset.
void CheckPresetFile(const std::string& preset) {
  std::error_code statusError;
  const std::filesystem::file_status status = std::filesystem::status(PathOf(preset), statusError);
  std::string reason;
  if (statusError) {
    reason = statusError.message();
  } else if (!std::filesystem::is_regular_file(status)) {
    reason = "not a regular file";
  } else if (std::ifstream(PathOf(preset), std::ios::binary).is_open()) {
  } else {
    reason = std::strerror(errno);
  }
  if (!reason.empty()) {
    throw std::runtime_error("Cannot read the preset file \"" + preset + "\": " + reason + ".");
  }
}

// An error of one file's load names that file, as the user typed it.
void LoadNamedPreset(EditingContext& context, const std::string& preset) {
  CheckPresetFile(preset);
  try {
    LoadPresetFromFile(context, PathOf(preset));
  } catch (const std::exception& error) {
    throw std::runtime_error(preset + ": " + error.what());
  }
}

void RunLoad(const CommandWords& words, HeadlessSession& session) {
  const GivenOption* port = words.Find("--port");
  session.OpenOutputPort(port ? port->number : 0);
  EditingContext& context = session.Context();
  for (const std::string& preset : words.operands) {
    LoadNamedPreset(context, preset);
  }
  if (words.Find("--sync")) {
    Synchronise(context);
  }
  if (const GivenOption* save = words.Find("--save")) {
    const FormModel& form = context.form;
    WritePresetKeys(form, PathOf(save->text), form.bttnOnOffAMP1.caption,
                    form.bttnOnOffAMP2.caption);
  }
}

}  // namespace

// Loads each preset exactly as the window loads a chosen file (same messages, same order,
// real pauses), then optionally re-sends the whole state and saves it. Sends done before an
// error stay sent.
int RunLoadCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  const std::optional<CommandWords> words = ReadCommandWords(args, kLoadOptions);
  if (!words || words->operands.empty()) {
    err << kLoadUsage << '\n';
    return 2;
  }
  try {
    HeadlessSession session(err);
    RunLoad(*words, session);
  } catch (const std::exception& error) {
    PrintCommandError(err, error);
    return 1;
  }
  return 0;
}

}  // namespace velmora
