// The library window opening with 10 000 presets (target: under 300 ms): from Ctrl+L on the
// editor to the list painted, with the index already beside config.ini as after any earlier
// session. The first opening, which builds that index, is shown beside it. Memory (target:
// under 40 MB more than the editor without the library): the process's peak resident size
// once the editor has started, and again with the library open. Run under
// QT_QPA_PLATFORM=offscreen or a display; VELMORA_MIDI=virtual keeps real ports out of it.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <QApplication>
#include <QTest>

#include "StartedEditor.h"
#include "midi/Midi.h"
#include "midi/virtual/VirtualMidiPlatform.h"
#include "profile/ProgramFolder.h"
#include "window/MainWindow.h"
#include "window/TableView.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPresets = 10000;

void MakeLibrary(const fs::path& presets) {
  for (int i = 0; i < kPresets; ++i) {
    const fs::path folder = presets / ("Banque " + std::to_string(i % 100));
    fs::create_directories(folder);
    std::ofstream(folder / ("Preset " + std::to_string(i) + ".vmp"), std::ios::binary)
        << "[AMP1]\r\nPower=ON\r\nAmp='68 Brit Plexi Lead 100\r\nCab=1x10\r\nDRIVE1=" << i % 509
        << "\r\n[Variax]\r\nGuitar=2 Telecaster modified\r\n";
  }
}

// The peak resident size so far (VmHWM), in KiB; -1 where /proc does not say.
long PeakResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmHWM:")) {
      return std::stol(line.substr(6));
    }
  }
  return -1;
}

// Ctrl+L until the list has painted its rows; the window is closed again after.
double OpenMilliseconds(velmora::MainWindow& window) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top != &window && top->isVisible()) {
      return -1;
    }
  }
  window.activateWindow();
  if (!QTest::qWaitForWindowActive(&window)) {
    return -1;
  }
  const Clock::time_point start = Clock::now();
  QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier);
  QWidget* library = QApplication::activeWindow();
  velmora::TableView* list = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* found = top->findChild<velmora::TableView*>("lvPresets"); found && top->isVisible()) {
      library = top;
      list = found;
    }
  }
  if (list == nullptr) {
    return -1;
  }
  list->viewport()->repaint();
  const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  library->close();
  QApplication::processEvents();
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace velmora;
  QApplication application(argc, argv);
  const fs::path folder = fs::temp_directory_path() / "velmora-library-window-bench";
  fs::remove_all(folder);
  MakeLibrary(folder / "presets");
  InstallMidiPlatform(std::make_unique<VirtualMidiPlatform>(1, 1));
  int code = 0;
  {
    MainWindow window(ProgramFolders{folder, VELMORA_SOURCE_DIR}, std::chrono::milliseconds(0));
    if (!StartEditor(window)) {
      return 1;
    }
    const long editorKiB = PeakResidentKiB();
    const double first = OpenMilliseconds(window);
    const double again = OpenMilliseconds(window);
    const long libraryKiB = PeakResidentKiB();
    std::printf(
        "library window, %d presets: first opening (index built) %.0f ms, "
        "opening %.0f ms (target 300 ms)\n",
        kPresets, first, again);
    const double grownMb = static_cast<double>(libraryKiB - editorKiB) / 1024;
    std::printf(
        "peak resident size: editor %.1f MB, with the library open %.1f MB, %.1f MB more "
        "(target 40 MB)\n",
        static_cast<double>(editorKiB) / 1024, static_cast<double>(libraryKiB) / 1024, grownMb);
    code = again >= 0 && again < 300 && editorKiB > 0 && grownMb < 40 ? 0 : 1;
  }
  ReleaseMidiDevices();
  fs::remove_all(folder);
  return code;
}
