// The live view's step, repainted (target: median under 16 ms, one frame at 60 Hz): from the
// key that steps to a stored preset item to the view painted with its label, over 200 steps
// to and fro. Run under QT_QPA_PLATFORM=offscreen or a display; VELMORA_MIDI=virtual keeps
// real ports out of it.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "StartedEditor.h"
#include "midi/Midi.h"
#include "midi/virtual/VirtualMidiPlatform.h"
#include "profile/ProgramFolder.h"
#include "window/MainWindow.h"

int main(int argc, char** argv) {
  using namespace velmora;
  namespace fs = std::filesystem;
  using Clock = std::chrono::steady_clock;
  QApplication application(argc, argv);
  const fs::path folder = fs::temp_directory_path() / "velmora-live-view-bench";
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::ofstream(folder / "gig.vsl") << "USER 1A\tOpening song\nFACTORY 16D\tEncore\n";
  std::ofstream(folder / "config.ini")
      << "[MIDI]\r\nOut=0\r\n[LIVE]\r\nSetlist=" << (folder / "gig.vsl").string() << "\r\n";
  InstallMidiPlatform(std::make_unique<VirtualMidiPlatform>(1, 1));
  int code = 1;
  {
    MainWindow window(ProgramFolders{folder, VELMORA_SOURCE_DIR}, std::chrono::milliseconds(0));
    if (!StartEditor(window)) {
      return 1;
    }
    QTest::keyClick(&window, Qt::Key_F11);
    QWidget* live = nullptr;
    const bool shown = QTest::qWaitFor([&live] {
      live = QApplication::activeWindow();
      return live != nullptr && live->objectName() == "TFormLive";
    });
    QLabel* label = shown ? live->findChild<QLabel*>("lblLiveLabel") : nullptr;
    if (label == nullptr) {
      std::fprintf(stderr, "F11 showed no live view\n");
      return 1;
    }
    std::vector<double> steps;
    for (int i = 0; i < 200; ++i) {
      const Clock::time_point start = Clock::now();
      QTest::keyClick(live, i % 2 == 0 ? Qt::Key_Right : Qt::Key_Left);
      live->repaint();
      steps.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
      if (label->text() != (i % 2 == 0 ? "Encore" : "Opening song")) {
        std::fprintf(stderr, "step %d did not show its item: %s\n", i,
                     label->text().toUtf8().constData());
        return 1;
      }
    }
    std::sort(steps.begin(), steps.end());
    const double median = steps[steps.size() / 2];
    std::printf("live view step, repainted: median %.2f ms, slowest %.2f ms (target 16 ms)\n",
                median, steps.back());
    code = median < 16 ? 0 : 1;
  }
  ReleaseMidiDevices();
  fs::remove_all(folder);
  return code;
}
