#include "winshell/InputDrop.h"

#include <windows.h>

namespace velmora {

void DropPendingInput(const std::function<void(MSG&)>& offer) {
  struct Range {
    UINT first;
    UINT last;
  };
  constexpr Range kInput[] = {{WM_KEYFIRST, WM_KEYLAST},
                              {WM_MOUSEFIRST, WM_MOUSELAST},
                              {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}};
  MSG message;
  for (const Range& range : kInput) {
    while (PeekMessageW(&message, nullptr, range.first, range.last, PM_REMOVE | PM_NOYIELD)) {
      if (range.first == WM_KEYFIRST) {
        offer(message);
      }
    }
  }
}

}  // namespace velmora
