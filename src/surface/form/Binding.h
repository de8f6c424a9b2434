#pragma once

// A binding row ties one named control of a form to the model field it shows and to the
// handler its gesture runs. A shell renders every bound field after each handler and turns
// every gesture into a Gesture for RunBinding; it knows no control by name.

#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "surface/editing/EditingContext.h"

namespace velmora {

class MonitorHub;

enum class MouseButton { Left, Right, Middle };

// The field a control shows. A caption is a string; the other kinds are the model's own.
using ModelField = std::variant<std::monostate, std::string*, GradientButton*, ComboBox*, Panel*,
                                Picture*, CheckListBox*, LogMemo*, ProgressBar*, TableList*>;
using FieldOf = ModelField (*)(FormModel&);

namespace binding_detail {
template <auto Member, auto... Rest, typename Owner>
auto& Reach(Owner& owner) {
  if constexpr (sizeof...(Rest) == 0) {
    return owner.*Member;
  } else {
    return Reach<Rest...>(owner.*Member);
  }
}
}  // namespace binding_detail

// The field at the end of a path of members from the whole model, e.g.
// Field<&FormModel::about, &AboutForm::title>.
template <auto... Members>
ModelField Field(FormModel& form) {
  return &binding_detail::Reach<Members...>(form);
}

// What a gesture hands its handler beyond the context.
struct Gesture {
  EditingContext& context;
  MonitorHub& hub;
  std::string_view control;
  int item = -1;         // the list row toggled, the drop-down item or menu item picked
  bool checked = false;  // a list row's new check
  MouseButton button = MouseButton::Left;
  bool large = false;  // a knob turned by a key with Shift: the large step
};

using Handler = void (*)(EditingContext&);
using GestureHandler = void (*)(const Gesture&);

struct MenuItem {
  std::string_view name;
  std::string_view caption;
};

struct Binding {
  constexpr Binding(std::string_view name, FieldOf shows, Handler runs = nullptr)
      : control(name), field(shows), handler(runs) {}
  constexpr Binding(std::string_view name, Handler runs) : control(name), handler(runs) {}
  constexpr Binding(std::string_view name, FieldOf shows, GestureHandler runs)
      : control(name), field(shows), gestureHandler(runs) {}
  constexpr Binding(std::string_view name, GestureHandler runs)
      : control(name), gestureHandler(runs) {}

  // A click on the control opens the popup menu of that name at the mouse cursor.
  constexpr Binding Opens(std::string_view popup) const {
    Binding copy = *this;
    copy.opens = popup;
    return copy;
  }
  // A popup menu's items, in order; the handler gets the chosen one's index.
  constexpr Binding Items(std::span<const MenuItem> items) const {
    Binding copy = *this;
    copy.menu = items;
    return copy;
  }
  // The control shows only while shown says so.
  constexpr Binding ShownWhile(bool (*shown)(const FormModel&)) const {
    Binding copy = *this;
    copy.visibleWhile = shown;
    return copy;
  }

  bool Runs() const { return handler != nullptr || gestureHandler != nullptr; }

  std::string_view control;
  FieldOf field = nullptr;
  Handler handler = nullptr;
  GestureHandler gestureHandler = nullptr;
  std::string_view opens;
  std::span<const MenuItem> menu;
  bool (*visibleWhile)(const FormModel&) = nullptr;
};

// The field the binding shows in this model; monostate for none.
ModelField BoundField(const Binding& binding, FormModel& form);

// The player's gesture: a drop-down pick selects gesture.item, a list check sets that row's
// check and makes it the list's current row, a table's row click selects that row (a row the
// list or table does not have does nothing), then the handler runs.
void RunBinding(const Binding& binding, const Gesture& gesture);

// The text the player typed into an edit box, kept in its field.
void KeepTypedText(const Binding& binding, FormModel& form, std::string text);

}  // namespace velmora
