#pragma once
// The settings file "qvu.ini": opened for one access and written back whole
// when the object goes away.
#include "platform/MemIniFile.h"

namespace store {

// Section and keys of the program's settings.
inline const QString kSettingsSection = QStringLiteral("falbes");
inline const QString kShopNameKey = QStringLiteral("gongmi");
inline const QString kBarFormatKey = QStringLiteral("bardformat");
inline const QString kDefaultShopName = QStringLiteral("Tarvel科技：5550123");

// The settings file in the program folder (which ends with a separator).
QString SettingsFilePath(const QString &programFolder);

class TMyIniFile : public platform::MemIniFile {
 public:
  explicit TMyIniFile(const QString &fileName);
  // Writes the whole file back, changed or not; a failure to write is shown
  // in the standard error box.
  ~TMyIniFile() override;
};

}  // namespace store
