// Where the program keeps its data: beside itself when it may write there,
// in the user's data folder otherwise.
#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/ProgramFolder.h"

TEST(DataFolder, BesideTheProgramWhenWritableElseTheUsersOwn) {
  QStandardPaths::setTestModeEnabled(true);  // never the real home folder
  QTemporaryDir dir;
  const QString writable = dir.path() + "/";
  EXPECT_EQ(platform::DataFolderFor(writable), writable);

  QFile blocker(dir.filePath("file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString notAFolder = dir.filePath("file") + "/";
  const QString own = platform::DataFolderFor(notAFolder);
  EXPECT_NE(own, notAFolder);
  EXPECT_TRUE(own.endsWith('/'));
  EXPECT_TRUE(own.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)))
      << own.toStdString();
}
