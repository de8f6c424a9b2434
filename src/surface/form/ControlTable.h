#pragma once

// Every control of the main window (TForm1) and of the About window (TForm2): name, kind,
// parent, geometry, design caption, text style and visibility at start. Each window shell
// builds its widgets from this table and nothing else, so the shells hold no geometry and
// no captions of their own. Alongside it: the looks the styles and colour schemes stand
// for, and which form model field and which handler each named control is bound to.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "surface/editing/EditingContext.h"
#include "surface/form/FormModel.h"
#include "surface/form/FormView.h"

namespace velmora {

inline constexpr std::string_view kMainFormName = "TForm1";
inline constexpr std::string_view kAboutFormName = "TForm2";

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
};

enum class PanelLook { None, Dark, Light, Olive, Black, Sunken };

enum class TextAlign { Left, Centre, Right };

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

// The window first, then every control after its parent.
std::span<const ControlEntry> MainFormControls();
std::span<const ControlEntry> AboutFormControls();

// The entry of that name, or null.
const ControlEntry* FindControl(std::span<const ControlEntry> table, std::string_view name);

struct TextLook {
  int pixelSize = 12;
  bool bold = false;
  bool underline = false;
  Rgb colour;
  TextAlign align = TextAlign::Left;
  std::string_view family;  // empty: the toolkit's default
};
TextLook LookOfStyle(TextStyle style);

// A gradient from top to bottom (or along the diagonal), a one-pixel border, and the text
// colour drawn on it.
struct GradientLook {
  Rgb first;
  Rgb last;
  Rgb border;
  Rgb text;
  bool diagonal = false;
};
GradientLook LookOfScheme(ColorScheme scheme);
GradientLook LookOfPanel(PanelLook look);

struct ClientSize {
  int width = 0;
  int height = 0;
  bool operator==(const ClientSize&) const = default;
};
std::span<const std::string_view> MonitorControlNames();
// The main window's client area: the form's size, and, while the monitor shows, at least
// enough for its controls, which lie below and beyond the designed area.
ClientSize MainClientSize(const FormModel& form, bool monitorShown);

// Which form model field a named control shows; null when the control shows none.
std::string* BoundCaption(FormModel& form, std::string_view name);
std::string* BoundAboutCaption(AboutForm& about, std::string_view name);
GradientButton* BoundButton(FormModel& form, std::string_view name);
ComboBox* BoundComboBox(FormModel& form, std::string_view name);
Panel* BoundPanel(FormModel& form, std::string_view name);
Picture* BoundPicture(FormModel& form, std::string_view name);
CheckListBox* BoundCheckList(FormModel& form, std::string_view name);
// "knobDRIVE1" -> Knob::DRIVE1.
std::optional<Knob> BoundKnob(std::string_view name);

// The handler a click on a button, or a user's pick in a drop-down list, runs; null when
// the control has none (the monitor's controls need the monitor hub and are the shell's).
using ControlHandler = void (*)(EditingContext&);
ControlHandler ClickHandler(std::string_view name);
ControlHandler PickHandler(std::string_view name);

// The picture in images/builtin/ that a picture control shows until a file replaces it;
// empty for a control without one.
std::string_view BuiltinPicture(std::string_view control);

// Every name the bindings and handlers above use, for checking them against the table.
std::span<const std::string_view> BoundControlNames();

}  // namespace velmora
