// Prints where each control of the running main window lies on the screen, one line
// "name left top width height" per control: the window's client origin, as Windows reports
// it, plus the control's place in the shared table with its parents' offsets added up. The
// Wine test presses and opens controls at these places, so it follows the table wherever a
// control moves. Usage: velmora-control-places.exe "WINDOW TITLE"
#include <windows.h>

#include <cstdio>

#include "surface/ControlTable.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: velmora-control-places \"WINDOW TITLE\"\n");
    return 2;
  }
  const HWND window = FindWindowA(nullptr, argv[1]);
  POINT origin{0, 0};
  if (window == nullptr || !ClientToScreen(window, &origin)) {
    std::fprintf(stderr, "no window titled \"%s\"\n", argv[1]);
    return 1;
  }
  using velmora::ControlEntry;
  const auto table = velmora::MainFormControls();
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
