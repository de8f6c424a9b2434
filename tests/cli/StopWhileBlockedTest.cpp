// A run blocked on a pipe nobody reads or on a replay FIFO nobody writes still ends soon
// after SIGTERM, SIGINT or its --seconds, with the status of a run a stop ended.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "cli/CliRunner.h"

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

class StopWhileBlockedTest : public CliRunnerTest {};

TEST_F(StopWhileBlockedTest, EndsSoonAfterTheSignalOrTheTime) {
  const std::string flood = (folder_ / "flood.txt").string();
  std::ofstream lines(flood);
  for (int i = 0; i < 20000; ++i) {
    lines << "0 0 B0 07 64\n";
  }
  lines.close();
  const std::string fifo = (folder_ / "fifo").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::vector<const char*> args;
    std::string replay;
    int signal;  // 0: none, the time limit ends it
  } cases[] = {
      {{"monitor", "--in", "0"}, flood, SIGTERM},
      {{"monitor", "--in", "0", "--seconds", "1"}, flood, 0},
      {{"monitor", "--in", "0"}, fifo, SIGINT},
      {{"ports", "--watch"}, fifo, SIGTERM},
  };
  for (const auto& c : cases) {
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    if (child == 0) {
      dup2(pipeFds[1], 1);
      setenv("VELMORA_MIDI", "virtual", 1);
      setenv("VELMORA_MIDI_REPLAY", c.replay.c_str(), 1);
      std::vector<char*> argv = {const_cast<char*>(VELMORA_CLI_PATH)};
      for (const char* arg : c.args) {
        argv.push_back(const_cast<char*>(arg));
      }
      argv.push_back(nullptr);
      execv(VELMORA_CLI_PATH, argv.data());
      _exit(127);
    }
    close(pipeFds[1]);
    // Long enough to be blocked, nobody reading the pipe or writing the FIFO.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const Clock::time_point asked = Clock::now();
    if (c.signal != 0) {
      kill(child, c.signal);
    }
    int status = -1;
    // Generous against a loaded machine; a run that never ends fails all the same.
    while (waitpid(child, &status, WNOHANG) == 0 &&
           Clock::now() - asked < std::chrono::seconds(10)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const auto took = Clock::now() - asked;
    if (took >= std::chrono::seconds(10)) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
    }
    close(pipeFds[0]);
    EXPECT_LT(took, std::chrono::seconds(10)) << c.args[0] << ' ' << c.replay;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.args[0] << ' ' << c.replay;
  }
}

}  // namespace
}  // namespace velmora

#endif
