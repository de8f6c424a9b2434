// velmora: the editor's window, native on Windows.

#include <exception>

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "midi/Midi.h"
#include "midi/PlatformChoice.h"
#include "profile/ProgramFolder.h"
#include "surface/form/Identity.h"
#include "surface/shell/ErrorDisplay.h"
#include "winshell/MainWindow.h"
#include "winshell/Pictures.h"
#include "winshell/Utf16.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace velmora;
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  // The file dialogs and the web link may call on shell extensions, which need COM.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  // Without a MIDI platform or a folder for its files the editor cannot start: say why.
  ProgramFolders folders;
  try {
    InstallMidiPlatform(MakeMidiPlatformFromEnvironment());
    folders = LocateProgramFolders();
  } catch (const std::exception& error) {
    MessageBoxW(nullptr, ToUtf16(ErrorBoxText(error.what())).c_str(),
                ToUtf16(MainWindowTitle()).c_str(), MB_OK | MB_ICONERROR);
    CoUninitialize();
    return 1;
  }
  int code = 0;
  {
    const PictureDecoder decoder;
    MainWindow window(folders);
    window.Create();
    window.Show();
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
      if (!window.TakeShortcut(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    code = got == 0 ? static_cast<int>(message.wParam) : 1;
    window.Destroy();
  }
  ReleaseMidiDevices();
  CoUninitialize();
  return code;
}
