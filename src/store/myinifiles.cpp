#include "store/myinifiles.h"

#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"

namespace store {

QString SettingsFilePath() { return platform::ProgramFolder() + QStringLiteral("qvu.ini"); }

TMyIniFile::TMyIniFile(const QString &fileName) : platform::MemIniFile(fileName) {}

TMyIniFile::~TMyIniFile() {
  try {
    UpdateFile();
  } catch (const std::exception &e) {
    platform::ShowException(e);
  }
}

}  // namespace store
