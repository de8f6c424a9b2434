#include "winshell/WindowPlace.h"

#include "profile/Profile.h"
#include "surface/files/WindowPlaceFile.h"

namespace velmora {

namespace {

// A kept place is used when at least this much of it is on a monitor.
constexpr int kOnScreenWidth = 64;
constexpr int kOnScreenHeight = 32;

bool OnAMonitor(const RECT& place) {
  const HMONITOR monitor = MonitorFromRect(&place, MONITOR_DEFAULTTONULL);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  RECT seen;
  return monitor != nullptr && GetMonitorInfoW(monitor, &info) &&
         IntersectRect(&seen, &info.rcWork, &place) && seen.right - seen.left >= kOnScreenWidth &&
         seen.bottom - seen.top >= kOnScreenHeight;
}

}  // namespace

SIZE OuterSize(HWND window, int clientWidth, int clientHeight) {
  RECT outer{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  return {outer.right - outer.left, outer.bottom - outer.top};
}

bool RestorePlace(HWND window, const std::filesystem::path& config, const Form& form,
                  const ControlSet& controls) {
  const Geometry& design = form.rows.front().geometry;
  const std::optional<WindowPlace> kept = ReadWindowPlace(
      config, form.placeSection, {controls.Scale(design.width), controls.Scale(design.height)});
  if (!kept) {
    return false;
  }
  const SIZE outer = OuterSize(window, kept->width, kept->height);
  const RECT place{kept->left, kept->top, kept->left + outer.cx, kept->top + outer.cy};
  if (!OnAMonitor(place)) {
    return false;
  }
  SetWindowPos(window, nullptr, place.left, place.top, outer.cx, outer.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

void KeepPlace(HWND window, const std::filesystem::path& config, const Form& form) {
  RECT outer;
  RECT client;
  if (IsIconic(window) || !GetWindowRect(window, &outer) || !GetClientRect(window, &client)) {
    return;
  }
  try {
    WriteWindowPlace(
        config, form.placeSection,
        {outer.left, outer.top, client.right - client.left, client.bottom - client.top});
  } catch (const ProfileWriteError&) {
    // The window opens centred next time; no box for it as the window goes.
  }
}

void FollowAnchors(HWND window, const Form& form, const ControlSet& controls) {
  RECT client;
  GetClientRect(window, &client);
  const Geometry& design = form.rows.front().geometry;
  const int grownWidth = client.right - controls.Scale(design.width);
  const int grownHeight = client.bottom - controls.Scale(design.height);
  for (const AnchorRow& row : form.anchors) {
    const Control* control = controls.Find(row.control);
    const Geometry& at = control->entry->geometry;
    const Geometry scaled{controls.Scale(at.left), controls.Scale(at.top), controls.Scale(at.width),
                          controls.Scale(at.height)};
    const Geometry place = Anchored(scaled, row.anchors, grownWidth, grownHeight);
    SetWindowPos(control->hwnd, nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace velmora
