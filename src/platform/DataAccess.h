#pragma once
// Data access over the keyed SQLite engine: one Connection to a database file
// and Query objects that run statements on it. A select is read whole into
// memory; the current row can be edited and posted back, or deleted, and
// controls bound to the query (grids) follow its changes unless disabled.
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

struct sqlite3;

namespace platform {

// Booleans are stored as the text 'Y' or 'N'; a value reads as true when it
// is Y, YES, T or TRUE in any case, or a number other than 0.
bool ReadBoolean(const QVariant &value);
QString WriteBoolean(bool value);

// Doubles the single quotes of a value placed between single quotes in SQL.
QString SqlText(const QString &value);

class Connection {
 public:
  Connection() = default;
  ~Connection();
  Connection(const Connection &) = delete;
  Connection &operator=(const Connection &) = delete;

  void SetDatabase(const QString &path) { database_ = path; }
  const QString &Database() const { return database_; }
  void SetPassword(const QString &password) { password_ = password; }
  void SetProtocol(const QString &protocol) { protocol_ = protocol; }
  const QString &Protocol() const { return protocol_; }
  QStringList &Properties() { return properties_; }

  // Opens the file (creating an empty one when missing), keys it when the
  // properties say "encrypted=YES", and checks that it reads as a database.
  void Connect();
  void Disconnect();
  bool Connected() const { return db_ != nullptr; }

  void StartTransaction();
  void Commit();
  void Rollback();
  bool InTransaction() const;

  // Runs one statement without result.
  void Execute(const QString &sql);
  qint64 LastInsertRowId() const;
  sqlite3 *Handle() const { return db_; }

 private:
  bool Encrypted() const;
  sqlite3 *db_ = nullptr;
  QString database_, password_, protocol_;
  QStringList properties_;
};

class Query : public QObject {
  Q_OBJECT
 public:
  explicit Query(Connection *connection, QObject *parent = nullptr);

  void SetSQL(const QString &sql) { sql_ = sql; }
  const QString &SQL() const { return sql_; }

  // Runs the SQL and reads its rows; the query then stands on the first row.
  void Open();
  // Runs the SQL as a statement without result; the query holds no rows.
  void ExecSQL();
  void Close();
  bool Active() const { return active_; }

  // Navigation over the rows read by Open.
  void First();
  void Next();
  bool Eof() const;
  int RecordCount() const { return static_cast<int>(rows_.size()); }
  int RecNo() const { return current_; }  // 0-based; -1 when empty
  void MoveTo(int row);

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  QString FieldName(int index) const { return fields_.at(index); }
  int FieldIndex(const QString &name) const;  // -1 when missing; case-insensitive
  // Field access on the current row; an unknown field raises.
  QVariant Value(const QString &field) const;
  QVariant ValueAt(int row, int column) const;
  bool IsNull(const QString &field) const;
  QString AsString(const QString &field) const;
  bool AsBoolean(const QString &field) const;
  qint64 AsInteger(const QString &field) const;

  // Edit and post of the current row: only the fields set are written, to
  // that row alone (found by the table's primary key).
  void Edit();
  void SetValue(const QString &field, const QVariant &value);
  void Post();
  void Cancel();
  bool Editing() const { return editing_; }
  void Delete();

  // Bound controls stop following the query while disabled; re-enabling the
  // last level tells them to refresh.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disabled_ > 0; }

 signals:
  void DataSetChanged();        // rows replaced or cleared
  void RowChanged(int row);     // one row's values changed
  void CurrentChanged(int row); // the current row moved

 private:
  void NotifyDataSet();
  void NotifyRow(int row);
  void NotifyCurrent();
  void RequireRow(const char *action) const;
  void ResolveTable(void *statement);
  int RequireField(const QString &name) const;

  Connection *connection_;
  QString sql_;
  bool active_ = false;
  bool eof_ = true;
  bool editing_ = false;
  int disabled_ = 0;
  int current_ = -1;
  QStringList fields_;
  std::vector<std::vector<QVariant>> rows_;
  std::vector<QVariant> editBuffer_;
  std::vector<bool> editChanged_;
  // Where the rows came from, for writing back: one table and its key column.
  QString table_;
  int keyColumn_ = -1;
};

}  // namespace platform
