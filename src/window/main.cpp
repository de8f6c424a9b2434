// velmora: the editor's window.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "midi/Midi.h"
#include "midi/PlatformChoice.h"
#include "profile/ProgramFolder.h"
#include "surface/form/Identity.h"
#include "surface/shell/ErrorDisplay.h"
#include "surface/shell/StartOptions.h"
#include "window/Accessibility.h"
#include "window/CloseOnSignal.h"
#include "window/MainWindow.h"
#include "window/OneEditor.h"

int main(int argc, char** argv) {
  using namespace velmora;
  // Before the application object, which needs a display: `velmora --version` answers
  // without one.
  const StartOptions early = ReadStartOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (early.action == StartOptions::Action::kVersion) {
    std::cout << VersionText() << '\n';
    return 0;
  }
  if (early.action == StartOptions::Action::kHelp) {
    std::cout << StartUsage();
    return 0;
  }
  QApplication application(argc, argv);
  // Qt has taken its own options (-platform, -session...) out of argv: the rest is ours.
  const StartOptions options = ReadStartOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (options.action == StartOptions::Action::kRefused) {
    std::cerr << StartUsage();
    return 2;
  }
  // A second start hands its file to the running editor, which owns the ports, and ends.
  OneEditor oneEditor;
  if (!oneEditor.Claim()) {
    if (oneEditor.HandTo(HandOver{options.file})) {
      return 0;
    }
    std::cerr << "velmora: the running editor does not answer\n";
    return 1;
  }
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setApplicationName(QString::fromUtf8(ProgramName.data(), ProgramName.size()));
  InstallAccessibleInterfaces();
  QGuiApplication::setDesktopFileName(QStringLiteral("org.velmora.Velmora"));
  // Without a MIDI platform or a folder for its files the editor cannot start: say why.
  ProgramFolders folders;
  try {
    InstallMidiPlatform(MakeMidiPlatformFromEnvironment());
    folders = LocateProgramFolders();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, QString::fromStdString(MainWindowTitle()),
                          QString::fromStdString(ErrorBoxText(error.what())));
    return 1;
  }
  int code = 0;
  {
    MainWindow window(folders);
    CloseOnSignal closeOnSignal(window, [&window] { window.SaveNow(); });
    window.Create();
    oneEditor.Listen([&window](const HandOver& handOver) {
      if (window.isMinimized()) {
        window.showNormal();
      }
      window.raise();
      window.activateWindow();
      // The load's pauses hold the event loop: the window comes up first.
      if (handOver.file) {
        QTimer::singleShot(0, &window,
                           [&window, file = *handOver.file] { window.OpenAfterStartUp(file); });
      }
    });
    if (options.file) {
      window.OpenAfterStartUp(*options.file);
    }
    window.show();
    code = QApplication::exec();
    window.Destroy();
  }
  ReleaseMidiDevices();
  return code;
}
