#include "surface/form/Binding.h"

#include <utility>

namespace velmora {

ModelField BoundField(const Binding& binding, FormModel& form) {
  return binding.field != nullptr ? binding.field(form) : ModelField{};
}

void RunBinding(const Binding& binding, const Gesture& gesture) {
  const ModelField field = BoundField(binding, gesture.context.form);
  if (ComboBox* const* box = std::get_if<ComboBox*>(&field)) {
    (*box)->itemIndex = gesture.item;
  } else if (CheckListBox* const* list = std::get_if<CheckListBox*>(&field)) {
    if (gesture.item < 0 || static_cast<std::size_t>(gesture.item) >= (*list)->checked.size()) {
      return;
    }
    (*list)->checked[static_cast<std::size_t>(gesture.item)] = gesture.checked;
    (*list)->itemIndex = gesture.item;
  } else if (TableList* const* table = std::get_if<TableList*>(&field)) {
    if (gesture.item < 0 || static_cast<std::size_t>(gesture.item) >= (*table)->rowCount) {
      return;
    }
    (*table)->itemIndex = gesture.item;
  }
  if (binding.handler != nullptr) {
    binding.handler(gesture.context);
  } else if (binding.gestureHandler != nullptr) {
    binding.gestureHandler(gesture);
  }
}

void KeepTypedText(const Binding& binding, FormModel& form, std::string text) {
  const ModelField field = BoundField(binding, form);
  if (std::string* const* kept = std::get_if<std::string*>(&field)) {
    **kept = std::move(text);
  }
}

}  // namespace velmora
