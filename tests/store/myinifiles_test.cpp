// The settings object: every access writes the whole file back when done,
// and a failure to write is shown, not thrown.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/MessageBoxes.h"
#include "store/myinifiles.h"

using store::TMyIniFile;

TEST(TMyIniFile, ReadingAloneCreatesTheFileInUtf16) {
  QTemporaryDir dir;
  const QString path = dir.filePath("qvu.ini");
  {
    TMyIniFile ini(path);
    EXPECT_EQ(ini.ReadString(store::kSettingsSection, store::kShopNameKey, store::kDefaultShopName),
              "Tarvel科技：5550123");
    EXPECT_TRUE(ini.ReadBool(store::kSettingsSection, store::kBarFormatKey, true));
  }
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("\xFF\xFE", 2));
}

TEST(TMyIniFile, EachAccessSeesThePreviousOnesWrite) {
  QTemporaryDir dir;
  const QString path = dir.filePath("qvu.ini");
  { TMyIniFile(path).WriteString("falbes", "gongmi", "店=名;1"); }
  { TMyIniFile(path).WriteBool("falbes", "bardformat", false); }
  TMyIniFile ini(path);
  EXPECT_EQ(ini.ReadString("FALBES", "GONGMI", "d"), "店=名;1");
  EXPECT_FALSE(ini.ReadBool("falbes", "bardformat", true));
}

TEST(TMyIniFile, WriteFailureIsShownInTheErrorBox) {
  QTemporaryDir dir;
  QFile blocker(dir.filePath("notafolder"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  QStringList shown;
  auto previous = platform::SetBoxHandler([&](const platform::BoxRequest &r) {
    if (r.kind == platform::BoxKind::Error) shown << r.text;
    return platform::BoxAnswer::Ok;
  });
  { TMyIniFile ini(dir.filePath("notafolder/qvu.ini")); }
  platform::SetBoxHandler(previous);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0].contains("qvu.ini")) << shown[0].toStdString();
}
