#include <array>
#include <exception>

#include "cli/CommandWords.h"
#include "cli/Commands.h"
#include "cli/DeviceErrorText.h"
#include "cli/HeadlessSession.h"
#include "surface/editing/PresetBank.h"

namespace velmora {
namespace {

constexpr const char* kPresetUsage = "usage: velmora-cli preset [--port N] GROUP KEY";

constexpr std::array kPresetOptions = {OptionRule{"--port", OptionValue::kNumber}};

}  // namespace

// Recalls one of the amplifier's stored presets as the preset panel does: the group shown
// is GROUP, then the key is selected. For footswitch scripts and a rig without a screen.
int RunPresetCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  const std::optional<CommandWords> words = ReadCommandWords(args, kPresetOptions);
  if (!words || words->operands.size() != 2) {
    err << kPresetUsage << '\n';
    return 2;
  }
  try {
    HeadlessSession session(err);
    const GivenOption* port = words->Find("--port");
    session.OpenOutputPort(port ? port->number : 0);
    EditingContext& context = session.Context();
    context.form.lblPresetBanque = words->operands[0];
    SelectPreset(context, words->operands[1]);
  } catch (const std::exception& error) {
    PrintCommandError(err, error);
    return 1;
  }
  return 0;
}

}  // namespace velmora
