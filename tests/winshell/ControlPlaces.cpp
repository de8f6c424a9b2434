// Prints where the running main window's client area and each of its controls lie on the
// screen, one line "name left top width height" each, the client area first as "client":
// the client origin, as Windows reports it, plus the control's place in the shared table with
// its parents' offsets added up. The Wine test presses and opens controls at these places, so
// it follows the table wherever a control moves.
// Usage: velmora-control-places.exe "WINDOW TITLE"
#include <windows.h>

#include <cstdio>

#include "surface/forms/MainForm.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: velmora-control-places \"WINDOW TITLE\"\n");
    return 2;
  }
  const HWND window = FindWindowA(nullptr, argv[1]);
  POINT origin{0, 0};
  RECT client{};
  if (window == nullptr || !ClientToScreen(window, &origin) || !GetClientRect(window, &client)) {
    std::fprintf(stderr, "no window titled \"%s\"\n", argv[1]);
    return 1;
  }
  std::printf("client %ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
  using velmora::ControlEntry;
  const auto table = velmora::MainFormRows();
  for (const ControlEntry& control : table) {
    if (control.kind == velmora::ControlKind::Form ||
        control.kind == velmora::ControlKind::PopupMenu) {
      continue;
    }
    int left = origin.x + control.geometry.left;
    int top = origin.y + control.geometry.top;
    for (const ControlEntry* parent = velmora::FindControl(table, control.parent);
         parent != nullptr; parent = velmora::FindControl(table, parent->parent)) {
      left += parent->geometry.left;
      top += parent->geometry.top;
    }
    std::printf("%.*s %d %d %d %d\n", static_cast<int>(control.name.size()), control.name.data(),
                left, top, control.geometry.width, control.geometry.height);
  }
  return 0;
}
