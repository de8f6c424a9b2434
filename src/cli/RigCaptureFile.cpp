#include "cli/RigCaptureFile.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "cli/PresetFileRead.h"

namespace velmora {
namespace {

bool IsNumber(std::string_view word) {
  unsigned long long number = 0;
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, number);
  return !word.empty() && error == std::errc() && stop == end;
}

int Digit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// "<ms> <port>" then " XX" per byte, exactly as the capture writes it.
std::vector<std::uint8_t> ReadLine(std::string_view line, const std::string& where) {
  const auto fail = [&](const std::string& what) { return std::runtime_error(where + what); };
  const std::size_t first = line.find(' ');
  const std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
  const std::string_view ms = line.substr(0, first);
  const std::string_view port = first == std::string_view::npos
                                    ? std::string_view()
                                    : line.substr(first + 1, second - first - 1);
  if (!IsNumber(ms) || !IsNumber(port)) {
    throw fail(
        "a line begins with the milliseconds and the port number, each a whole number "
        "followed by one blank.");
  }
  std::vector<std::uint8_t> bytes;
  for (std::size_t at = second; at != std::string_view::npos && at < line.size(); at += 3) {
    const std::string_view pair = line.substr(at, 3);
    const int high = pair.size() == 3 && pair[0] == ' ' ? Digit(pair[1]) : -1;
    const int low = high < 0 ? -1 : Digit(pair[2]);
    if (low < 0) {
      throw fail("\"" + std::string(pair.substr(pair.empty() ? 0 : 1)) +
                 "\" is not a byte written as one blank and two upper-case hexadecimal digits.");
    }
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return bytes;
}

}  // namespace

std::vector<std::vector<std::uint8_t>> ReadCapturedBuffers(const std::string& path) {
  std::ifstream in(PathOf(path), std::ios::binary);
  if (!in) {
    throw std::runtime_error("Cannot read the capture file \"" + path +
                             "\": " + std::strerror(errno) + ".");
  }
  std::vector<std::vector<std::uint8_t>> buffers;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (!line.empty()) {
      buffers.push_back(ReadLine(line, path + ":" + std::to_string(number) + ": "));
    }
  }
  if (in.bad()) {
    throw std::runtime_error("Cannot read the capture file \"" + path +
                             "\": " + std::strerror(errno) + ".");
  }
  return buffers;
}

}  // namespace velmora
