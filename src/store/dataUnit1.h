#pragma once
// The data module: the one connection to the encrypted label database and
// its three queries. Created before the main window, alive for the whole run.
#include <QString>

#include "platform/DataAccess.h"

namespace store {

inline const QString kDatabasePassword = QStringLiteral("8142");
inline const QString kDatabaseFile = QStringLiteral("qvsdat/qvsdat.qvy");

// The one statement that creates the table (spacing as written).
extern const QString kCreateLabelTable;
// The six seed inserts, in ID order.
extern const QStringList kSeedInserts;

class TDataModule2 {
 public:
  // Keeps programFolder (with its trailing separator); DataModuleCreate then
  // opens the database. The start-up runs it guarded: a database that cannot
  // be opened is shown to the user and the program goes on without it.
  explicit TDataModule2(const QString &programFolder);
  TDataModule2(const TDataModule2 &) = delete;
  TDataModule2 &operator=(const TDataModule2 &) = delete;

  // The opening sequence: data folder, keyed file, table and seed rows for a
  // new file, the copies column for an old one. Raises when the file cannot
  // be opened (wrong key, not a database, no access).
  void DataModuleCreate();

  // Executes one statement and swallows any failure.
  void JVUibQuexe1(const QString &sql);
  bool ColumnExists(const QString &table, const QString &column);
  void AddColumnWithDefault(const QString &table, const QString &definition,
                            const QString &assignment);
  bool CreateDatabaseFileIfMissing(const QString &path);
  void CreateLabelTable();
  void CreateLabelTableInTransaction();

  const QString &ProgramFolder() const { return FProgramFolder; }
  QString DatabasePath() const { return FProgramFolder + kDatabaseFile; }

  platform::Connection BenDataBase;
  platform::Query labelZQuery1{&BenDataBase};
  platform::Query nTestQuery{&BenDataBase};
  platform::Query BenUIBQuery1{&BenDataBase};

 private:
  QString FProgramFolder;
};

// The single instance, set by the program start (null until then).
extern TDataModule2 *DataModule2;

}  // namespace store
