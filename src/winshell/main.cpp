// velmora: the editor's window, native on Windows.

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "midi/Midi.h"
#include "midi/PlatformChoice.h"
#include "profile/ProgramFolder.h"
#include "surface/form/Identity.h"
#include "surface/shell/ErrorDisplay.h"
#include "surface/shell/StartOptions.h"
#include "winshell/MainWindow.h"
#include "winshell/OneEditor.h"
#include "winshell/Pictures.h"
#include "winshell/Utf16.h"

namespace {

// The words after the program's name, read from the UTF-16 command line so that a file
// name outside the ANSI code page arrives whole.
std::vector<std::string> CommandLineWords() {
  std::vector<std::string> words;
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) {
    return words;
  }
  for (int i = 1; i < count; ++i) {
    words.push_back(velmora::ToUtf8(arguments[i]));
  }
  LocalFree(arguments);
  return words;
}

// A window program has no console of its own: the text goes where its output was sent,
// else to the console of the command prompt that started it.
void WriteOutput(DWORD stream, std::string_view text) {
  HANDLE output = GetStdHandle(stream);
  if (output == nullptr || output == INVALID_HANDLE_VALUE) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
      return;
    }
    output = GetStdHandle(stream);
  }
  DWORD written = 0;
  WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace velmora;
  const StartOptions options = ReadStartOptions(CommandLineWords());
  switch (options.action) {
    case StartOptions::Action::kVersion:
      WriteOutput(STD_OUTPUT_HANDLE, VersionText() + "\r\n");
      return 0;
    case StartOptions::Action::kHelp:
      WriteOutput(STD_OUTPUT_HANDLE, StartUsage());
      return 0;
    case StartOptions::Action::kRefused:
      WriteOutput(STD_ERROR_HANDLE, StartUsage());
      return 2;
    case StartOptions::Action::kRun:
      break;
  }
  // A second start hands its file to the running editor, which owns the ports, and ends.
  const OneEditor oneEditor;
  if (!oneEditor.Claim()) {
    if (OneEditor::HandTo(HandOver{options.file})) {
      return 0;
    }
    WriteOutput(STD_ERROR_HANDLE, "velmora: the running editor does not answer\r\n");
    return 1;
  }
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
    if (options.file) {
      window.OpenAfterStartUp(*options.file);
    }
    window.Show();
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
      if (!window.TakeKeys(message)) {
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
