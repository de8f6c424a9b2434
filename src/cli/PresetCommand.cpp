#include <array>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "cli/CommandWords.h"
#include "cli/Commands.h"
#include "cli/DeviceErrorText.h"
#include "cli/HeadlessSession.h"
#include "surface/editing/PresetBank.h"

namespace velmora {
namespace {

constexpr const char* kPresetUsage =
    "usage: velmora-cli preset [--port N] GROUP KEY\n"
    "  GROUP: USER, FACTORY or FACT; KEY: a bank from 1 to 16, then a letter from A to D "
    "(3B, 16d). Letter case does not count.";

constexpr std::array kPresetOptions = {OptionRule{"--port", OptionValue::kNumber}};

constexpr int kLastBank = 16;

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperCase(std::string_view word) {
  std::string upper;
  for (char c : word) {
    upper += Upper(c);
  }
  return upper;
}

// The group as the panel's caption spells it. FACT is the button's own caption.
std::optional<std::string> ReadGroup(std::string_view word) {
  const std::string group = UpperCase(word);
  if (group == "USER") {
    return group;
  }
  if (group == "FACTORY" || group == "FACT") {
    return std::string("FACTORY");
  }
  return std::nullopt;
}

// The key as the panel builds it ("3B"). Anything else would send the group switch alone,
// and that switch recalls a preset of its own: a typo must not move the amp.
std::optional<std::string> ReadKey(std::string_view word) {
  if (word.size() < 2 || word.size() > 3 || word.front() == '0') {
    return std::nullopt;
  }
  int bank = 0;
  for (char digit : word.substr(0, word.size() - 1)) {
    if (digit < '0' || digit > '9') {
      return std::nullopt;
    }
    bank = bank * 10 + (digit - '0');
  }
  const char letter = Upper(word.back());
  if (bank > kLastBank || letter < 'A' || letter > 'D') {
    return std::nullopt;
  }
  return std::to_string(bank) + letter;
}

}  // namespace

// Recalls one of the amplifier's stored presets as the preset panel does: the group shown
// is GROUP, then the key is selected. For footswitch scripts and a rig without a screen.
int RunPresetCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  const std::optional<CommandWords> words = ReadCommandWords(args, kPresetOptions);
  const std::optional<std::string> group =
      words && words->operands.size() == 2 ? ReadGroup(words->operands[0]) : std::nullopt;
  const std::optional<std::string> key =
      words && words->operands.size() == 2 ? ReadKey(words->operands[1]) : std::nullopt;
  if (!group || !key) {
    err << kPresetUsage << '\n';
    return 2;
  }
  try {
    HeadlessSession session(err);
    const GivenOption* port = words->Find("--port");
    session.OpenOutputPort(port ? port->number : 0);
    EditingContext& context = session.Context();
    context.form.lblPresetBanque = *group;
    SelectPreset(context, *key);
  } catch (const std::exception& error) {
    PrintCommandError(err, error);
    return 1;
  }
  return 0;
}

}  // namespace velmora
