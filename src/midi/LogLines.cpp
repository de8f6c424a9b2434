#include "midi/LogLines.h"

#include <cstdio>

#include "midi/Midi.h"

namespace velmora {

std::string FormatLogTime(const std::tm& localTime, int milliseconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2d:%.2d:%.2d.%.3d", localTime.tm_hour, localTime.tm_min,
                localTime.tm_sec, milliseconds);
  return text;
}

std::string LogTimeOf(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  const auto sinceEpoch = when.time_since_epoch();
  const int milliseconds = static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  return FormatLogTime(local, milliseconds < 0 ? milliseconds + 1000 : milliseconds);
}

std::string LogTimeNow() {
  return LogTimeOf(std::chrono::system_clock::now());
}

std::string ShortReceivedLogLine(const std::string& time, const std::string& inputPort,
                                 std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
  char bytes[64];
  std::snprintf(bytes, sizeof bytes, ": <Status> %.2X, <Data 1> %.2X <Data 2> %.2X", status, data1,
                data2);
  return "[" + time + "] " + inputPort + bytes;
}

std::string ThruLogLine(const std::string& outputPort) {
  return " -->" + outputPort;
}

std::string SysExReceivedLogLine(const std::string& time, const std::string& inputPort,
                                 ByteStream& stream) {
  return "[" + time + "] " + inputPort + ": <Bytes> " + std::to_string(stream.Size()) +
         " <SysEx> " + StreamToHexText(stream);
}

std::string LostInputLogLine(const std::string& time, std::uint64_t lost) {
  return "[" + time + "] <Lost> " + std::to_string(lost) +
         " MIDI events: they arrived faster than they could be read";
}

std::string RawSendLogLine(const std::string& outputPort, const std::string& text) {
  return " --> " + outputPort + " " + text;
}

}  // namespace velmora
