// Data access over the keyed engine: booleans, edit/post/delete touching one
// row only, nasty values, and files that must not be opened or damaged.
#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "platform/DataAccess.h"
#include "platform/Exception.h"

using platform::Connection;
using platform::Query;

namespace {

QByteArray ReadAll(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DataAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    path = dir.filePath("t.db");
    db.SetDatabase(path);
    db.SetPassword("pw");
    db.Properties() << "encrypted=YES";
    db.Connect();
    db.Execute("create table t (ID integer not null primary key, a text, b text, flag boolean default 0)");
    db.Execute("insert into t(a,b) values ('one','x')");
    db.Execute("insert into t(a,b) values ('two','y')");
    db.Execute("insert into t(a,b) values ('three','z')");
  }
  QStringList Column(const QString &name) {
    Query q(&db);
    q.SetSQL("select * from t order by ID");
    q.Open();
    QStringList out;
    for (q.First(); !q.Eof(); q.Next()) out << (q.IsNull(name) ? "<null>" : q.AsString(name));
    return out;
  }
  QTemporaryDir dir;
  QString path;
  Connection db;
};

}  // namespace

TEST(ReadBoolean, FollowsTheStoredTextRule) {
  struct Case {
    QVariant value;
    bool expected;
  } cases[] = {
      {"Y", true},   {"y", true},      {"YES", true},   {"yes", true},  {"T", true},
      {"tRuE", true}, {"1", true},     {"-3", true},    {"2.5", true},  {qint64(7), true},
      {"N", false},  {"no", false},    {"0", false},    {"", false},    {"abc", false},
      {"F", false},  {QVariant(), false}, {qint64(0), false}, {"0.0", false},
  };
  for (const Case &c : cases)
    EXPECT_EQ(platform::ReadBoolean(c.value), c.expected) << c.value.toString().toStdString();
  EXPECT_EQ(platform::WriteBoolean(true), "Y");
  EXPECT_EQ(platform::WriteBoolean(false), "N");
}

TEST_F(DataAccessTest, NavigationAndFieldAccess) {
  Query q(&db);
  q.SetSQL("select * from t order by ID");
  q.Open();
  EXPECT_EQ(q.RecordCount(), 3);
  QStringList seen;
  for (q.First(); !q.Eof(); q.Next()) seen << q.AsString("A");  // names ignore case
  EXPECT_EQ(seen, (QStringList{"one", "two", "three"}));
  EXPECT_THROW(q.Value("nosuch"), platform::Exception);
  q.SetSQL("select * from t where 1=0");
  q.Open();
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.RecordCount(), 0);
}

TEST_F(DataAccessTest, StatementWithoutResultLeavesNoRows) {
  Query q(&db);
  q.SetSQL("select * from t");
  q.Open();
  q.SetSQL("update t set b='w' where ID=2");
  q.ExecSQL();
  EXPECT_EQ(q.RecordCount(), 0);
  EXPECT_TRUE(q.Eof());
  q.SetSQL("update t set b='v'");
  EXPECT_THROW(q.Open(), platform::Exception);
  EXPECT_EQ(Column("b"), (QStringList{"v", "v", "v"}));  // the statement still ran once
}

TEST_F(DataAccessTest, PostWritesOnlyTheEditedFieldOfTheCurrentRow) {
  const QString nasty[] = {
      "it's", "a''b", "back\\slash\\", "x'); drop table t; --", "' or 1=1 --",
      QString(10000, QChar(u'条')), "line\nbreak", "\"double\"",
  };
  for (const QString &value : nasty) {
    Query q(&db);
    q.SetSQL("select * from t order by ID");
    q.Open();
    q.MoveTo(1);
    q.SetValue("a", value);
    q.Post();
    EXPECT_EQ(Column("a"), (QStringList{"one", value, "three"})) << value.left(40).toStdString();
    EXPECT_EQ(Column("b"), (QStringList{"x", "y", "z"}));
  }
}

TEST_F(DataAccessTest, SqlTextKeepsQuotedValuesInsideTheirLiteral) {
  const QString value = "x', b='hacked";
  Query q(&db);
  q.SetSQL("update t set a='" + platform::SqlText(value) + "' where ID=3");
  q.ExecSQL();
  EXPECT_EQ(Column("a"), (QStringList{"one", "two", value}));
  EXPECT_EQ(Column("b"), (QStringList{"x", "y", "z"}));
}

TEST_F(DataAccessTest, BooleansAreWrittenAsYAndN) {
  Query q(&db);
  q.SetSQL("select * from t order by ID");
  q.Open();
  q.SetValue("flag", true);
  q.Post();
  q.Next();
  q.SetValue("flag", false);
  q.Post();
  EXPECT_EQ(Column("flag"), (QStringList{"Y", "N", "0"}));
  q.Open();
  EXPECT_TRUE(q.AsBoolean("flag"));
  q.Next();
  EXPECT_FALSE(q.AsBoolean("flag"));
}

TEST_F(DataAccessTest, NullsReadAsNullAndCanBeWritten) {
  Query q(&db);
  q.SetSQL("select * from t order by ID");
  q.Open();
  q.SetValue("b", QVariant());
  q.Post();
  EXPECT_EQ(Column("b"), (QStringList{"<null>", "y", "z"}));
}

TEST_F(DataAccessTest, DeleteRemovesTheCurrentRowOnly) {
  Query q(&db);
  q.SetSQL("select * from t order by ID");
  q.Open();
  q.MoveTo(1);
  q.Delete();
  EXPECT_EQ(q.RecordCount(), 2);
  EXPECT_EQ(q.AsString("a"), "three");
  EXPECT_EQ(Column("a"), (QStringList{"one", "three"}));
}

TEST_F(DataAccessTest, RowsWithoutKeyAreNotWrittenBack) {
  Query q(&db);
  q.SetSQL("select a, b from t");
  q.Open();
  q.SetValue("a", "changed");
  EXPECT_THROW(q.Post(), platform::Exception);
  EXPECT_THROW(q.Delete(), platform::Exception);
  EXPECT_EQ(Column("a"), (QStringList{"one", "two", "three"}));
}

TEST_F(DataAccessTest, LastInsertRowIdThroughSql) {
  Query q(&db);
  q.SetSQL("insert into t(a) values ('four')");
  q.ExecSQL();
  q.SetSQL("select last_insert_rowid() as bb1 from t");
  q.Open();
  EXPECT_EQ(q.AsInteger("bb1"), 4);
  EXPECT_EQ(db.LastInsertRowId(), 4);
}

TEST_F(DataAccessTest, DisabledControlsHearNothingUntilEnabled) {
  Query q(&db);
  QSignalSpy reset(&q, &Query::DataSetChanged);
  q.DisableControls();
  q.SetSQL("select * from t");
  q.Open();
  q.Next();
  EXPECT_EQ(reset.count(), 0);
  q.EnableControls();
  EXPECT_EQ(reset.count(), 1);
}

TEST_F(DataAccessTest, FileIsEncryptedAndWrongKeysLeaveItUntouched) {
  db.Disconnect();
  const QByteArray before = ReadAll(path);
  ASSERT_FALSE(before.isEmpty());
  EXPECT_FALSE(before.startsWith("SQLite format 3"));
  EXPECT_FALSE(before.contains("three"));

  for (const QString &key : {QString("wrong"), QString()}) {
    Connection other;
    other.SetDatabase(path);
    other.SetPassword(key);
    if (!key.isEmpty()) other.Properties() << "encrypted=YES";
    EXPECT_THROW(other.Connect(), platform::Exception) << key.toStdString();
    EXPECT_FALSE(other.Connected());
  }
  EXPECT_EQ(ReadAll(path), before);
}

TEST_F(DataAccessTest, FileThatIsNoDatabaseIsRefusedAndKept) {
  const QString junk = dir.filePath("junk.db");
  QByteArray bytes(5000, 'q');
  {
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  Connection other;
  other.SetDatabase(junk);
  other.SetPassword("pw");
  other.Properties() << "encrypted=YES";
  try {
    other.Connect();
    FAIL() << "a file of junk opened as a database";
  } catch (const platform::Exception &e) {
    EXPECT_TRUE(e.Message().contains(junk)) << e.Message().toStdString();
  }
  EXPECT_EQ(ReadAll(junk), bytes);
}
