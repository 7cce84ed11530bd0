#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {
QString &Override() {
  static QString folder;
  return folder;
}
QString WithSeparator(QString folder) {
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}
}  // namespace

QString ProgramFolder() {
  if (!Override().isEmpty()) return Override();
  return WithSeparator(QDir::cleanPath(QCoreApplication::applicationDirPath()));
}

QString DataFolderFor(const QString &programFolder) {
  const QFileInfo folder(programFolder);
  if (folder.isDir() && folder.isWritable()) return programFolder;
  const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return own.isEmpty() ? programFolder : WithSeparator(QDir::cleanPath(own));
}

void SetProgramFolder(const QString &folder) {
  Override() = folder.isEmpty() ? QString() : WithSeparator(QDir::cleanPath(folder));
}

}  // namespace platform
