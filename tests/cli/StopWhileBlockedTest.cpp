// Blocked on a pipe nobody reads or a FIFO nobody writes, a run still ends when stopped.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "cli/CliRunner.h"

namespace velmora {
namespace {

class StopWhileBlockedTest : public CliRunnerTest {};

TEST_F(StopWhileBlockedTest, EndsSoonAfterTheSignalOrTheTime) {
  const std::string flood = (folder_ / "flood.txt").string();
  const std::string fifo = (folder_ / "fifo").string();
  std::string lines;
  for (int i = 0; i < 20000; ++i) {
    lines += "0 0 B0 07 64\n";
  }
  std::ofstream(flood) << lines;
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::vector<const char*> args;
    std::string replay;
    int signal;  // 0: the time limit ends the run
  } cases[] = {
      {{VELMORA_CLI_PATH, "monitor", "--in", "0", nullptr}, flood, SIGTERM},
      {{VELMORA_CLI_PATH, "monitor", "--in", "0", "--seconds", "1", nullptr}, flood, 0},
      {{VELMORA_CLI_PATH, "monitor", "--in", "0", nullptr}, fifo, SIGINT},
      {{VELMORA_CLI_PATH, "monitor", "--in", "0", "--seconds", "1", nullptr}, fifo, 0},
      {{VELMORA_CLI_PATH, "ports", "--watch", nullptr}, fifo, SIGTERM},
  };
  for (const auto& c : cases) {
    int reader[2];
    ASSERT_EQ(pipe(reader), 0);
    const std::string replay = "VELMORA_MIDI_REPLAY=" + c.replay;
    const pid_t child = fork();
    if (child == 0) {
      dup2(reader[1], 1);
      const char* environment[] = {"VELMORA_MIDI=virtual", replay.c_str(), nullptr};
      execve(VELMORA_CLI_PATH, const_cast<char* const*>(c.args.data()),
             const_cast<char* const*>(environment));
      _exit(127);
    }
    close(reader[1]);
    // By now the run is blocked: nobody reads the pipe nor writes the FIFO.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    kill(child, c.signal);
    int status = -1;
    bool ended = false;
    // Ten seconds, generous for a loaded machine; a run that never ends fails all the same.
    for (int i = 0; i < 500 && !(ended = waitpid(child, &status, WNOHANG) == child); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!ended) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.args[1] << ' ' << c.replay;
    close(reader[0]);
  }
}

}  // namespace
}  // namespace velmora

#endif
