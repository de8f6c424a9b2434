// The editor's start-up for the benchmark: the program's own window, built and shown as the
// program does, without the half-second pauses between the default preset's groups, ended
// once that load is over so that the peak memory covers it. Usage: editor_first_show FOLDER,
// where FOLDER keeps config.ini and the preset files.

#include <chrono>
#include <cstdio>
#include <exception>

#include <QApplication>
#include <QTimer>

#include "FirstShowProbe.h"
#include "midi/Midi.h"
#include "midi/PlatformChoice.h"
#include "profile/ProgramFolder.h"
#include "window/MainWindow.h"

int main(int argc, char** argv) {
  using namespace velmora;
  QApplication application(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() != 2) {
    std::fprintf(stderr, "usage: editor_first_show FOLDER\n");
    return 2;
  }
  try {
    InstallMidiPlatform(MakeMidiPlatformFromEnvironment());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  int code = 0;
  {
    MainWindow window(ProgramFolders{arguments[1].toStdString(), VELMORA_SOURCE_DIR},
                      std::chrono::milliseconds(0));
    FirstShowProbe probe(window);
    window.Create();
    window.show();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (window.StartupDone() && probe.Painted()) {
        QApplication::quit();
      }
    });
    poll.start(1);
    code = QApplication::exec();
    probe.Report();
    window.Destroy();
  }
  ReleaseMidiDevices();
  return code;
}
