#include "window/TableListModel.h"

namespace velmora {

namespace {

QStringList Columns(const std::string& header) {
  return QString::fromStdString(header).split('\t');
}

}  // namespace

TableListModel::TableListModel(const FormModel& model, const TableList& table, QObject* parent)
    : QAbstractTableModel(parent),
      model_(model),
      table_(table),
      generation_(table.generation),
      rows_(static_cast<int>(table.rowCount)),
      header_(Columns(table.header)) {}

int TableListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TableListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(header_.size());
}

QVariant TableListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_ ||
      table_.cell == nullptr) {
    return {};
  }
  return QString::fromStdString(table_.cell(model_, static_cast<std::size_t>(index.row()),
                                            static_cast<std::size_t>(index.column())));
}

QVariant TableListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= header_.size()) {
    return {};
  }
  return header_[section];
}

void TableListModel::Follow() {
  const QStringList header = Columns(table_.header);
  if (header != header_) {
    header_ = header;
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(header_.size()) - 1);
  }
  if (generation_ != table_.generation) {
    beginResetModel();
    generation_ = table_.generation;
    rows_ = static_cast<int>(table_.rowCount);
    endResetModel();
  }
}

}  // namespace velmora
