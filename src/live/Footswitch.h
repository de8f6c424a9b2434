#pragma once

// A MIDI footswitch stepping the setlist: one message for next, one for previous, each
// matched exactly, byte for byte, and optionally only from the input port of that name. A
// Control Change with value 0 is a switch's release: it never triggers and is never learned.

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "live/LiveSteps.h"

namespace velmora {

struct FootswitchBinding {
  std::string port;  // the input port's name; empty for any port
  std::vector<std::uint8_t> message;
  bool operator==(const FootswitchBinding&) const = default;
};

struct FootswitchBindings {
  std::optional<FootswitchBinding> next;
  std::optional<FootswitchBinding> previous;
  bool operator==(const FootswitchBindings&) const = default;
};

// A channel message as message text: two hexadecimal digits a byte (either case), blanks
// between bytes, a status byte from 80 to EF and its data bytes ("C0 05", "B0 50 7F").
// Anything else, and a Control Change with value 0, throws std::invalid_argument with a
// text saying what is wrong.
std::vector<std::uint8_t> ReadFootswitchMessage(std::string_view text);
// "C0 05": upper-case digits, one blank between bytes.
std::string FootswitchMessageText(const std::vector<std::uint8_t>& message);

// The bytes a short message of this status carries: 2 for Program Change and Channel
// Pressure, 3 for the other channel messages.
std::vector<std::uint8_t> ShortMessageBytes(std::uint8_t status, std::uint8_t data1,
                                            std::uint8_t data2);

class Footswitch {
 public:
  explicit Footswitch(FootswitchBindings bindings = {});

  // The MIDI notification thread: the step the message asks for, or nothing. While a learn
  // is under way, the message (a release excepted) is bound instead and steps nothing.
  std::optional<StepAction> Receive(std::string_view port, std::uint8_t status, std::uint8_t data1,
                                    std::uint8_t data2);

  // Binds the next message received to next (kNext) or previous (kPrevious).
  void Learn(StepAction action);
  bool Learning() const;
  FootswitchBindings Bindings() const;
  // The bindings read from config.ini at start; a learn under way goes on.
  void Replace(FootswitchBindings bindings);

 private:
  mutable std::mutex mutex_;
  FootswitchBindings bindings_;
  std::optional<StepAction> learning_;
};

// The bindings of section LIVE of config.ini: NextPort, Next, PreviousPort, Previous, the
// messages as message text. A message that does not read throws std::runtime_error naming
// the key; a key missing leaves that action unbound.
FootswitchBindings ReadFootswitchBindings(const std::filesystem::path& config);
// Writes the four keys in one atomic replace; an unbound action is written empty.
void WriteFootswitchBindings(const std::filesystem::path& config,
                             const FootswitchBindings& bindings);

}  // namespace velmora
