// Opens and closes the first output and input ports many times in one process, sending on
// each opening, and prints what the process holds before and after: the sequencer ports of
// its client (from /proc/asound/seq/clients), its open files and its threads. Exit status 0
// when all three came back to where they were.
//
//   reopen_ports ROUNDS

#include <dirent.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>

#include "midi/Midi.h"

namespace {

// Ports listed under our client's heading, whose line reads: Client 128 : "Velmora" [User].
int OwnSequencerPorts() {
  std::ifstream clients("/proc/asound/seq/clients");
  int ports = 0;
  bool ours = false;
  for (std::string line; std::getline(clients, line);) {
    if (line.starts_with("Client ")) {
      ours = line.find(": \"Velmora\" ") != std::string::npos;
    } else if (ours && line.starts_with("  Port ")) {
      ++ports;
    }
  }
  return ports;
}

int OpenFiles() {
  int files = 0;
  if (DIR* folder = opendir("/proc/self/fd")) {
    while (readdir(folder) != nullptr) {
      ++files;
    }
    closedir(folder);
  }
  return files;
}

int Threads() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("Threads:")) {
      return std::atoi(line.c_str() + 8);
    }
  }
  return -1;
}

void Round(velmora::TMidiOutput& output, velmora::TMidiInput& input) {
  output.OpenDevice(0);
  output.SendText(0, "B0 0C 31 00");
  input.OpenDevice(0);
  input.CloseDevice(0);
  output.CloseDevice(0);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc == 2 ? std::atoi(argv[1]) : 0;
  if (rounds <= 0) {
    std::fprintf(stderr, "usage: reopen_ports ROUNDS\n");
    return 2;
  }
  try {
    velmora::TMidiOutput& output = velmora::GetMidiOutput();
    velmora::TMidiInput& input = velmora::GetMidiInput();
    // The first round starts the input reader thread, which stays for the process.
    Round(output, input);
    const int ports = OwnSequencerPorts();
    const int files = OpenFiles();
    const int threads = Threads();
    for (int i = 1; i < rounds; ++i) {
      Round(output, input);
    }
    std::printf("ports %d %d files %d %d threads %d %d\n", ports, OwnSequencerPorts(), files,
                OpenFiles(), threads, Threads());
    const bool same = ports == OwnSequencerPorts() && files == OpenFiles() && threads == Threads();
    velmora::ReleaseMidiDevices();
    return same ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "reopen_ports: %s\n", error.what());
    return 1;
  }
}
