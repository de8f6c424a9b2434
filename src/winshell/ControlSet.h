#pragma once

// The controls of one window, built from a form's rows: one child window per row,
// named by the table, placed and sized from it (scaled to the screen), with its design
// caption and look. Panels, labels, pictures, gradient buttons and knobs are painted here;
// the rest are the system's own controls. Every control tells its top-level window of a
// gesture with WM_COMMAND (its id, a code below).

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <windows.h>

#include "surface/form/Form.h"
#include "winshell/Looks.h"
#include "winshell/Pictures.h"

namespace velmora {

class KnobCanvas;

// The codes a painted control sends with WM_COMMAND.
inline constexpr WORD kControlClicked = BN_CLICKED;  // gradient button, clickable label
inline constexpr WORD kKnobLeft = 0x7001;            // knob: left press or wheel down
inline constexpr WORD kKnobRight = 0x7002;           // knob: right press or wheel up
inline constexpr WORD kKnobMiddle = 0x7003;          // knob: any other button
inline constexpr WORD kKnobLeftLarge = 0x7004;       // knob: Shift with Down or Left
inline constexpr WORD kKnobRightLarge = 0x7005;      // knob: Shift with Up or Right
inline constexpr WORD kKeyClicked = 0x7006;          // clickable label: Space or Enter

class ControlSet;

struct Control {
  const ControlEntry* entry = nullptr;
  const ControlSet* set = nullptr;
  HWND hwnd = nullptr;
  int id = 0;
  // Gradient buttons: the look shown, and whether the left button holds it down.
  ColorScheme scheme = ColorScheme::csNeoSilver;
  bool pressed = false;
  // Pictures: what they show (nothing: the backdrop).
  PictureImage image;
  // Knobs: the persistent canvas and the part of a wheel turn not yet a step.
  std::unique_ptr<KnobCanvas> knob;
  int wheelRemainder = 0;
  // The value screen readers were last told of; none yet.
  int announcedValue = -1;
  // Tables: the column captions and the rows' generation shown.
  std::string tableHeader;
  std::uint64_t tableGeneration = 0;
};

class ControlSet {
 public:
  ControlSet();
  ~ControlSet();
  ControlSet(const ControlSet&) = delete;
  ControlSet& operator=(const ControlSet&) = delete;

  // The form's first row is the window itself (already created); every other row becomes
  // a child window under its parent.
  void Build(HWND window, const velmora::Form& form);

  Control* Find(std::string_view name) const;
  HWND Window(std::string_view name) const;
  Control* OfId(int id) const;
  Control* OfWindow(HWND hwnd) const;
  // In row order, the window excluded.
  const std::vector<std::unique_ptr<Control>>& All() const { return all_; }
  const Control& Form() const { return *form_; }
  // The table the controls were built from, the window first.
  std::span<const ControlEntry> Entries() const { return table_; }

  const FontSet& Fonts() const { return *fonts_; }
  int Scale(int pixels) const { return fonts_->Scale(pixels); }

  // The window moved to a screen of another resolution: fonts, places and sizes follow.
  void Rescale(int dpi);

  // Whether the control and every window it sits in take input.
  static bool Enabled(HWND hwnd);

 private:
  HWND Make(HWND parent, const velmora::Form& form, Control& control);
  // Place, size and font from the table at the current resolution.
  void Fit(const Control& control) const;

  std::unique_ptr<FontSet> fonts_;
  std::span<const ControlEntry> table_;
  std::unique_ptr<Control> form_;
  std::vector<std::unique_ptr<Control>> all_;
  std::unordered_map<std::string, Control*> byName_;
  std::unordered_map<HWND, Control*> byWindow_;
};

// A container's backdrop under a child control at child's place: labels and pictures show
// what lies behind them.
void PaintBackdropBehind(HDC dc, const Control& child);

// Registers the window classes of the painted controls; once per process.
void RegisterControlClasses(HINSTANCE instance);

}  // namespace velmora
