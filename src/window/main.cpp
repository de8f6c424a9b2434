// velmora: the editor's window.

#include <exception>

#include <QApplication>
#include <QMessageBox>

#include "midi/Midi.h"
#include "midi/PlatformChoice.h"
#include "profile/ProgramFolder.h"
#include "surface/form/Identity.h"
#include "surface/shell/ErrorDisplay.h"
#include "window/MainWindow.h"

int main(int argc, char** argv) {
  using namespace velmora;
  QApplication application(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setApplicationName(QString::fromUtf8(ProgramName.data(), ProgramName.size()));
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
    window.Create();
    window.show();
    code = QApplication::exec();
    window.Destroy();
  }
  ReleaseMidiDevices();
  return code;
}
