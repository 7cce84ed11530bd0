#include "platform/DataGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

#include "platform/MessageBoxes.h"

namespace platform {

namespace {
// The footer row: painted under the rows, its cells aligned with the columns.
class FooterRow : public QWidget {
 public:
  FooterRow(QTableView *view, const QStringList *texts, const QColor *color)
      : QWidget(view), view_(view), texts_(texts), color_(color) {}

 protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    p.fillRect(rect(), *color_);
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, 0, width(), 0);
    const int origin = view_->verticalHeader()->isVisible() ? view_->verticalHeader()->width() : 0;
    for (int c = 0; c < texts_->size(); ++c) {
      const int x = origin + view_->columnViewportPosition(c) + view_->frameWidth();
      const int w = view_->columnWidth(c);
      p.setPen(palette().color(QPalette::Mid));
      p.drawLine(x + w - 1, 0, x + w - 1, height());
      p.setPen(palette().color(QPalette::Text));
      p.drawText(QRect(x + 3, 0, w - 6, height()), Qt::AlignVCenter | Qt::AlignLeft, texts_->at(c));
    }
  }

 private:
  QTableView *view_;
  const QStringList *texts_;
  const QColor *color_;
};
}  // namespace

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
  if (role == Qt::BackgroundRole)
    return index.row() % 2 == 1 && evenRowColor_.isValid() ? QVariant(evenRowColor_) : QVariant();
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
  connect(model_, &QAbstractItemModel::modelReset, this, &DataGrid::UpdateFooter);
  connect(model_, &QAbstractItemModel::dataChanged, this, &DataGrid::UpdateFooter);
  for (int i = 0; i < model_->columnCount(); ++i)
    setColumnWidth(i, model_->Columns()[static_cast<size_t>(i)].width);
  UpdateFooter();
}

void DataGrid::SetFooter(std::vector<FooterCell> cells, const QColor &color) {
  footerCells_ = std::move(cells);
  footerColor_ = color;
  if (!footer_) {
    footer_ = new FooterRow(this, &footerTexts_, &footerColor_);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, footer_, qOverload<>(&QWidget::update));
    connect(horizontalHeader(), &QHeaderView::sectionResized, footer_, qOverload<>(&QWidget::update));
  }
  UpdateFooter();
  updateGeometries();
}

void DataGrid::SetRowColors(const QColor &evenRows, const QColor &fixedCells) {
  if (model_) model_->SetEvenRowColor(evenRows);
  setStyleSheet(QStringLiteral("QHeaderView::section { background-color: %1; border: 1px solid #a0a0c0; }"
                               "QTableCornerButton::section { background-color: %1; }")
                    .arg(fixedCells.name()));
}

void DataGrid::UpdateFooter() {
  footerTexts_.clear();
  if (!model_ || footerCells_.empty()) return;
  Query *q = model_->DataSet();
  for (int c = 0; c < model_->columnCount(); ++c) {
    if (c >= static_cast<int>(footerCells_.size())) {
      footerTexts_ << QString();
      continue;
    }
    const FooterCell &cell = footerCells_[static_cast<size_t>(c)];
    if (cell.sumField.isEmpty()) {
      footerTexts_ << cell.text;
      continue;
    }
    double sum = 0;
    const int field = q->FieldIndex(cell.sumField);
    for (int r = 0; field >= 0 && r < q->RecordCount(); ++r) sum += q->ValueAt(r, field).toDouble();
    footerTexts_ << QString::number(static_cast<qint64>(std::llround(sum))) + cell.suffix;
  }
  if (footer_) footer_->update();
}

QString DataGrid::FooterText(int column) const {
  return column >= 0 && column < footerTexts_.size() ? footerTexts_[column] : QString();
}

void DataGrid::updateGeometries() {
  QTableView::updateGeometries();  // sets the header margins
  if (footer_) {
    const int footerHeight = verticalHeader()->defaultSectionSize();
    QMargins margins = viewportMargins();
    if (margins.bottom() != footerHeight) {
      margins.setBottom(footerHeight);
      setViewportMargins(margins);
    }
    const QRect vp = viewport()->geometry();
    footer_->setGeometry(frameWidth(), vp.bottom() + 1, width() - 2 * frameWidth(), footerHeight);
  }
}

}  // namespace platform
