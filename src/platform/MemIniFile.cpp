#include "platform/MemIniFile.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

#include "platform/Exception.h"

namespace platform {

namespace {
bool SameName(const QString &a, const QString &b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}
}  // namespace

MemIniFile::MemIniFile(QString fileName) : fileName_(std::move(fileName)) {
  QFile file(fileName_);
  if (file.exists() && file.open(QIODevice::ReadOnly)) SetText(Decode(file.readAll()));
}

QString MemIniFile::Decode(const QByteArray &bytes) {
  // Whatever the file holds is read as UTF-16 LE; a stray odd byte is dropped.
  int start = 0;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE)
    start = 2;
  const int units = (bytes.size() - start) / 2;
  QString text(units, Qt::Uninitialized);
  for (int i = 0; i < units; ++i) {
    const auto lo = static_cast<unsigned char>(bytes[start + 2 * i]);
    const auto hi = static_cast<unsigned char>(bytes[start + 2 * i + 1]);
    text[i] = QChar(static_cast<char16_t>(lo | (hi << 8)));
  }
  return text;
}

QByteArray MemIniFile::Encode(const QString &text) {
  QByteArray bytes;
  bytes.reserve(2 + text.size() * 2);
  bytes.append('\xFF').append('\xFE');
  for (QChar c : text) {
    const char16_t u = c.unicode();
    bytes.append(static_cast<char>(u & 0xFF)).append(static_cast<char>(u >> 8));
  }
  return bytes;
}

void MemIniFile::SetText(const QString &text) {
  sections_.clear();
  Section *current = nullptr;
  QString normalised = text;
  normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  const QStringList lines = normalised.split(QLatin1Char('\n'));
  for (const QString &raw : lines) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
      current = &FindOrAdd(line.mid(1, line.size() - 2).trimmed());
      continue;
    }
    if (!current) continue;  // lines outside any section are not kept
    const int eq = raw.indexOf(QLatin1Char('='));
    QString key = (eq < 0 ? raw : raw.left(eq)).trimmed();
    QString value = eq < 0 ? QString() : raw.mid(eq + 1);
    auto &values = current->values;
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const auto &kv) { return SameName(kv.first, key); });
    if (it == values.end())
      values.emplace_back(std::move(key), std::move(value));
    else
      it->second = std::move(value);
  }
}

QString MemIniFile::Text() const {
  QString text;
  for (const Section &s : sections_) {
    text += QLatin1Char('[') + s.name + QStringLiteral("]\r\n");
    for (const auto &[key, value] : s.values) text += key + QLatin1Char('=') + value + QStringLiteral("\r\n");
    text += QStringLiteral("\r\n");
  }
  return text;
}

const MemIniFile::Section *MemIniFile::Find(const QString &name) const {
  for (const Section &s : sections_)
    if (SameName(s.name, name)) return &s;
  return nullptr;
}

MemIniFile::Section &MemIniFile::FindOrAdd(const QString &name) {
  for (Section &s : sections_)
    if (SameName(s.name, name)) return s;
  sections_.push_back(Section{name, {}});
  return sections_.back();
}

QString MemIniFile::ReadString(const QString &section, const QString &key,
                               const QString &def) const {
  if (const Section *s = Find(section))
    for (const auto &kv : s->values)
      if (SameName(kv.first, key)) return kv.second;
  return def;
}

void MemIniFile::WriteString(const QString &section, const QString &key, const QString &value) {
  // A line break would split the entry into stray lines; keep the value on one line.
  QString flat = value;
  flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  Section &s = FindOrAdd(section);
  for (auto &kv : s.values)
    if (SameName(kv.first, key)) {
      kv.second = flat;
      return;
    }
  s.values.emplace_back(key, flat);
}

int MemIniFile::ReadInteger(const QString &section, const QString &key, int def) const {
  bool ok = false;
  const int value = ReadString(section, key, QString()).trimmed().toInt(&ok);
  return ok ? value : def;
}

bool MemIniFile::ReadBool(const QString &section, const QString &key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void MemIniFile::WriteBool(const QString &section, const QString &key, bool value) {
  WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList MemIniFile::Sections() const {
  QStringList names;
  for (const Section &s : sections_) names << s.name;
  return names;
}

QStringList MemIniFile::Keys(const QString &section) const {
  QStringList keys;
  if (const Section *s = Find(section))
    for (const auto &kv : s->values) keys << kv.first;
  return keys;
}

bool MemIniFile::ValueExists(const QString &section, const QString &key) const {
  return Keys(section).contains(key, Qt::CaseInsensitive);
}

void MemIniFile::DeleteKey(const QString &section, const QString &key) {
  for (Section &s : sections_)
    if (SameName(s.name, section))
      s.values.erase(std::remove_if(s.values.begin(), s.values.end(),
                                    [&](const auto &kv) { return SameName(kv.first, key); }),
                     s.values.end());
}

void MemIniFile::EraseSection(const QString &section) {
  sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                 [&](const Section &s) { return SameName(s.name, section); }),
                  sections_.end());
}

void MemIniFile::UpdateFile() const {
  QSaveFile file(fileName_);
  if (!file.open(QIODevice::WriteOnly))
    throw Exception(QStringLiteral("无法写入文件“%1”：%2").arg(fileName_, file.errorString()));
  const QByteArray bytes = Encode(Text());
  if (file.write(bytes) != bytes.size() || !file.commit())
    throw Exception(QStringLiteral("无法写入文件“%1”：%2").arg(fileName_, file.errorString()));
}

}  // namespace platform
