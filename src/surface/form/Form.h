#pragma once

// A form is one window as a unit: its rows (layout, looks, design captions), its captions in
// both languages, the order the keyboard is meant to visit its controls in, its bindings to
// the model and the handlers, and its built-in pictures. Every form is registered in the one
// list AllForms returns; a shell builds a window from a form and asks nothing else of it.

#include <span>
#include <string>
#include <string_view>

#include "surface/form/Anchors.h"
#include "surface/form/Binding.h"
#include "surface/form/ContextMenu.h"
#include "surface/form/ControlRow.h"
#include "surface/form/FormModel.h"

namespace velmora {

// A caption that changes with the language. A placeholder (whileEmpty names a drop-down
// list) is set only while that list has no selection: a chosen model's name stays.
struct Caption {
  std::string_view control;
  std::string_view french;
  std::string_view english;
  std::string_view whileEmpty;
};

// The picture in images/builtin/ that a picture control shows until a file replaces it.
struct BuiltinPictureRow {
  std::string_view control;
  std::string_view file;
};

// Keys anywhere in the window: "Ctrl+N", "F5", in Qt's portable text, which the Win32 shell
// reads too. A shortcut with a control presses it, as a click does (nothing while the control
// is disabled or hidden), or, for an edit box, gives it the focus with its text selected; one
// without runs its handler, and work names what it does.
//
// A shortcut with whenIdle only asks in its handler (it sends nothing and never blocks), so
// its keys count even while another handler runs, those given during a load included, which
// the window otherwise throws away; whenIdle then acts on what was asked, once no handler runs.
struct Shortcut {
  std::string_view keys;
  std::string_view control;
  Handler handler = nullptr;
  std::string_view work = {};
  Handler whenIdle = nullptr;
};

struct Form {
  // The window row's name: "TForm1".
  std::string_view id;
  // The window first, then every control after its parent.
  std::span<const ControlEntry> rows;
  std::span<const Binding> bindings;
  std::span<const Caption> captions;
  // The controls the keyboard is meant to visit, in order.
  std::span<const std::string_view> tabOrder;
  std::span<const BuiltinPictureRow> pictures;
  std::span<const Shortcut> shortcuts;
  // The title and client size as the model has them now; without them, the window row's.
  std::string (*title)(const FormModel&) = nullptr;
  ClientSize (*clientSize)(const FormModel&) = nullptr;
  // A modal form keeps the player in it until it closes; ShowForm returns then. A modeless
  // one stays beside the main window, which keeps taking input, and closes with it.
  bool modal = true;
  // The control with the focus when the window opens; none: the window decides.
  std::string_view focus = {};
  // Runs each time the player comes back to the window (the library reads its folder again).
  Handler activated = nullptr;
  // Brings the fields that show something kept outside the model up to date. A shell calls
  // it before each render of the form, and only while the form is shown.
  void (*refresh)(FormModel&) = nullptr;
  // The right-click menus, also opened by the Menu key on a control inside their panel.
  std::span<const ContextMenu> contextMenus = {};
  // Runs every few seconds while the window is shown, never while it is closed: the library
  // follows what other programs do to its folder.
  Handler whileShown = nullptr;
  // Up and Down typed into this edit box move the selection of the form's first table, as a search
  // box over its list does.
  std::string_view searchBox = {};
  // The section of config.ini that keeps the place and size of a window the player can
  // resize (WindowX, WindowY, WindowW, WindowH); empty for a fixed window, opened centred.
  std::string_view placeSection = {};
  // How the controls of a resizable window follow its size.
  std::span<const AnchorRow> anchors = {};
  // Whether the window fills the screen now; without it, never. Its controls keep their
  // places, the first panel standing in the middle of the screen.
  bool (*fullScreen)(const FormModel&) = nullptr;
};

// Every form, the main window's first.
std::span<const Form* const> AllForms();
// The registered form of that id; std::out_of_range for another id.
const Form& FindForm(std::string_view id);

// The form's binding of that control, or null.
const Binding* FindBinding(const Form& form, std::string_view control);

// The player can resize it: it keeps its place in config.ini.
inline bool Resizable(const Form& form) {
  return !form.placeSection.empty();
}

std::string FormTitle(const Form& form, const FormModel& model);
ClientSize FormClientSize(const Form& form, const FormModel& model);
// The file name in images/builtin/, or empty for a control without one.
std::string_view BuiltinPicture(const Form& form, std::string_view control);

// The text field a caption of the form writes: a string, a gradient button's caption, or
// the model's text of a context-menu entry.
// std::logic_error when the form binds no such text, a fault in the form's tables.
std::string& CaptionField(const Form& form, FormModel& model, std::string_view control);

}  // namespace velmora
