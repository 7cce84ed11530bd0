#pragma once
// Lets failing assertions show Qt strings as text instead of raw bytes.
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList &list, std::ostream *os) {
  *os << '{';
  for (int i = 0; i < list.size(); ++i) *os << (i ? ", \"" : "\"") << list[i].toStdString() << '"';
  *os << '}';
}
