#pragma once

// One row of a form's layout: a control's name, kind, parent, place, design caption, text
// style, panel look and visibility at start. Each window shell builds its controls from a
// form's rows and nothing else, so the shells hold no geometry and no captions of their own.

#include <span>
#include <string_view>

namespace velmora {

enum class ControlKind {
  Form,
  Panel,  // plain, olive, black or sunken, see PanelLook
  GradientPanel,
  GradientButton,
  Button,
  Label,
  ComboBox,  // a drop-down list without free text
  CheckList,
  Memo,
  Edit,
  Picture,
  Knob,  // a 25 x 25 picture with a persistent canvas
  ProgressBar,
  PopupMenu,  // no place of its own: it opens at the mouse cursor
  Table,      // rows in columns, read from the model one row at a time as they are drawn
};

enum class TextStyle {
  Normal,       // light text on the dark panels
  Bold,         // the static captions "MIDI OUT:", "AMP:", "CAB:"
  Screen,       // yellow on olive: the channel screens' and the guitar's labels
  ScreenRight,  // the same, ending where the next label starts
  ScreenLarge,  // the amp model's name on a channel screen
  Strip,        // the "A M P 1" letters
  KnobCaption,  // "DRV", "BASS" ...
  DisplayBank,  // the preset group, bold yellow
  Display,      // the preset number and letter, yellow, 29 pixels high
  Grey,         // the monitor's captions
  Link,         // green, with a hand pointer
  Heading,      // bold, 16 pixels high, on the About window
  AboutText,    // black on the About window's light gradient
  Nameplate,    // the maker's plate at the foot of the right column
  ButtonText,   // gradient buttons: the colour follows the button's look
  Stage,        // the live view's current sound, 64 pixels high: read from two metres
  StageNext,    // the live view's next sound and legends
  StageCount,   // the live view's "3 / 12"
};
inline constexpr TextStyle kLastTextStyle = TextStyle::StageCount;

enum class PanelLook { None, Dark, Light, Olive, Black, Sunken };

struct Geometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Geometry&) const = default;
};

struct ControlEntry {
  std::string_view name;
  ControlKind kind = ControlKind::Label;
  std::string_view parent;  // empty: the window itself (and for the window, none)
  Geometry geometry;        // relative to the parent's client area
  std::string_view caption;
  TextStyle style = TextStyle::Normal;
  PanelLook look = PanelLook::None;
  bool visible = true;
};

struct ClientSize {
  int width = 0;
  int height = 0;
  bool operator==(const ClientSize&) const = default;
};

// The row of that name, or null.
const ControlEntry* FindControl(std::span<const ControlEntry> rows, std::string_view name);

}  // namespace velmora
