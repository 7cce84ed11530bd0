#include "platform/DataGrid.h"

#include <QHeaderView>

#include "platform/MessageBoxes.h"

namespace platform {

DataSetModel::DataSetModel(Query *query, QObject *parent)
    : QAbstractTableModel(parent), query_(query) {
  connect(query_, &Query::DataSetChanged, this, [this] {
    beginResetModel();
    endResetModel();
  });
  connect(query_, &Query::RowChanged, this, [this](int row) {
    if (row >= 0 && row < rowCount())
      emit dataChanged(index(row, 0), index(row, columnCount() - 1));
  });
}

void DataSetModel::SetColumns(std::vector<GridColumn> columns) {
  beginResetModel();
  columns_ = std::move(columns);
  endResetModel();
}

int DataSetModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : query_->RecordCount();
}

int DataSetModel::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

int DataSetModel::FieldColumn(int column) const {
  return query_->FieldIndex(columns_.at(column).field);
}

QVariant DataSetModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid()) return QVariant();
  const int field = FieldColumn(index.column());
  if (field < 0) return QVariant();
  const QVariant value = query_->ValueAt(index.row(), field);
  const bool check = columns_[index.column()].checkBox;
  if (check && role == Qt::CheckStateRole) return ReadBoolean(value) ? Qt::Checked : Qt::Unchecked;
  if (check) return QVariant();
  if (role == Qt::DisplayRole || role == Qt::EditRole)
    return value.isNull() ? QVariant(QString()) : value.toString();
  return QVariant();
}

bool DataSetModel::setData(const QModelIndex &index, const QVariant &value, int role) {
  if (!index.isValid()) return false;
  const GridColumn &column = columns_[index.column()];
  QVariant stored;
  if (column.checkBox && role == Qt::CheckStateRole)
    stored = QVariant(value.toInt() == Qt::Checked);
  else if (!column.checkBox && role == Qt::EditRole)
    stored = value.toString().isEmpty() ? QVariant() : value;  // a cleared cell becomes null
  else
    return false;
  bool ok = false;
  RunGuarded([&] {
    query_->MoveTo(index.row());
    try {
      query_->SetValue(column.field, stored);
      query_->Post();
      ok = true;
    } catch (...) {
      query_->Cancel();
      throw;
    }
  });
  return ok;
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex &index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  f |= columns_[index.column()].checkBox ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
  return f;
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return QVariant();
  if (orientation == Qt::Horizontal && section >= 0 && section < columnCount())
    return columns_[section].title;
  return QVariant();
}

DataGrid::DataGrid(QWidget *parent) : QTableView(parent) {
  verticalHeader()->setDefaultSectionSize(20);
  verticalHeader()->setFixedWidth(12);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QTableView::clicked, this, [this](const QModelIndex &index) {
    if (!model_ || !index.isValid()) return;
    RunGuarded([&] {
      model_->DataSet()->MoveTo(index.row());
      emit CellClick(index.column());
    });
  });
}

void DataGrid::Bind(Query *query, std::vector<GridColumn> columns) {
  delete model_;
  model_ = new DataSetModel(query, this);
  model_->SetColumns(std::move(columns));
  setModel(model_);
  for (int i = 0; i < model_->columnCount(); ++i)
    setColumnWidth(i, model_->Columns()[static_cast<size_t>(i)].width);
}

}  // namespace platform
