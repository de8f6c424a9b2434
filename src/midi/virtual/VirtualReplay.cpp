#include "midi/virtual/VirtualReplay.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>

#include "midi/Midi.h"
#include "midi/PrintableText.h"

namespace velmora {

namespace {

constexpr std::uint8_t kSysExStart = 0xF0;
constexpr std::uint8_t kSysExEnd = 0xF7;
constexpr std::size_t kMostShortBytes = 3;
// Far above any real script (a SysEx line of 64 KiB holds over 20 000 bytes), low enough
// that /dev/zero or a runaway writer cannot exhaust memory.
constexpr std::size_t kMostLineBytes = 64 * 1024;
constexpr std::uintmax_t kMostFileBytes = 64 * 1024 * 1024;

// Text of the file quoted in an error, as the terminal can show it.
std::string Quote(std::string_view text) {
  return "\"" + EscapeControlCharacters(text) + "\"";
}

std::string Hex(std::uint8_t byte) {
  char text[4];
  std::snprintf(text, sizeof text, "%.2X", byte);
  return text;
}

// The error of one line: "replay.txt:3: <what>".
class LineError {
 public:
  LineError(const std::string& path, int line) : where_(path + ":" + std::to_string(line) + ": ") {}
  MidiError operator()(const std::string& what) const { return MidiError(where_ + what); }

 private:
  std::string where_;
};

bool ReadNumber(std::string_view text, unsigned long& number) {
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, number);
  return !text.empty() && error == std::errc() && stop == end;
}

int DigitValue(char digit) {
  if (digit >= '0' && digit <= '9') {
    return digit - '0';
  }
  if (digit >= 'A' && digit <= 'F') {
    return digit - 'A' + 10;
  }
  return -1;
}

std::vector<std::uint8_t> ReadBytes(std::string_view text, const LineError& error) {
  std::vector<std::uint8_t> bytes;
  std::size_t at = 0;
  while (true) {
    const std::size_t blank = text.find(' ', at);
    const std::string_view pair = text.substr(at, blank - at);
    const int high = pair.size() == 2 ? DigitValue(pair[0]) : -1;
    const int low = pair.size() == 2 ? DigitValue(pair[1]) : -1;
    if (high < 0 || low < 0) {
      throw error(Quote(pair) + " is not a byte written as two upper-case hexadecimal digits.");
    }
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    if (blank == std::string_view::npos) {
      return bytes;
    }
    at = blank + 1;
  }
}

void CheckMessage(const std::vector<std::uint8_t>& bytes, const LineError& error) {
  const std::uint8_t first = bytes.front();
  if (first < 0x80 || first == kSysExEnd) {
    throw error("a message begins with F0 or a status byte from 80 to FF other than F7, not " +
                Hex(first) + ".");
  }
  std::size_t dataEnd = bytes.size();
  if (first == kSysExStart) {
    if (bytes.size() < 2 || bytes.back() != kSysExEnd) {
      throw error("a System Exclusive message ends with F7.");
    }
    --dataEnd;
  } else if (bytes.size() > kMostShortBytes) {
    throw error("a message that is not System Exclusive has at most three bytes.");
  }
  for (std::size_t i = 1; i < dataEnd; ++i) {
    if (bytes[i] >= 0x80) {
      throw error("after the status byte come data bytes from 00 to 7F, not " + Hex(bytes[i]) +
                  ".");
    }
  }
}

ReplayLine ReadLine(std::string_view text, unsigned inputPorts, const LineError& error) {
  const std::size_t firstBlank = text.find(' ');
  const std::size_t secondBlank =
      firstBlank == std::string_view::npos ? firstBlank : text.find(' ', firstBlank + 1);
  if (secondBlank == std::string_view::npos) {
    throw error("expected \"<ms> <port> <HEX>\".");
  }
  ReplayLine line;
  unsigned long number = 0;
  const std::string_view ms = text.substr(0, firstBlank);
  if (!ReadNumber(ms, number) || number > std::numeric_limits<std::uint32_t>::max()) {
    throw error("the time " + Quote(ms) + " is not a whole number of milliseconds.");
  }
  line.at = std::chrono::milliseconds(number);
  const std::string_view port = text.substr(firstBlank + 1, secondBlank - firstBlank - 1);
  if (!ReadNumber(port, number)) {
    throw error("the port " + Quote(port) + " is not a whole number.");
  }
  if (number >= inputPorts) {
    throw error("there is no virtual input port " + std::string(port) + " (the ports are " +
                (inputPorts == 0 ? std::string("none") : "0 to " + std::to_string(inputPorts - 1)) +
                ").");
  }
  line.port = static_cast<unsigned>(number);
  line.bytes = ReadBytes(text.substr(secondBlank + 1), error);
  CheckMessage(line.bytes, error);
  return line;
}

}  // namespace

std::vector<ReplayLine> ReadReplayFile(const std::string& path, unsigned inputPorts) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw MidiError("Cannot open the MIDI replay file \"" + path + "\": " + std::strerror(errno) +
                    ".");
  }
  std::vector<ReplayLine> lines;
  int number = 0;
  std::uintmax_t fileBytes = 0;
  std::string text;
  // Each line as it ends, the last one without its line feed too.
  auto take = [&] {
    ++number;
    if (!text.empty() && text.back() == '\r') {
      text.pop_back();
    }
    if (!text.empty()) {
      lines.push_back(ReadLine(text, inputPorts, LineError(path, number)));
    }
    text.clear();
  };
  char buffer[1 << 14];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    const std::string_view chunk(buffer, static_cast<std::size_t>(in.gcount()));
    fileBytes += chunk.size();
    if (fileBytes > kMostFileBytes) {
      throw MidiError("The MIDI replay file \"" + path + "\" is larger than 64 MiB (" +
                      std::to_string(kMostFileBytes) + " bytes).");
    }
    for (std::size_t at = 0; at < chunk.size();) {
      const std::size_t feed = std::min(chunk.find('\n', at), chunk.size());
      text.append(chunk.substr(at, feed - at));
      if (text.size() > kMostLineBytes) {
        throw LineError(path, number + 1)("the line is longer than 64 KiB (" +
                                          std::to_string(kMostLineBytes) + " bytes).");
      }
      if (feed < chunk.size()) {
        take();
      }
      at = feed + 1;
    }
  }
  if (in.bad()) {
    throw MidiError("Cannot read the MIDI replay file \"" + path + "\".");
  }
  if (!text.empty()) {
    take();
  }
  return lines;
}

ReplayRun::ReplayRun(std::vector<ReplayLine> lines, Deliver deliver)
    : lines_(std::move(lines)),
      deliver_(std::move(deliver)),
      start_(std::chrono::steady_clock::now()),
      thread_([this] { Play(); }) {}

ReplayRun::~ReplayRun() {
  Stop();
  if (thread_.joinable()) {
    thread_.join();
  }
}

void ReplayRun::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) {
    thread_.join();
  }
}

void ReplayRun::Play() {
  for (const ReplayLine& line : lines_) {
    {
      std::unique_lock lock(mutex_);
      if (wake_.wait_until(lock, start_ + line.at, [this] { return stopping_; })) {
        return;
      }
    }
    deliver_(line);
  }
}

}  // namespace velmora
