#pragma once

// Reading a command's words: its options first, then its operands. Any word that begins
// with "-" and is not one of the command's options, or that stands among the operands, is
// refused: taken as an operand it would reach the rig as something the user never meant
// ("send --help" would send 00 0E 00). An operand that truly begins with "-" can be written
// as "./-name".

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class OptionValue {
  kNone,    // a switch: "--sync"
  kNumber,  // a whole number that fits an int, sign allowed: "--port 1"
  kText,    // a word that is neither empty nor an option: "--save FILE"
};

struct OptionRule {
  std::string_view name;
  OptionValue value = OptionValue::kNone;
  // Given twice, an option that is not repeatable is refused: one of the two values would
  // be dropped without a word.
  bool repeatable = false;
};

struct GivenOption {
  std::string_view name;
  std::string text;  // empty for a switch
  int number = 0;    // for OptionValue::kNumber
};

struct CommandWords {
  std::vector<GivenOption> options;  // in the order given
  std::vector<std::string> operands;

  // The option as given, or nullptr; for a repeatable option, the last one given.
  const GivenOption* Find(std::string_view name) const;
};

// Nothing when the words break a rule above or an option lacks its value.
std::optional<CommandWords> ReadCommandWords(const std::vector<std::string>& args,
                                             std::span<const OptionRule> rules);

}  // namespace velmora
