#include "store/dataUnit1.h"

#include <QDir>
#include <QFileInfo>

namespace store {

TDataModule2 *DataModule2 = nullptr;

const QString kCreateLabelTable = QStringLiteral(
    "CREATE TABLE Labeldemo (ID INTEGER NOT NULL PRIMARY KEY,bintype char(50) not null,labdi "
    "char(50) default '-',barcode  CHAR(50) default '-',cbiho    char(50) default '-',cName  "
    "char(50) default '-',cxinho  char(50) default '-',danwei  char(50) default '-',candi  "
    "char(50) default '-',danjain char(50) default '-',demoName  char(50) default '-',yesprn "
    "boolean default 0,printzan integer default 0,wanlin char(15))");

namespace {

// Seed rows in the column order of the insert below:
// bintype, barcode, labdi, cbiho, cName, cxinho, danwei, candi, demoName, danjain.
const char *const kSeedRows[6][10] = {
    {"成衣类", "123456780", "-", "编号:001", "品名:衣服", "型号:小号", "单位:件", "产地:本地服装厂", "模板1", "单价:28"},
    {"成衣类", "123456781", "-", "-", "品名:裤子", "-", "单位:条", "产地:本地服装厂", "模板2", "单价:30"},
    {"成衣类", "123456782", "-", "品名:衬衣", "成份:棉线", "款号:小号", "尺码:78公分", "产地:本地服装厂", "模板3", "单价:90"},
    {"电脑类", "123456783", "-", "编号:003", "品名:台试机", "型号:s-234-s", "-", "-", "模板1", "单价:4300元"},
    {"电脑类", "123456784", "-", "编号:003", "品名:笔记本", "型号:iu-432-23", "-", "-", "模板2", "单价:6800元"},
    {"家电类", "123456785", "-", "品名:电视机", "型号:20寸", "-", "单位:台", "-", "模板1", "单价:460"},
};

QStringList MakeSeedInserts() {
  QStringList inserts;
  for (const auto &row : kSeedRows) {
    QStringList values;
    for (const char *value : row)
      values << QLatin1Char('\'') + platform::SqlText(QString::fromUtf8(value)) + QLatin1Char('\'');
    inserts << QStringLiteral(
                   "insert into Labeldemo(bintype,barcode,labdi,cbiho,cName,cxinho,danwei,candi,"
                   "demoName,danjain) values (") +
                   values.join(QLatin1Char(',')) + QLatin1Char(')');
  }
  return inserts;
}

}  // namespace

const QStringList kSeedInserts = MakeSeedInserts();

TDataModule2::TDataModule2(const QString &programFolder) : FProgramFolder(programFolder) {
  if (!FProgramFolder.endsWith(QLatin1Char('/'))) FProgramFolder += QLatin1Char('/');
}

void TDataModule2::DataModuleCreate() {
  QDir().mkpath(FProgramFolder + QStringLiteral("qvsdat"));

  BenDataBase.Disconnect();
  BenDataBase.SetPassword(kDatabasePassword);
  BenDataBase.SetProtocol(QStringLiteral("qvlite-3"));
  BenDataBase.Properties().clear();
  BenDataBase.Properties() << QStringLiteral("encrypted=YES");
  BenDataBase.SetDatabase(DatabasePath());

  if (CreateDatabaseFileIfMissing(DatabasePath())) {
    BenDataBase.Connect();
    CreateLabelTableInTransaction();
    BenDataBase.Disconnect();
  }

  BenDataBase.Connect();

  if (!ColumnExists(QStringLiteral("Labeldemo"), QStringLiteral("printzan")))
    AddColumnWithDefault(QStringLiteral("Labeldemo"), QStringLiteral("printzan integer default 0"),
                         QStringLiteral("printzan=0"));
}

void TDataModule2::JVUibQuexe1(const QString &sql) {
  try {
    nTestQuery.Close();
    nTestQuery.SetSQL(sql);
    nTestQuery.ExecSQL();
    nTestQuery.Close();
  } catch (...) {
    // The statement runner reports nothing by design.
  }
}

bool TDataModule2::ColumnExists(const QString &table, const QString &column) {
  try {
    BenUIBQuery1.Close();
    BenUIBQuery1.SetSQL(QStringLiteral("select ") + column + QStringLiteral(" from ") + table);
    BenUIBQuery1.Open();
    return true;
  } catch (...) {
    return false;
  }
}

void TDataModule2::AddColumnWithDefault(const QString &table, const QString &definition,
                                        const QString &assignment) {
  JVUibQuexe1(QStringLiteral("alter table ") + table + QStringLiteral(" add ") + definition);
  JVUibQuexe1(QStringLiteral("Update  ") + table + QStringLiteral(" set ") + assignment);
}

bool TDataModule2::CreateDatabaseFileIfMissing(const QString &path) {
  try {
    if (QFileInfo::exists(path)) return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    BenDataBase.Disconnect();
    BenDataBase.SetDatabase(path);
    BenDataBase.Connect();
    return true;
  } catch (...) {
    return false;
  }
}

void TDataModule2::CreateLabelTable() {
  JVUibQuexe1(kCreateLabelTable);
  for (const QString &insert : kSeedInserts) JVUibQuexe1(insert);
}

void TDataModule2::CreateLabelTableInTransaction() {
  BenDataBase.StartTransaction();
  try {
    JVUibQuexe1(QStringLiteral("begin"));
    CreateLabelTable();
  } catch (...) {
    BenDataBase.Commit();
    throw;
  }
  BenDataBase.Commit();
  // Fails quietly: the transaction above is already committed. The runner
  // swallows its failure, so the "rollback" fallback never has to run.
  JVUibQuexe1(QStringLiteral("Commit"));
}

}  // namespace store
