#pragma once

// A Qt model over a form's TableList: the view asks for the cells of the rows it paints, so
// 10 000 rows open as fast as 10, and the core's list is the only list.

#include <QAbstractTableModel>
#include <QStringList>

#include "surface/form/FormModel.h"

namespace velmora {

class TableListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  TableListModel(const FormModel& model, const TableList& table, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Follows the table: new rows or new column captions since the last call.
  void Follow();

 private:
  const FormModel& model_;
  const TableList& table_;
  std::uint64_t generation_ = 0;
  int rows_ = 0;
  QStringList header_;
};

}  // namespace velmora
