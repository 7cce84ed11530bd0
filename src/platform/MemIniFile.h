#pragma once
// An ini file held wholly in memory: sections of key=value lines, names
// compared without regard to case, the first '=' of a line separating key
// and value. The text is UTF-16 little-endian with a byte-order mark and
// CRLF line ends; every section is followed by one empty line.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace platform {

class MemIniFile {
 public:
  // Loads the file when it exists; a missing file reads as empty.
  explicit MemIniFile(QString fileName);
  virtual ~MemIniFile() = default;
  MemIniFile(const MemIniFile &) = delete;
  MemIniFile &operator=(const MemIniFile &) = delete;

  const QString &FileName() const { return fileName_; }

  QString ReadString(const QString &section, const QString &key, const QString &def) const;
  void WriteString(const QString &section, const QString &key, const QString &value);
  // Booleans are whole numbers: 0 is false, any other number true; a missing
  // or unreadable value gives the default.
  bool ReadBool(const QString &section, const QString &key, bool def) const;
  void WriteBool(const QString &section, const QString &key, bool value);
  int ReadInteger(const QString &section, const QString &key, int def) const;

  QStringList Sections() const;
  QStringList Keys(const QString &section) const;
  bool ValueExists(const QString &section, const QString &key) const;
  void DeleteKey(const QString &section, const QString &key);
  void EraseSection(const QString &section);

  // The file's text and bytes as they would be written.
  QString Text() const;
  static QByteArray Encode(const QString &text);
  // Replaces the memory copy with parsed text; bytes are read as UTF-16.
  void SetText(const QString &text);
  static QString Decode(const QByteArray &bytes);

  // Writes the whole memory copy to the file; raises on failure. The old file
  // is replaced only once the new one is completely written.
  void UpdateFile() const;

 private:
  struct Section {
    QString name;
    std::vector<std::pair<QString, QString>> values;
  };
  const Section *Find(const QString &name) const;
  Section &FindOrAdd(const QString &name);

  QString fileName_;
  std::vector<Section> sections_;
};

}  // namespace platform
