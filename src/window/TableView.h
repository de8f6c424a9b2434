#pragma once

// A form's table: whole rows selected one at a time, read-only, one line a row, and a signal
// when another row becomes current, by click or key alike.

#include <QTableView>

namespace velmora {

class TableView : public QTableView {
  Q_OBJECT

 public:
  explicit TableView(QWidget* parent);

 signals:
  void rowChanged(int row);

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

}  // namespace velmora
