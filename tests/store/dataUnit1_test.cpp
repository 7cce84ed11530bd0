// The data module's opening sequence on real keyed files in a temporary
// program folder: first start, second start, upgrade of an old table, empty
// file, and files it must refuse without touching them.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/Exception.h"
#include "store/dataUnit1.h"

using store::TDataModule2;

namespace {

QByteArray ReadAll(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Builds a keyed database file directly on the engine, bypassing the module.
void MakeKeyedFile(const QString &path, const QString &key, const QStringList &statements) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  sqlite3 *db = nullptr;
  ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
  const QByteArray k = key.toUtf8();
  if (!k.isEmpty()) sqlite3_key(db, k.constData(), k.size());
  for (const QString &sql : statements)
    ASSERT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sql.toStdString() << ": " << sqlite3_errmsg(db);
  sqlite3_close(db);
}

struct Row {
  qint64 id;
  QStringList texts;  // bintype..danjain as in the seed table
  QString yesprn, printzan;
  bool wanlinNull;
};

std::vector<Row> Rows(TDataModule2 &dm) {
  platform::Query q(&dm.BenDataBase);
  q.SetSQL("select * from Labeldemo order by ID");
  q.Open();
  std::vector<Row> rows;
  for (q.First(); !q.Eof(); q.Next()) {
    Row r{q.AsInteger("ID"), {}, q.AsString("yesprn"), q.AsString("printzan"), q.IsNull("wanlin")};
    for (const char *c : {"bintype", "barcode", "labdi", "cbiho", "cName", "cxinho", "danwei",
                          "candi", "demoName", "danjain"})
      r.texts << q.AsString(c);
    rows.push_back(r);
  }
  return rows;
}

class DataModuleTest : public ::testing::Test {
 protected:
  void SetUp() override { folder = dir.path() + "/prog/"; }
  QString DbPath() const { return folder + "qvsdat/qvsdat.qvy"; }
  QTemporaryDir dir;
  QString folder;
};

}  // namespace

TEST_F(DataModuleTest, FirstStartCreatesFolderFileAndSixSeedRows) {
  TDataModule2 dm(folder);
  dm.DataModuleCreate();
  EXPECT_TRUE(QFileInfo(DbPath()).isFile());
  EXPECT_TRUE(dm.BenDataBase.Connected());
  const auto rows = Rows(dm);
  ASSERT_EQ(rows.size(), 6u);
  const QStringList expected[6] = {
      {"成衣类", "123456780", "-", "编号:001", "品名:衣服", "型号:小号", "单位:件", "产地:本地服装厂", "模板1", "单价:28"},
      {"成衣类", "123456781", "-", "-", "品名:裤子", "-", "单位:条", "产地:本地服装厂", "模板2", "单价:30"},
      {"成衣类", "123456782", "-", "品名:衬衣", "成份:棉线", "款号:小号", "尺码:78公分", "产地:本地服装厂", "模板3", "单价:90"},
      {"电脑类", "123456783", "-", "编号:003", "品名:台试机", "型号:s-234-s", "-", "-", "模板1", "单价:4300元"},
      {"电脑类", "123456784", "-", "编号:003", "品名:笔记本", "型号:iu-432-23", "-", "-", "模板2", "单价:6800元"},
      {"家电类", "123456785", "-", "品名:电视机", "型号:20寸", "-", "单位:台", "-", "模板1", "单价:460"},
  };
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(rows[i].id, i + 1);
    EXPECT_EQ(rows[i].texts, expected[i]) << "row " << i + 1;
    EXPECT_EQ(rows[i].yesprn, "0");
    EXPECT_EQ(rows[i].printzan, "0");
    EXPECT_TRUE(rows[i].wanlinNull);
  }
  // The schema is the one statement, spacing included.
  platform::Query q(&dm.BenDataBase);
  q.SetSQL("select sql from sqlite_master where name='Labeldemo'");
  q.Open();
  EXPECT_EQ(q.AsString("sql"), store::kCreateLabelTable);
}

TEST_F(DataModuleTest, FileIsUnreadableWithoutTheKey) {
  { TDataModule2(folder).DataModuleCreate(); }
  const QByteArray bytes = ReadAll(DbPath());
  ASSERT_GT(bytes.size(), 1000);
  EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
  for (const char *seed : {"123456780", "Labeldemo", "模板1", "本地服装厂", "CREATE TABLE"})
    EXPECT_FALSE(bytes.contains(seed)) << seed;

  sqlite3 *db = nullptr;
  ASSERT_EQ(sqlite3_open(DbPath().toUtf8().constData(), &db), SQLITE_OK);
  EXPECT_NE(sqlite3_exec(db, "select count(*) from Labeldemo", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
}

TEST_F(DataModuleTest, SecondStartAddsNothing) {
  { TDataModule2(folder).DataModuleCreate(); }
  {
    TDataModule2 dm(folder);
    dm.DataModuleCreate();
    dm.JVUibQuexe1("update Labeldemo set printzan=3 where ID=2");
  }
  TDataModule2 dm(folder);
  dm.DataModuleCreate();
  const auto rows = Rows(dm);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[1].printzan, "3");  // the upgrade step did not reset the copies
}

TEST_F(DataModuleTest, OldTableWithoutCopiesColumnIsUpgraded) {
  MakeKeyedFile(DbPath(), "8142",
                {"CREATE TABLE Labeldemo (ID INTEGER NOT NULL PRIMARY KEY,bintype char(50) not null,"
                 "labdi char(50) default '-',barcode CHAR(50) default '-',demoName char(50) default '-',"
                 "yesprn boolean default 0,wanlin char(15))",
                 "insert into Labeldemo(bintype,barcode) values ('老','1')",
                 "insert into Labeldemo(bintype,barcode) values ('老','2')"});
  TDataModule2 dm(folder);
  dm.DataModuleCreate();
  EXPECT_TRUE(dm.ColumnExists("Labeldemo", "printzan"));
  platform::Query q(&dm.BenDataBase);
  q.SetSQL("select ID, printzan from Labeldemo order by ID");
  q.Open();
  ASSERT_EQ(q.RecordCount(), 2);
  for (q.First(); !q.Eof(); q.Next()) EXPECT_EQ(q.Value("printzan"), QVariant(qint64(0)));
}

TEST_F(DataModuleTest, EmptyFileIsLeftAlone) {
  QDir().mkpath(folder + "qvsdat");
  { QFile f(DbPath()); ASSERT_TRUE(f.open(QIODevice::WriteOnly)); }
  TDataModule2 dm(folder);
  EXPECT_NO_THROW(dm.DataModuleCreate());
  EXPECT_FALSE(dm.ColumnExists("Labeldemo", "printzan"));
  EXPECT_FALSE(dm.ColumnExists("Labeldemo", "ID"));
  EXPECT_EQ(QFileInfo(DbPath()).size(), 0);
}

TEST_F(DataModuleTest, ForeignFilesRaiseAndStayByteForByte) {
  struct Case {
    const char *what;
    std::function<void()> make;
  } cases[] = {
      {"keyed with another password",
       [&] { MakeKeyedFile(DbPath(), "other", {"create table x(a)", "insert into x values (1)"}); }},
      {"plain, without key",
       [&] { MakeKeyedFile(DbPath(), "", {"create table x(a)", "insert into x values (1)"}); }},
      {"not a database", [&] {
         QDir().mkpath(folder + "qvsdat");
         QFile f(DbPath());
         ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         f.write(QByteArray(8192, '\x5a'));
       }},
  };
  for (const Case &c : cases) {
    QDir(folder).removeRecursively();
    c.make();
    const QByteArray before = ReadAll(DbPath());
    TDataModule2 dm(folder);
    EXPECT_THROW(dm.DataModuleCreate(), platform::Exception) << c.what;
    EXPECT_FALSE(dm.BenDataBase.Connected()) << c.what;
    EXPECT_EQ(ReadAll(DbPath()), before) << c.what;
  }
}

TEST_F(DataModuleTest, DataFolderThatCannotBeMadeRaisesCleanly) {
  QFile blocker(dir.path() + "/prog");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
  blocker.close();
  TDataModule2 dm(folder);
  EXPECT_THROW(dm.DataModuleCreate(), platform::Exception);
  EXPECT_FALSE(dm.BenDataBase.Connected());
}

TEST_F(DataModuleTest, StatementRunnerSwallowsFailures) {
  TDataModule2 dm(folder);
  dm.DataModuleCreate();
  EXPECT_NO_THROW(dm.JVUibQuexe1("this is not sql"));
  EXPECT_NO_THROW(dm.JVUibQuexe1("insert into nosuch values (1)"));
  dm.JVUibQuexe1("delete from Labeldemo where ID=6");
  EXPECT_EQ(Rows(dm).size(), 5u);
}

TEST_F(DataModuleTest, ColumnCheckAndAddColumn) {
  TDataModule2 dm(folder);
  dm.DataModuleCreate();
  EXPECT_TRUE(dm.ColumnExists("Labeldemo", "demoName"));
  EXPECT_FALSE(dm.ColumnExists("Labeldemo", "nosuch"));
  EXPECT_FALSE(dm.ColumnExists("nosuch", "ID"));
  dm.AddColumnWithDefault("Labeldemo", "extra integer default 5", "extra=7");
  platform::Query q(&dm.BenDataBase);
  q.SetSQL("select distinct extra from Labeldemo");
  q.Open();
  ASSERT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.AsInteger("extra"), 7);
}
