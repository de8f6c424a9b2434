#pragma once

// The widgets of one window, built from a form's rows: object name = control name,
// place and size from the table, design captions and looks from it too.

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QWidget>

#include "surface/form/Form.h"

namespace velmora {

class ControlSet {
 public:
  // The form's first row is the window itself; every other row becomes a widget under its
  // parent. A popup menu gets the items of its binding.
  void Build(QWidget& window, const Form& form);

  QWidget* Find(std::string_view name) const;
  template <typename Widget>
  Widget* As(std::string_view name) const {
    return qobject_cast<Widget*>(Find(name));
  }
  // In row order, the window excluded.
  const std::vector<std::pair<const ControlEntry*, QWidget*>>& All() const { return all_; }

 private:
  QWidget* Make(QWidget& parent, const Form& form, const ControlEntry& control);

  std::unordered_map<std::string, QWidget*> byName_;
  std::vector<std::pair<const ControlEntry*, QWidget*>> all_;
};

}  // namespace velmora
