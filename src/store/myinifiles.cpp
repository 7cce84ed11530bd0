#include "store/myinifiles.h"

#include "platform/MessageBoxes.h"

namespace store {

QString SettingsFilePath(const QString &programFolder) {
  return programFolder + QStringLiteral("qvu.ini");
}

TMyIniFile::TMyIniFile(const QString &fileName) : platform::MemIniFile(fileName) {}

TMyIniFile::~TMyIniFile() {
  try {
    UpdateFile();
  } catch (const std::exception &e) {
    platform::ShowException(e);
  }
}

}  // namespace store
