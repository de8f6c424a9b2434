#pragma once

// The window benchmarks' editor: created and shown on the virtual ports, without the pauses
// between messages, and waited for until its start-up is done.

#include <cstdio>

#include <QTest>

#include "window/MainWindow.h"

inline bool StartEditor(velmora::MainWindow& window) {
  window.Create();
  window.show();
  if (!QTest::qWaitFor([&window] { return window.StartupDone(); }, 30000)) {
    std::fprintf(stderr, "the editor did not start\n");
    return false;
  }
  return true;
}
