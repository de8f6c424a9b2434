#pragma once

// Reports, for the start-up benchmark, how long a window took to be shown and first painted,
// counted from the moment the script launched the process (BENCH_LAUNCH_NS, nanoseconds of
// the system clock) so that loading the libraries counts too, and the process's peak memory.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QEvent>
#include <QObject>
#include <QWidget>

class FirstShowProbe : public QObject {
 public:
  explicit FirstShowProbe(QWidget& window) : window_(window) {
    const char* launch = std::getenv("BENCH_LAUNCH_NS");
    launch_ = launch != nullptr
                  ? std::chrono::system_clock::time_point(
                        std::chrono::duration_cast<std::chrono::system_clock::duration>(
                            std::chrono::nanoseconds(std::atoll(launch))))
                  : std::chrono::system_clock::now();
    window_.installEventFilter(this);
  }

  bool Painted() const { return painted_ >= 0; }

  // Prints the figures; peak memory is the resident set's high-water mark so far.
  void Report() const {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("first show: %.2f ms\nfirst paint: %.2f ms\npeak rss: %ld kB\n", shown_, painted_,
                usage.ru_maxrss);
    std::fflush(stdout);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_) {
      if (event->type() == QEvent::Show && shown_ < 0) {
        shown_ = Elapsed();
      } else if (event->type() == QEvent::Paint && painted_ < 0) {
        painted_ = Elapsed();
      }
    }
    return false;
  }

 private:
  double Elapsed() const {
    return std::chrono::duration<double, std::milli>(std::chrono::system_clock::now() - launch_)
        .count();
  }

  QWidget& window_;
  std::chrono::system_clock::time_point launch_;
  double shown_ = -1;
  double painted_ = -1;
};
