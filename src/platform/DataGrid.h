#pragma once
// The data-bound grid: a table view over a Query, with columns chosen by
// field name, boolean fields shown as check boxes, and in-place edits posted
// to the current row at once. It follows the query (new rows, edits, deletes)
// unless the query's controls are disabled.
#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>
#include <vector>

#include "platform/DataAccess.h"

namespace platform {

struct GridColumn {
  QString title;
  QString field;
  int width = 64;
  bool checkBox = false;  // boolean field: shown and edited as a check box
};

class DataSetModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit DataSetModel(Query *query, QObject *parent = nullptr);

  void SetColumns(std::vector<GridColumn> columns);
  const std::vector<GridColumn> &Columns() const { return columns_; }
  Query *DataSet() const { return query_; }
  void SetEvenRowColor(const QColor &color) { evenRowColor_ = color; }

  int rowCount(const QModelIndex &parent = QModelIndex()) const override;
  int columnCount(const QModelIndex &parent = QModelIndex()) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  bool setData(const QModelIndex &index, const QVariant &value, int role) override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  int FieldColumn(int column) const;
  Query *query_;
  std::vector<GridColumn> columns_;
  QColor evenRowColor_;
};

// One cell of the footer row: a fixed text, or the sum of a field over the
// rows shown, formatted as the number followed by suffix ("0 张" style).
struct FooterCell {
  QString text;
  QString sumField;
  QString suffix;
};

class DataGrid : public QTableView {
  Q_OBJECT
 public:
  explicit DataGrid(QWidget *parent = nullptr);
  // Binds the grid to a query with these columns.
  void Bind(Query *query, std::vector<GridColumn> columns);
  DataSetModel *Model() const { return model_; }

  // A footer row under the rows, in its own colour; it follows the rows
  // shown and every edit.
  void SetFooter(std::vector<FooterCell> cells, const QColor &color);
  QString FooterText(int column) const;
  // Colours of even rows (2nd, 4th, ...) and of the fixed cells (headers).
  void SetRowColors(const QColor &evenRows, const QColor &fixedCells);

 protected:
  void updateGeometries() override;

 signals:
  // A cell was clicked; the query then stands on the clicked row.
  void CellClick(int column);

 private:
  void UpdateFooter();
  DataSetModel *model_ = nullptr;
  std::vector<FooterCell> footerCells_;
  QWidget *footer_ = nullptr;
  QStringList footerTexts_;
  QColor footerColor_;
};

}  // namespace platform
