#pragma once

// Runs the built velmora-cli on virtual ports, in a fresh temporary folder, and reads what
// it printed and what it sent (the capture file).

#include <gtest/gtest.h>
#ifdef _WIN32
#include "cli/ChildProcess.h"
#else
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "TemporaryFolder.h"

namespace velmora {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string Quoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) {
    quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

inline std::string Slurp(const std::filesystem::path& file) {
#ifdef _WIN32
  // The program's text ends its lines with CRLF on Windows; text mode reads them as "\n".
  std::ifstream in(file);
#else
  std::ifstream in(file, std::ios::binary);
#endif
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class CliRunnerTest : public ::testing::Test {
 protected:
  CliRunnerTest() : folder_(MakeTemporaryFolder("velmora-cli-")) {
    capture_ = folder_ / "capture.txt";
  }
  ~CliRunnerTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  CliRun Cli(const std::vector<std::string>& args, const std::string& midi = "virtual") {
    return CliWith(args, "VELMORA_MIDI=" + Quoted(midi) +
                             " VELMORA_MIDI_CAPTURE=" + Quoted(capture_.string()));
  }

  // With outFile given, the standard output goes there and is not read back.
  CliRun CliWith(const std::vector<std::string>& args, const std::string& environment,
                 const std::filesystem::path& outFile = {}) {
    const std::filesystem::path out = outFile.empty() ? folder_ / "out" : outFile;
    CliRun run;
#ifdef _WIN32
    run.status =
        RunChild(VELMORA_CLI_PATH, args, ShellWords(environment), {}, out, folder_ / "err");
#else
    // A run that never ends fails the test instead of hanging it.
    std::string command =
        "timeout 60 env -u VELMORA_MIDI -u VELMORA_MIDI_CAPTURE -u VELMORA_MIDI_REPLAY " +
        environment + " " + Quoted(VELMORA_CLI_PATH);
    for (const std::string& arg : args) {
      command += " " + Quoted(arg);
    }
    command += " >" + Quoted(out.string()) + " 2>" + Quoted((folder_ / "err").string());
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    run.out = outFile.empty() ? Slurp(out) : std::string();
    run.err = Slurp(folder_ / "err");
    return run;
  }

  // The capture lines with the time checked and cut off: "<port> <HEX>".
  std::vector<std::string> Captured() {
    std::vector<std::string> lines;
    std::ifstream in(capture_);
    const std::regex line(R"((\d+) (\d+ [0-9A-F]{2}( [0-9A-F]{2})*))");
    for (std::string text; std::getline(in, text);) {
      std::smatch match;
      EXPECT_TRUE(std::regex_match(text, match, line)) << text;
      lines.push_back(match.size() > 2 ? match[2].str() : text);
    }
    return lines;
  }

  std::filesystem::path folder_;
  std::filesystem::path capture_;
};

}  // namespace velmora
