#include "winshell/OneEditor.h"

#include <string>

namespace velmora {

namespace {

constexpr wchar_t kMutexName[] = L"Local\\Velmora.OneEditor";
constexpr wchar_t kMark[] = L"Velmora.OneEditor";
// WM_COPYDATA's own tag for a hand-over ("VLMR"): any other copy is refused.
constexpr ULONG_PTR kCopyTag = 0x564C4D52;
// The running editor marks its window right after the mutex; a start racing it waits this long.
constexpr int kFindTries = 50;
constexpr DWORD kFindWaitMs = 200;
// A load with its pauses answers only once it ends.
constexpr UINT kAnswerWaitMs = 30000;

BOOL CALLBACK FindMarked(HWND window, LPARAM found) {
  if (GetPropW(window, kMark) == nullptr) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

OneEditor::OneEditor() {
  mutex_ = CreateMutexW(nullptr, FALSE, kMutexName);
  heldElsewhere_ = mutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

OneEditor::~OneEditor() {
  if (mutex_ != nullptr) {
    CloseHandle(mutex_);
  }
}

bool OneEditor::HandTo(const HandOver& handOver) {
  const std::string bytes = EncodeHandOver(handOver);
  for (int attempt = 0; attempt < kFindTries; ++attempt) {
    HWND window = nullptr;
    EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&window));
    if (window != nullptr) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      // Windows lets only the foreground program hand the foreground on.
      AllowSetForegroundWindow(process);
      COPYDATASTRUCT copy{kCopyTag, static_cast<DWORD>(bytes.size()),
                          const_cast<char*>(bytes.data())};
      DWORD_PTR answer = FALSE;
      return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                                 SMTO_NORMAL, kAnswerWaitMs, &answer) != 0 &&
             answer == TRUE;
    }
    Sleep(kFindWaitMs);
  }
  return false;
}

void OneEditor::Mark(HWND window) {
  SetPropW(window, kMark, window);
}

std::optional<HandOver> OneEditor::Read(LPARAM copyData) {
  const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(copyData);
  if (copy == nullptr || copy->dwData != kCopyTag || copy->lpData == nullptr) {
    return std::nullopt;
  }
  return DecodeHandOver(std::string_view(static_cast<const char*>(copy->lpData), copy->cbData));
}

}  // namespace velmora
