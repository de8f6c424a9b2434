#pragma once

// The lines of the monitor log. Hexadecimal numbers are two upper-case digits; the time
// stamp is a local time written "HH:NN:SS.ZZZ" (hours 00-23, then milliseconds).

#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>

#include "midi/ByteStream.h"

namespace velmora {

std::string FormatLogTime(const std::tm& localTime, int milliseconds);
std::string LogTimeOf(std::chrono::system_clock::time_point when);
std::string LogTimeNow();

// "[14:03:07.250] Port A: <Status> B0, <Data 1> 07 <Data 2> 64"
std::string ShortReceivedLogLine(const std::string& time, const std::string& inputPort,
                                 std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
// " -->Port B": no blank after the arrow.
std::string ThruLogLine(const std::string& outputPort);
// "[14:03:09.002] Port A: <Bytes> 3 <SysEx> F0 7F F7 "
std::string SysExReceivedLogLine(const std::string& time, const std::string& inputPort,
                                 ByteStream& stream);
// "[14:03:09.120] <Lost> 1843 MIDI events: they arrived faster than they could be read"
std::string LostInputLogLine(const std::string& time, std::uint64_t lost);
// " --> Port B F0 7F F7": the entry's text exactly as typed.
std::string RawSendLogLine(const std::string& outputPort, const std::string& text);

}  // namespace velmora
