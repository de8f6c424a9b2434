#include "cli/CommandWords.h"

#include <algorithm>
#include <charconv>

namespace velmora {
namespace {

bool LooksLikeOption(std::string_view word) {
  return word.starts_with("-");
}

bool ReadNumber(std::string_view text, int& number) {
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, number);
  return !text.empty() && error == std::errc() && stop == end;
}

// The value after an option that takes one.
bool ReadValue(const OptionRule& rule, std::string_view word, GivenOption& given) {
  given.text = word;
  if (rule.value == OptionValue::kNumber) {
    return ReadNumber(word, given.number);
  }
  return !word.empty() && !LooksLikeOption(word);
}

}  // namespace

const GivenOption* CommandWords::Find(std::string_view name) const {
  const auto last = std::find_if(options.rbegin(), options.rend(),
                                 [name](const GivenOption& given) { return given.name == name; });
  return last == options.rend() ? nullptr : &*last;
}

std::optional<CommandWords> ReadCommandWords(const std::vector<std::string>& args,
                                             std::span<const OptionRule> rules) {
  CommandWords words;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (!LooksLikeOption(word)) {
      words.operands.push_back(word);
      continue;
    }
    const auto rule = std::find_if(rules.begin(), rules.end(),
                                   [&word](const OptionRule& r) { return r.name == word; });
    if (!words.operands.empty() || rule == rules.end() ||
        (!rule->repeatable && words.Find(rule->name) != nullptr)) {
      return std::nullopt;
    }
    GivenOption given{rule->name, {}, 0};
    if (rule->value != OptionValue::kNone) {
      if (++i == args.size() || !ReadValue(*rule, args[i], given)) {
        return std::nullopt;
      }
    }
    words.options.push_back(std::move(given));
  }
  return words;
}

}  // namespace velmora
