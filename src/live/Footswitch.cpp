#include "live/Footswitch.h"

#include <stdexcept>

#include "profile/Profile.h"

namespace velmora {
namespace {

constexpr std::string_view kSection = "LIVE";
constexpr std::string_view kNextPort = "NextPort";
constexpr std::string_view kNext = "Next";
constexpr std::string_view kPreviousPort = "PreviousPort";
constexpr std::string_view kPrevious = "Previous";

constexpr std::uint8_t kControlChange = 0xB0;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  return -1;
}

std::size_t MessageLength(std::uint8_t status) {
  const std::uint8_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

bool IsRelease(const std::vector<std::uint8_t>& message) {
  return (message[0] & 0xF0) == kControlChange && message.size() == 3 && message[2] == 0;
}

std::optional<FootswitchBinding> ReadBinding(const std::filesystem::path& config,
                                             std::string_view portKey,
                                             std::string_view messageKey) {
  const std::string text = ReadProfileString(config, kSection, messageKey);
  if (text.empty()) {
    return std::nullopt;
  }
  try {
    return FootswitchBinding{ReadProfileString(config, kSection, portKey),
                             ReadFootswitchMessage(text)};
  } catch (const std::invalid_argument& error) {
    throw std::runtime_error("config.ini, [LIVE] " + std::string(messageKey) + ": " + error.what());
  }
}

}  // namespace

std::vector<std::uint8_t> ReadFootswitchMessage(std::string_view text) {
  const std::string quoted = "\"" + std::string(text) + "\"";
  std::vector<std::uint8_t> message;
  for (std::size_t at = 0; at < text.size();) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    const int high = HexDigit(text[at]);
    const int low = at + 1 < text.size() ? HexDigit(text[at + 1]) : -1;
    if (high < 0 || low < 0 || (at + 2 < text.size() && text[at + 2] != ' ')) {
      throw std::invalid_argument(quoted +
                                  " is not message text: two hexadecimal digits a "
                                  "byte, such as \"C0 05\" or \"B0 50 7F\"");
    }
    message.push_back(static_cast<std::uint8_t>(high * 16 + low));
    at += 2;
  }
  if (message.empty() || message[0] < 0x80 || message[0] > 0xEF) {
    throw std::invalid_argument(quoted +
                                " does not begin with a channel message's status "
                                "byte, from 80 to EF");
  }
  if (message.size() != MessageLength(message[0])) {
    throw std::invalid_argument(quoted + ": a message of status " +
                                FootswitchMessageText({message[0]}) + " has " +
                                std::to_string(MessageLength(message[0])) + " bytes");
  }
  for (std::size_t i = 1; i < message.size(); ++i) {
    if (message[i] > 0x7F) {
      throw std::invalid_argument(quoted + ": a data byte goes from 00 to 7F");
    }
  }
  if (IsRelease(message)) {
    throw std::invalid_argument(quoted +
                                " is a Control Change with value 0, a switch's "
                                "release, which never steps");
  }
  return message;
}

std::string FootswitchMessageText(const std::vector<std::uint8_t>& message) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t byte : message) {
    if (!text.empty()) {
      text += ' ';
    }
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

std::vector<std::uint8_t> ShortMessageBytes(std::uint8_t status, std::uint8_t data1,
                                            std::uint8_t data2) {
  if (MessageLength(status) == 2) {
    return {status, data1};
  }
  return {status, data1, data2};
}

Footswitch::Footswitch(FootswitchBindings bindings) : bindings_(std::move(bindings)) {}

std::optional<StepAction> Footswitch::Receive(std::string_view port, std::uint8_t status,
                                              std::uint8_t data1, std::uint8_t data2) {
  if (status < 0x80 || status > 0xEF) {
    return std::nullopt;
  }
  const std::vector<std::uint8_t> message = ShortMessageBytes(status, data1, data2);
  if (IsRelease(message)) {
    return std::nullopt;
  }
  const std::lock_guard lock(mutex_);
  if (learning_) {
    std::optional<FootswitchBinding>& slot =
        *learning_ == StepAction::kNext ? bindings_.next : bindings_.previous;
    slot = FootswitchBinding{std::string(port), message};
    learning_.reset();
    return std::nullopt;
  }
  auto matches = [&](const std::optional<FootswitchBinding>& binding) {
    return binding && binding->message == message &&
           (binding->port.empty() || binding->port == port);
  };
  if (matches(bindings_.next)) {
    return StepAction::kNext;
  }
  if (matches(bindings_.previous)) {
    return StepAction::kPrevious;
  }
  return std::nullopt;
}

void Footswitch::Learn(StepAction action) {
  const std::lock_guard lock(mutex_);
  learning_ = action;
}

bool Footswitch::Learning() const {
  const std::lock_guard lock(mutex_);
  return learning_.has_value();
}

FootswitchBindings Footswitch::Bindings() const {
  const std::lock_guard lock(mutex_);
  return bindings_;
}

void Footswitch::Replace(FootswitchBindings bindings) {
  const std::lock_guard lock(mutex_);
  bindings_ = std::move(bindings);
}

FootswitchBindings ReadFootswitchBindings(const std::filesystem::path& config) {
  return FootswitchBindings{ReadBinding(config, kNextPort, kNext),
                            ReadBinding(config, kPreviousPort, kPrevious)};
}

void WriteFootswitchBindings(const std::filesystem::path& config,
                             const FootswitchBindings& bindings) {
  auto port = [](const std::optional<FootswitchBinding>& binding) {
    return binding ? binding->port : std::string();
  };
  auto message = [](const std::optional<FootswitchBinding>& binding) {
    return binding ? FootswitchMessageText(binding->message) : std::string();
  };
  WriteProfileStrings(
      config, {{std::string(kSection), std::string(kNextPort), port(bindings.next)},
               {std::string(kSection), std::string(kNext), message(bindings.next)},
               {std::string(kSection), std::string(kPreviousPort), port(bindings.previous)},
               {std::string(kSection), std::string(kPrevious), message(bindings.previous)}});
}

}  // namespace velmora
