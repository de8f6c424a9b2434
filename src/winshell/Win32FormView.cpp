#include "winshell/Win32FormView.h"

#include <system_error>
#include <utility>

#include <commdlg.h>
#include <shellapi.h>

#include "surface/form/Identity.h"
#include "winshell/FolderDialog.h"
#include "winshell/KnobCanvas.h"
#include "winshell/Utf16.h"

namespace velmora {

namespace {

// Room for the path the player picks.
constexpr std::size_t kPathRoom = 32768;

void ShowBox(HWND owner, UINT icon, const std::string& text) {
  MessageBoxW(owner, ToUtf16(text).c_str(), ToUtf16(MainWindowTitle()).c_str(), MB_OK | icon);
}

// "Velmora Preset|*.vmp" -> "Velmora Preset\0*.vmp\0\0".
std::wstring DialogFilter(const FileKind& kind) {
  std::wstring filter = ToUtf16(kind.filter);
  for (wchar_t& c : filter) {
    if (c == L'|') {
      c = L'\0';
    }
  }
  filter.push_back(L'\0');
  return filter;
}

}  // namespace

Win32FormView::Win32FormView(const ControlSet& controls, std::function<void()> render,
                             std::function<void(std::string_view)> showForm,
                             std::function<void(std::string_view)> closeForm,
                             std::chrono::milliseconds stepDelay)
    : controls_(controls),
      render_(std::move(render)),
      showForm_(std::move(showForm)),
      closeForm_(std::move(closeForm)),
      stepDelay_(stepDelay) {}

HWND Win32FormView::Owner() const {
  return controls_.Form().hwnd;
}

void Win32FormView::ShowMessage(const std::string& text) {
  ShowBox(Owner(), MB_ICONINFORMATION, text);
}

void Win32FormView::ShowError(const std::string& text) {
  ShowBox(Owner(), MB_ICONERROR, text);
}

// Windows captions the buttons of its boxes in its own language: Yes saves, No drops.
SaveReply Win32FormView::AskToSave(const SaveQuestion& question) {
  switch (MessageBoxW(Owner(), ToUtf16(question.text).c_str(), ToUtf16(MainWindowTitle()).c_str(),
                      MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return SaveReply::kSave;
    case IDNO:
      return SaveReply::kDiscard;
    default:
      return SaveReply::kCancel;
  }
}

namespace {

// The windows beside the main one show the same progress (the live view's bar) while the
// thread blocks.
void RedrawOtherWindows(HWND main) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM mainWindow) -> BOOL {
        if (window != reinterpret_cast<HWND>(mainWindow) && IsWindowVisible(window)) {
          RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(main));
}

}  // namespace

void Win32FormView::StepDelay() {
  // What the groups so far changed is on screen before the thread blocks.
  render_();
  RedrawWindow(Owner(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  RedrawOtherWindows(Owner());
  Sleep(static_cast<DWORD>(stepDelay_.count()));
  paused_ = true;
}

bool Win32FormView::TakePaused() {
  return std::exchange(paused_, false);
}

void Win32FormView::DrawKnobPointer(Knob knob, Rgb colour, KnobPoint from, KnobPoint to) {
  const Control* control = controls_.Find("knob" + std::string(KnobName(knob)));
  control->knob->DrawPointer(colour, from, to);
  InvalidateRect(control->hwnd, nullptr, FALSE);
}

bool Win32FormView::PictureExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

void Win32FormView::LoadPicture(std::string_view control, const std::filesystem::path& path) {
  Control* picture = controls_.Find(control);
  picture->image = LoadPictureFile(path);
  InvalidateRect(picture->hwnd, nullptr, FALSE);
}

std::optional<std::filesystem::path> Win32FormView::FileDialog(const FileKind& kind,
                                                               const std::filesystem::path& start,
                                                               bool save) {
  const std::wstring filter = DialogFilter(kind);
  const std::wstring extension = ToUtf16(kind.extension);
  const std::wstring folder = start.parent_path().wstring();
  std::wstring path = start.filename().wstring();
  path.resize(kPathRoom, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  // The library window asks too: the dialog goes in front of the window it came from.
  dialog.hwndOwner = GetActiveWindow() != nullptr ? GetActiveWindow() : Owner();
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrDefExt = extension.c_str();
  // The open dialog accepts a name for a file that does not exist; the save dialog
  // overwrites without asking.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  const BOOL accepted = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!accepted) {
    return std::nullopt;
  }
  path.resize(path.find(L'\0'));
  return std::filesystem::path(path);
}

std::optional<std::filesystem::path> Win32FormView::OpenDialog(const FileKind& kind,
                                                               const std::filesystem::path& start) {
  return FileDialog(kind, start, false);
}

std::optional<std::filesystem::path> Win32FormView::SaveDialog(const FileKind& kind,
                                                               const std::filesystem::path& start) {
  return FileDialog(kind, start, true);
}

std::optional<std::filesystem::path> Win32FormView::FolderDialog(
    const std::filesystem::path& start) {
  return PickFolder(GetActiveWindow() != nullptr ? GetActiveWindow() : Owner(), start);
}

void Win32FormView::RepaintNow(std::string_view control) {
  render_();
  if (HWND hwnd = controls_.Window(control)) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  RedrawOtherWindows(Owner());
}

void Win32FormView::ShowForm(std::string_view form) {
  showForm_(form);
}

void Win32FormView::CloseForm(std::string_view form) {
  closeForm_(form);
}

void Win32FormView::OpenWebsite(std::string_view address) {
  ShellExecuteW(Owner(), L"open", ToUtf16(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace velmora
