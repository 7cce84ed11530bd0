// The ini file format: UTF-16 LE with BOM, CRLF, one empty line after each
// section, case-insensitive names, first '=' splits, other encodings read as
// UTF-16 (and therefore give defaults).
#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "platform/Exception.h"
#include "platform/MemIniFile.h"

using platform::MemIniFile;

namespace {
void WriteBytes(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}
QByteArray ReadBytes(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(MemIniFile, WritesUtf16WithBomCrlfAndEmptyLineAfterEachSection) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.ini");
  {
    MemIniFile ini(path);
    ini.WriteString("falbes", "gongmi", "小店");
    ini.WriteBool("falbes", "bardformat", false);
    ini.WriteString("other", "k", "v");
    ini.UpdateFile();
  }
  const QString expected = "[falbes]\r\ngongmi=小店\r\nbardformat=0\r\n\r\n[other]\r\nk=v\r\n\r\n";
  QByteArray bytes = ReadBytes(path);
  ASSERT_GE(bytes.size(), 2);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xFE);
  EXPECT_EQ(bytes.size(), 2 + expected.size() * 2);
  EXPECT_EQ(MemIniFile::Decode(bytes), expected);
}

TEST(MemIniFile, ValuesRoundTripExactly) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.ini");
  const QString values[] = {"a=b=c", "x;y", ";leading", "  padded  ", "[notasection]", "", "Tarvel科技：5550123"};
  int i = 0;
  {
    MemIniFile ini(path);
    for (const QString &v : values) ini.WriteString("falbes", QString("k%1").arg(i++), v);
    ini.UpdateFile();
  }
  MemIniFile again(path);
  i = 0;
  for (const QString &v : values)
    EXPECT_EQ(again.ReadString("falbes", QString("k%1").arg(i++), "DEF"), v) << v.toStdString();
}

TEST(MemIniFile, NamesIgnoreCaseAndRewriteKeepsUnknownKeysOnly) {
  MemIniFile ini("/nonexistent/x.ini");
  ini.SetText("stray=1\r\n; comment\r\n[FALBES]\r\nGongMi=shop\r\n\r\n[Extra]\r\nkeep=me\r\n");
  EXPECT_EQ(ini.ReadString("falbes", "gongmi", "d"), "shop");
  ini.WriteString("Falbes", "GONGMI", "new");
  EXPECT_EQ(ini.Text(), "[FALBES]\r\nGongMi=new\r\n\r\n[Extra]\r\nkeep=me\r\n\r\n");
}

TEST(MemIniFile, LineBreaksInAValueDoNotCreateEntries) {
  MemIniFile ini("/nonexistent/x.ini");
  ini.WriteString("falbes", "gongmi", "shop\r\nbardformat=0");
  MemIniFile reread("/nonexistent/y.ini");
  reread.SetText(ini.Text());
  EXPECT_TRUE(reread.ReadBool("falbes", "bardformat", true));
  EXPECT_EQ(reread.Keys("falbes"), QStringList{"gongmi"});
}

TEST(MemIniFile, BooleansAreWholeNumbers) {
  struct Case {
    const char *stored;
    bool def;
    bool expected;
  } cases[] = {{"1", false, true}, {"0", true, false}, {"-2", false, true}, {"abc", true, true},
               {"abc", false, false}, {"", true, true}, {" 0 ", true, false}, {"1.5", false, false}};
  for (const Case &c : cases) {
    MemIniFile ini("/nonexistent/x.ini");
    ini.SetText(QString("[falbes]\r\nbardformat=%1\r\n").arg(c.stored));
    EXPECT_EQ(ini.ReadBool("falbes", "bardformat", c.def), c.expected) << c.stored;
  }
}

TEST(MemIniFile, OtherEncodingsReadAsUtf16GiveDefaults) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.ini");
  const QByteArray utf8 = QString("[falbes]\r\ngongmi=小店\r\nbardformat=0\r\n").toUtf8();
  for (const QByteArray &bytes : {utf8, utf8 + "x" /* odd length */, QByteArray("\xFF", 1)}) {
    WriteBytes(path, bytes);
    MemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("falbes", "gongmi", "D"), "D");
    EXPECT_TRUE(ini.ReadBool("falbes", "bardformat", true));
  }
}

TEST(MemIniFile, RandomBytesNeverBreakLoadingOrWriting) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.ini");
  auto *rng = QRandomGenerator::global();
  for (int round = 0; round < 200; ++round) {
    QByteArray bytes(static_cast<int>(rng->bounded(600)), '\0');
    for (char &b : bytes) b = static_cast<char>(rng->bounded(256));
    if (round % 2) bytes.prepend("\xFF\xFE");
    WriteBytes(path, bytes);
    MemIniFile ini(path);
    ini.WriteString("falbes", "gongmi", "ok");
    ASSERT_NO_THROW(ini.UpdateFile());
    MemIniFile again(path);
    EXPECT_EQ(again.ReadString("falbes", "gongmi", "D"), "ok");
  }
}

TEST(MemIniFile, UnwritablePathRaisesAndKeepsNothingHalfWritten) {
  QTemporaryDir dir;
  WriteBytes(dir.filePath("file"), "x");
  MemIniFile ini(dir.filePath("file/inside.ini"));  // a folder that is a file
  ini.WriteString("s", "k", "v");
  EXPECT_THROW(ini.UpdateFile(), platform::Exception);
  EXPECT_EQ(ReadBytes(dir.filePath("file")), "x");
}
