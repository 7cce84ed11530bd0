#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

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

void SetProgramFolder(const QString &folder) {
  Override() = folder.isEmpty() ? QString() : WithSeparator(QDir::cleanPath(folder));
}

}  // namespace platform
