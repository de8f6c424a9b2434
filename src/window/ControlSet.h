#pragma once

// The widgets of one window, built from the control table: object name = control name,
// place and size from the table, design captions and looks from it too.

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QWidget>

#include "surface/form/ControlTable.h"

namespace velmora {

class ControlSet {
 public:
  // The table's first row is the window itself; every other row becomes a widget under
  // its parent.
  void Build(QWidget& window, std::span<const ControlEntry> table);

  QWidget* Find(std::string_view name) const;
  template <typename Widget>
  Widget* As(std::string_view name) const {
    return qobject_cast<Widget*>(Find(name));
  }
  // In table order, the window excluded.
  const std::vector<std::pair<const ControlEntry*, QWidget*>>& All() const { return all_; }

 private:
  QWidget* Make(QWidget& parent, const ControlEntry& control);

  std::unordered_map<std::string, QWidget*> byName_;
  std::vector<std::pair<const ControlEntry*, QWidget*>> all_;
};

}  // namespace velmora
