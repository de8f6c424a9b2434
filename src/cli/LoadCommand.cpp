#include <array>
#include <exception>
#include <memory>
#include <stdexcept>

#include "cli/CommandWords.h"
#include "cli/Commands.h"
#include "cli/DeviceErrorText.h"
#include "cli/HeadlessSession.h"
#include "cli/PresetFileRead.h"
#include "midi/Midi.h"
#include "surface/editing/Synchronise.h"
#include "surface/files/PresetFile.h"

namespace velmora {
namespace {

constexpr const char* kLoadUsage =
    "usage: velmora-cli load [--port N] [--sync] [--save FILE] PRESET...";

constexpr std::array kLoadOptions = {OptionRule{"--port", OptionValue::kNumber},
                                     OptionRule{"--sync", OptionValue::kNone},
                                     OptionRule{"--save", OptionValue::kText}};

// An error of one file's load names that file, as the user typed it; an error of the device
// names the port, since the file is not at fault.
void LoadNamedPreset(EditingContext& context, const std::string& preset) {
  const std::unique_ptr<const ProfileSnapshot> file = ReadPresetFile(preset);
  try {
    LoadPresetSnapshot(context, *file);
  } catch (const MidiError& error) {
    const ComboBox& ports = context.form.cbOutputDevices;
    throw MidiError("MIDI OUT port " + std::to_string(ports.itemIndex) + " \"" + ports.Text() +
                    "\": " + error.what());
  } catch (const std::exception& error) {
    throw std::runtime_error(preset + ": " + error.what());
  }
}

void RunLoad(const CommandWords& words, HeadlessSession& session) {
  const GivenOption* save = words.Find("--save");
  // A target that cannot take the save is known before the load goes to the rig.
  if (save != nullptr) {
    CheckProfileWritable(PathOf(save->text));
  }
  const GivenOption* port = words.Find("--port");
  session.OpenOutputPort(port ? port->number : 0);
  EditingContext& context = session.Context();
  for (const std::string& preset : words.operands) {
    LoadNamedPreset(context, preset);
  }
  if (words.Find("--sync")) {
    Synchronise(context);
  }
  if (save != nullptr) {
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
