#include "surface/form/Form.h"

#include <algorithm>
#include <stdexcept>

namespace velmora {

const ControlEntry* FindControl(std::span<const ControlEntry> rows, std::string_view name) {
  const auto found = std::find_if(rows.begin(), rows.end(), [name](const ControlEntry& control) {
    return control.name == name;
  });
  return found == rows.end() ? nullptr : &*found;
}

const Form& FindForm(std::string_view id) {
  for (const Form* form : AllForms()) {
    if (form->id == id) {
      return *form;
    }
  }
  throw std::out_of_range("no form named " + std::string(id));
}

const Binding* FindBinding(const Form& form, std::string_view control) {
  const auto found =
      std::find_if(form.bindings.begin(), form.bindings.end(),
                   [control](const Binding& binding) { return binding.control == control; });
  return found == form.bindings.end() ? nullptr : &*found;
}

std::string FormTitle(const Form& form, const FormModel& model) {
  return form.title != nullptr ? form.title(model) : std::string(form.rows.front().caption);
}

ClientSize FormClientSize(const Form& form, const FormModel& model) {
  if (form.clientSize != nullptr) {
    return form.clientSize(model);
  }
  const Geometry& place = form.rows.front().geometry;
  return {place.width, place.height};
}

std::string_view BuiltinPicture(const Form& form, std::string_view control) {
  for (const BuiltinPictureRow& row : form.pictures) {
    if (row.control == control) {
      return row.file;
    }
  }
  return {};
}

std::string& CaptionField(const Form& form, FormModel& model, std::string_view control) {
  if (const Binding* binding = FindBinding(form, control)) {
    const ModelField field = BoundField(*binding, model);
    if (std::string* const* text = std::get_if<std::string*>(&field)) {
      return **text;
    }
    if (GradientButton* const* button = std::get_if<GradientButton*>(&field)) {
      return (*button)->caption;
    }
    if (TableList* const* table = std::get_if<TableList*>(&field)) {
      return (*table)->header;
    }
  }
  if (FindContextMenuEntry(form, control) != nullptr) {
    return model.menuCaptions[std::string(control)];
  }
  throw std::logic_error("no caption bound to " + std::string(control));
}

}  // namespace velmora
