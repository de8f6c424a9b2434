#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <optional>

#include "cli/Commands.h"
#include "cli/HeadlessView.h"
#include "midi/Midi.h"
#include "presets/ProgramFolder.h"
#include "surface/PresetFile.h"
#include "surface/Synchronise.h"

namespace velmora {
namespace {

constexpr const char* kLoadUsage =
    "usage: velmora-cli load [--port N] [--sync] [--save FILE] PRESET...";

struct LoadOptions {
  int port = 0;
  bool synchronise = false;
  std::optional<std::filesystem::path> saveFile;
  std::vector<std::filesystem::path> presets;
};

bool ParsePort(const std::string& text, int& port) {
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, port);
  return !text.empty() && error == std::errc() && stop == end;
}

bool LooksLikeOption(const std::string& word) {
  return word.starts_with("--");
}

// Options come first, in any order; every word from the first one that is not an option
// names a preset file. An option word among the presets, or in place of the file to save,
// is a misplaced option, not a file name: taken as a preset that does not exist it would
// send the all-default state to the rig and quietly skip what the option asked for. A
// file whose name begins with "--" can still be named as "./--name".
std::optional<LoadOptions> ParseLoadOptions(const std::vector<std::string>& args) {
  LoadOptions options;
  std::size_t i = 0;
  for (; i < args.size() && LooksLikeOption(args[i]); ++i) {
    const std::string& option = args[i];
    const bool hasValue = i + 1 < args.size();
    if (option == "--sync") {
      options.synchronise = true;
    } else if (option == "--port" && hasValue && ParsePort(args[i + 1], options.port)) {
      ++i;
    } else if (option == "--save" && hasValue && !args[i + 1].empty() &&
               !LooksLikeOption(args[i + 1])) {
      options.saveFile = args[++i];
    } else {
      return std::nullopt;
    }
  }
  options.presets.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
  if (options.presets.empty() ||
      std::any_of(args.begin() + static_cast<std::ptrdiff_t>(i), args.end(), LooksLikeOption)) {
    return std::nullopt;
  }
  return options;
}

// The window as first shown, with the port list filled and the chosen port picked in it.
void OpenOutputPort(FormModel& form, int port) {
  TMidiOutput& output = GetMidiOutput();
  form.cbOutputDevices.items = output.DeviceNames();
  output.OpenDevice(port);
  form.cbOutputDevices.itemIndex = port;
}

void RunLoad(const LoadOptions& options, EditingContext& context) {
  OpenOutputPort(context.form, options.port);
  for (const std::filesystem::path& preset : options.presets) {
    LoadPresetFromFile(context, preset);
  }
  if (options.synchronise) {
    Synchronise(context);
  }
  if (options.saveFile) {
    const FormModel& form = context.form;
    WritePresetKeys(form, *options.saveFile, form.bttnOnOffAMP1.caption,
                    form.bttnOnOffAMP2.caption);
  }
}

}  // namespace

// Loads each preset exactly as the window loads a chosen file (same messages, same order,
// real pauses), then optionally re-sends the whole state and saves it. Sends done before an
// error stay sent.
int RunLoadCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  const std::optional<LoadOptions> options = ParseLoadOptions(args);
  if (!options) {
    err << kLoadUsage << '\n';
    return 2;
  }
  FormModel form = MakeStartupForm();
  HeadlessView view(err);
  try {
    // Inside the try: finding the program's folder can fail too, and must not crash.
    EditingContext context{form, view,
                           ResolveProgramFolders(ExecutableFolder(), std::getenv("XDG_CONFIG_HOME"),
                                                 std::getenv("HOME"))};
    RunLoad(*options, context);
  } catch (const std::exception& error) {
    err << error.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace velmora
