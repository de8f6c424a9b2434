#include "midi/PlatformChoice.h"

#include <charconv>
#include <cstdlib>

#include "midi/Midi.h"
#include "midi/virtual/VirtualMidiPlatform.h"

#ifdef VELMORA_HAVE_ALSA
#include "midi/alsa/AlsaMidiPlatform.h"
#endif
#ifdef VELMORA_HAVE_WINMM
#include "midi/winmm/WinmmMidiPlatform.h"
#endif
#ifdef VELMORA_HAVE_JACK
#include "midi/jack/JackMidiPlatform.h"
#endif

namespace velmora {
namespace {

constexpr unsigned kDefaultVirtualPorts = 2;
// Far more than any rig has; a typo like virtual:20000000 must not allocate for ever.
constexpr unsigned kMostVirtualPorts = 256;

MidiError NotBuilt(const std::string& choice, const char* backend) {
  return MidiError("VELMORA_MIDI=" + choice + ": this program was built without the " + backend +
                   " MIDI backend.");
}

std::unique_ptr<MidiPlatform> MakeVirtual(const std::string& choice, const std::string& capturePath,
                                          const std::string& replayPath) {
  unsigned ports = kDefaultVirtualPorts;
  if (choice != "virtual") {
    const std::string count = choice.substr(std::string("virtual:").size());
    const char* end = count.data() + count.size();
    auto [stop, error] = std::from_chars(count.data(), end, ports);
    if (count.empty() || error != std::errc() || stop != end || ports > kMostVirtualPorts) {
      throw MidiError("VELMORA_MIDI=" + choice +
                      ": the number of virtual ports must be a whole number from 0 to " +
                      std::to_string(kMostVirtualPorts) + ".");
    }
  }
  return std::make_unique<VirtualMidiPlatform>(ports, ports, capturePath, replayPath);
}

std::unique_ptr<MidiPlatform> MakeAlsa(const std::string& choice) {
#ifdef VELMORA_HAVE_ALSA
  (void)choice;
  return MakeAlsaMidiPlatform();
#else
  throw NotBuilt(choice, "ALSA");
#endif
}

std::unique_ptr<MidiPlatform> MakeWinmm(const std::string& choice) {
#ifdef VELMORA_HAVE_WINMM
  (void)choice;
  return MakeWinmmMidiPlatform();
#else
  throw NotBuilt(choice, "Windows multimedia");
#endif
}

std::unique_ptr<MidiPlatform> MakeJack(const std::string& choice) {
#ifdef VELMORA_HAVE_JACK
  (void)choice;
  return MakeJackMidiPlatform();
#else
  throw NotBuilt(choice, "JACK");
#endif
}

std::unique_ptr<MidiPlatform> MakeSystemDefault(const std::string& capturePath,
                                                const std::string& replayPath) {
#if defined(VELMORA_HAVE_WINMM)
  (void)capturePath;
  (void)replayPath;
  return MakeWinmmMidiPlatform();
#elif defined(VELMORA_HAVE_ALSA)
  (void)capturePath;
  (void)replayPath;
  return MakeAlsaMidiPlatform();
#else
  // A system with no MIDI backend of ours still runs, with no ports.
  return std::make_unique<VirtualMidiPlatform>(0, 0, capturePath, replayPath);
#endif
}

bool BuildsVirtualPorts(const std::string& choice) {
#if defined(VELMORA_HAVE_WINMM) || defined(VELMORA_HAVE_ALSA)
  const bool defaultIsVirtual = false;
#else
  const bool defaultIsVirtual = true;
#endif
  return choice == "virtual" || choice.starts_with("virtual:") ||
         (choice.empty() && defaultIsVirtual);
}

}  // namespace

std::unique_ptr<MidiPlatform> MakeMidiPlatform(const std::string& choice,
                                               const std::string& capturePath,
                                               const std::string& replayPath) {
  // Input scripted for ports that cannot play it would be ignored without a word.
  if (!replayPath.empty() && !BuildsVirtualPorts(choice)) {
    throw MidiError("VELMORA_MIDI_REPLAY=" + replayPath +
                    ": scripted input plays on the virtual ports only (VELMORA_MIDI=virtual).");
  }
  if (choice.empty()) {
    return MakeSystemDefault(capturePath, replayPath);
  }
  if (choice == "virtual" || choice.starts_with("virtual:")) {
    return MakeVirtual(choice, capturePath, replayPath);
  }
  if (choice == "alsa") {
    return MakeAlsa(choice);
  }
  if (choice == "winmm") {
    return MakeWinmm(choice);
  }
  if (choice == "jack") {
    return MakeJack(choice);
  }
  throw MidiError("VELMORA_MIDI=" + choice +
                  ": unknown MIDI backend (use virtual, virtual:N, alsa, winmm or jack).");
}

std::unique_ptr<MidiPlatform> MakeMidiPlatformFromEnvironment() {
  const char* choice = std::getenv("VELMORA_MIDI");
  const char* capture = std::getenv("VELMORA_MIDI_CAPTURE");
  const char* replay = std::getenv("VELMORA_MIDI_REPLAY");
  return MakeMidiPlatform(choice ? choice : "", capture ? capture : "", replay ? replay : "");
}

}  // namespace velmora
