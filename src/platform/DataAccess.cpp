#include "platform/DataAccess.h"

#include <sqlite3.h>

#include <memory>

#include "platform/Exception.h"

namespace platform {

namespace {

QString EngineMessage(sqlite3 *db) {
  return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("no connection");
}

struct StatementDeleter {
  void operator()(sqlite3_stmt *s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

Statement Prepare(sqlite3 *db, const QString &sql) {
  if (!db) throw Exception(QStringLiteral("数据库没有连接。"));
  const QByteArray text = sql.toUtf8();
  sqlite3_stmt *raw = nullptr;
  if (sqlite3_prepare_v2(db, text.constData(), text.size(), &raw, nullptr) != SQLITE_OK) {
    sqlite3_finalize(raw);
    throw Exception(EngineMessage(db));
  }
  if (!raw) throw Exception(QStringLiteral("空的 SQL 语句。"));
  return Statement(raw);
}

void Bind(sqlite3_stmt *s, int index, const QVariant &value) {
  if (value.isNull() || !value.isValid()) {
    sqlite3_bind_null(s, index);
    return;
  }
  switch (value.typeId()) {
    case QMetaType::Bool:
      sqlite3_bind_text(s, index, value.toBool() ? "Y" : "N", 1, SQLITE_TRANSIENT);
      return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::Short:
      sqlite3_bind_int64(s, index, value.toLongLong());
      return;
    case QMetaType::Double:
    case QMetaType::Float:
      sqlite3_bind_double(s, index, value.toDouble());
      return;
    case QMetaType::QByteArray: {
      const QByteArray bytes = value.toByteArray();
      sqlite3_bind_blob(s, index, bytes.constData(), bytes.size(), SQLITE_TRANSIENT);
      return;
    }
    default: {
      const QByteArray text = value.toString().toUtf8();
      sqlite3_bind_text(s, index, text.constData(), text.size(), SQLITE_TRANSIENT);
      return;
    }
  }
}

QVariant Column(sqlite3_stmt *s, int i) {
  switch (sqlite3_column_type(s, i)) {
    case SQLITE_INTEGER:
      return QVariant(static_cast<qint64>(sqlite3_column_int64(s, i)));
    case SQLITE_FLOAT:
      return QVariant(sqlite3_column_double(s, i));
    case SQLITE_BLOB:
      return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(s, i)),
                                 sqlite3_column_bytes(s, i)));
    case SQLITE_NULL:
      return QVariant();
    default:
      return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, i)),
                                        sqlite3_column_bytes(s, i)));
  }
}

void StepToEnd(sqlite3 *db, sqlite3_stmt *s) {
  for (;;) {
    const int rc = sqlite3_step(s);
    if (rc == SQLITE_DONE) return;
    if (rc != SQLITE_ROW) throw Exception(EngineMessage(db));
  }
}

QString Identifier(const QString &name) {
  QString quoted = name;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

bool ReadBoolean(const QVariant &value) {
  if (value.isNull() || !value.isValid()) return false;
  switch (value.typeId()) {
    case QMetaType::Bool:
      return value.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
      return value.toLongLong() != 0;
    case QMetaType::Double:
    case QMetaType::Float:
      return value.toDouble() != 0.0;
    default:
      break;
  }
  const QString text = value.toString().trimmed();
  for (const char *yes : {"Y", "YES", "T", "TRUE"})
    if (text.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0) return true;
  bool isNumber = false;
  const double number = text.toDouble(&isNumber);
  return isNumber && number != 0.0;
}

QString WriteBoolean(bool value) { return value ? QStringLiteral("Y") : QStringLiteral("N"); }

QString SqlText(const QString &value) {
  QString doubled = value;
  doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
  return doubled;
}

// --- Connection -----------------------------------------------------------

Connection::~Connection() { Disconnect(); }

bool Connection::Encrypted() const {
  for (const QString &line : properties_) {
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) continue;
    if (line.left(eq).trimmed().compare(QLatin1String("encrypted"), Qt::CaseInsensitive) == 0)
      return ReadBoolean(line.mid(eq + 1).trimmed());
  }
  return false;
}

void Connection::Connect() {
  if (db_) return;
  const QByteArray path = database_.toUtf8();
  sqlite3 *db = nullptr;
  int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                           nullptr);
  if (rc == SQLITE_OK && Encrypted()) {
    const QByteArray key = password_.toUtf8();
    rc = sqlite3_key(db, key.constData(), key.size());
  }
  // The connection's own set-up statement; with a wrong key or a file that is
  // no database this is where the engine says so.
  if (rc == SQLITE_OK)
    rc = sqlite3_exec(db, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    const QString reason = EngineMessage(db);
    sqlite3_close(db);
    throw Exception(QStringLiteral("无法打开数据库文件“%1”：%2").arg(database_, reason));
  }
  db_ = db;
}

void Connection::Disconnect() {
  if (!db_) return;
  sqlite3_close_v2(db_);
  db_ = nullptr;
}

void Connection::Execute(const QString &sql) {
  Statement s = Prepare(db_, sql);
  StepToEnd(db_, s.get());
}

void Connection::StartTransaction() { Execute(QStringLiteral("BEGIN")); }
void Connection::Commit() { Execute(QStringLiteral("COMMIT")); }
void Connection::Rollback() { Execute(QStringLiteral("ROLLBACK")); }
bool Connection::InTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

qint64 Connection::LastInsertRowId() const { return db_ ? sqlite3_last_insert_rowid(db_) : 0; }

// --- Query ----------------------------------------------------------------

Query::Query(Connection *connection, QObject *parent) : QObject(parent), connection_(connection) {}

void Query::Close() {
  const bool had = active_ || !rows_.empty();
  active_ = false;
  editing_ = false;
  eof_ = true;
  current_ = -1;
  fields_.clear();
  rows_.clear();
  table_.clear();
  keyColumn_ = -1;
  if (had) NotifyDataSet();
}

void Query::ResolveTable(void *statement) {
  auto *s = static_cast<sqlite3_stmt *>(statement);
  table_.clear();
  keyColumn_ = -1;
  QString table;
  for (int i = 0; i < fields_.size(); ++i) {
    const char *name = sqlite3_column_table_name(s, i);
    if (!name) continue;  // an expression, not a column of a table
    const QString t = QString::fromUtf8(name);
    if (table.isEmpty()) {
      table = t;
    } else if (t != table) {
      return;  // a join: not written back
    }
  }
  if (table.isEmpty()) return;
  int key = -1;
  for (int i = 0; i < fields_.size(); ++i) {
    const char *origin = sqlite3_column_origin_name(s, i);
    const char *db = sqlite3_column_database_name(s, i);
    if (!origin) continue;
    int notNull = 0, primaryKey = 0, autoInc = 0;
    if (sqlite3_table_column_metadata(connection_->Handle(), db, table.toUtf8().constData(), origin,
                                      nullptr, nullptr, &notNull, &primaryKey,
                                      &autoInc) == SQLITE_OK &&
        primaryKey) {
      if (key >= 0) return;  // a key of several columns: not supported
      key = i;
    }
  }
  table_ = table;
  keyColumn_ = key;
}

void Query::Open() {
  Close();
  Statement s = Prepare(connection_->Handle(), sql_);
  const int columns = sqlite3_column_count(s.get());
  if (columns == 0) {
    StepToEnd(connection_->Handle(), s.get());
    throw Exception(QStringLiteral("Can not open a Resultset."));
  }
  QStringList fields;
  for (int i = 0; i < columns; ++i) fields << QString::fromUtf8(sqlite3_column_name(s.get(), i));
  std::vector<std::vector<QVariant>> rows;
  for (;;) {
    const int rc = sqlite3_step(s.get());
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) throw Exception(EngineMessage(connection_->Handle()));
    std::vector<QVariant> row;
    row.reserve(columns);
    for (int i = 0; i < columns; ++i) row.push_back(Column(s.get(), i));
    rows.push_back(std::move(row));
  }
  fields_ = fields;
  rows_ = std::move(rows);
  ResolveTable(s.get());
  active_ = true;
  current_ = rows_.empty() ? -1 : 0;
  eof_ = rows_.empty();
  NotifyDataSet();
}

void Query::ExecSQL() {
  Close();
  Statement s = Prepare(connection_->Handle(), sql_);
  StepToEnd(connection_->Handle(), s.get());
}

void Query::First() {
  current_ = rows_.empty() ? -1 : 0;
  eof_ = rows_.empty();
  NotifyCurrent();
}

void Query::Next() {
  if (current_ + 1 < RecordCount()) {
    ++current_;
    NotifyCurrent();
  } else {
    eof_ = true;
  }
}

bool Query::Eof() const { return eof_; }

void Query::MoveTo(int row) {
  if (row < 0 || row >= RecordCount()) throw Exception(QStringLiteral("行号超出范围。"));
  if (editing_) Post();
  current_ = row;
  eof_ = false;
  NotifyCurrent();
}

int Query::FieldIndex(const QString &name) const {
  for (int i = 0; i < fields_.size(); ++i)
    if (fields_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

int Query::RequireField(const QString &name) const {
  const int index = FieldIndex(name);
  if (index < 0) throw Exception(QStringLiteral("%1: Field not found").arg(name));
  return index;
}

void Query::RequireRow(const char *action) const {
  if (!active_ || current_ < 0 || current_ >= RecordCount())
    throw Exception(QStringLiteral("没有当前记录，无法%1。").arg(QString::fromUtf8(action)));
}

QVariant Query::Value(const QString &field) const {
  const int column = RequireField(field);
  if (current_ < 0) return QVariant();
  if (editing_) return editBuffer_[column];
  return rows_[current_][column];
}

QVariant Query::ValueAt(int row, int column) const {
  if (row < 0 || row >= RecordCount() || column < 0 || column >= FieldCount()) return QVariant();
  if (editing_ && row == current_) return editBuffer_[column];
  return rows_[row][column];
}

bool Query::IsNull(const QString &field) const {
  const QVariant v = Value(field);
  return v.isNull() || !v.isValid();
}

QString Query::AsString(const QString &field) const { return Value(field).toString(); }
bool Query::AsBoolean(const QString &field) const { return ReadBoolean(Value(field)); }
qint64 Query::AsInteger(const QString &field) const { return Value(field).toLongLong(); }

void Query::Edit() {
  RequireRow("修改");
  if (editing_) return;
  editBuffer_ = rows_[current_];
  editChanged_.assign(fields_.size(), false);
  editing_ = true;
}

void Query::SetValue(const QString &field, const QVariant &value) {
  const int column = RequireField(field);
  if (!editing_) Edit();
  // Booleans are kept in their stored text form so that readers see what the file holds.
  editBuffer_[column] = value.typeId() == QMetaType::Bool ? QVariant(WriteBoolean(value.toBool()))
                                                          : value;
  editChanged_[column] = true;
  NotifyRow(current_);
}

void Query::Cancel() {
  if (!editing_) return;
  editing_ = false;
  NotifyRow(current_);
}

void Query::Post() {
  if (!editing_) return;
  QStringList assignments;
  std::vector<QVariant> values;
  for (int i = 0; i < FieldCount(); ++i) {
    if (!editChanged_[i]) continue;
    assignments << Identifier(fields_[i]) + QStringLiteral("=?");
    values.push_back(editBuffer_[i]);
  }
  if (!assignments.isEmpty()) {
    if (table_.isEmpty() || keyColumn_ < 0)
      throw Exception(QStringLiteral("这个查询的结果不能修改。"));
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3=?")
                            .arg(Identifier(table_), assignments.join(QLatin1Char(',')),
                                 Identifier(fields_[keyColumn_]));
    Statement s = Prepare(connection_->Handle(), sql);
    int index = 1;
    for (const QVariant &v : values) Bind(s.get(), index++, v);
    Bind(s.get(), index, rows_[current_][keyColumn_]);
    StepToEnd(connection_->Handle(), s.get());
    if (sqlite3_changes(connection_->Handle()) != 1)
      throw Exception(QStringLiteral("这条记录已不在数据库中，修改没有保存。"));
    rows_[current_] = editBuffer_;
  }
  editing_ = false;
  NotifyRow(current_);
}

void Query::Delete() {
  RequireRow("删除");
  if (table_.isEmpty() || keyColumn_ < 0)
    throw Exception(QStringLiteral("这个查询的结果不能删除。"));
  editing_ = false;
  const QString sql = QStringLiteral("DELETE FROM %1 WHERE %2=?")
                          .arg(Identifier(table_), Identifier(fields_[keyColumn_]));
  Statement s = Prepare(connection_->Handle(), sql);
  Bind(s.get(), 1, rows_[current_][keyColumn_]);
  StepToEnd(connection_->Handle(), s.get());
  rows_.erase(rows_.begin() + current_);
  if (current_ >= RecordCount()) current_ = RecordCount() - 1;
  eof_ = rows_.empty();
  NotifyDataSet();
}

void Query::DisableControls() { ++disabled_; }

void Query::EnableControls() {
  if (disabled_ == 0) return;
  if (--disabled_ == 0) emit DataSetChanged();
}

void Query::NotifyDataSet() {
  if (!disabled_) emit DataSetChanged();
}
void Query::NotifyRow(int row) {
  if (!disabled_) emit RowChanged(row);
}
void Query::NotifyCurrent() {
  if (!disabled_) emit CurrentChanged(current_);
}

}  // namespace platform
