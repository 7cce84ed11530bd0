#include "labelprint/LabelJob.h"

namespace labelprint {

DescriptorParts SplitDescriptor(const QString &descriptor) {
  DescriptorParts parts;
  if (!descriptor.contains(QLatin1Char(';'))) {
    parts.price = descriptor;
    return parts;
  }
  const QStringList elements = descriptor.split(QLatin1Char(';'));
  parts.barcode = elements.first();
  for (int i = 1; i + 1 < elements.size(); ++i) parts.lines << elements[i];
  parts.price = elements.last();
  return parts;
}

barcode::TBarType ChooseBarType(const QString &text) {
  for (int i = 0; i + 1 < text.size(); ++i) {
    const QChar c = text[i];
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) return barcode::bcCode128A;
  }
  return barcode::bcCodeEAN13;
}

QString TemplateLineValue(const QString &line) {
  const int eq = line.indexOf(QLatin1Char('='));
  QString value = eq < 0 ? QString() : line.mid(eq + 1);
  const int inner = value.indexOf(QLatin1Char('='));
  if (inner >= 0) value = value.mid(inner + 1);
  return value;
}

QString GridDescriptor(const QString &barcode, bool barcodeNull, const QStringList &sixLines,
                       const QString &price) {
  QString s = barcodeNull ? QStringLiteral("-;") : barcode.toUpper();
  for (const QString &line : sixLines)
    if (line.size() >= 3) s += QLatin1Char(';') + line;
  s += price.size() >= 3 ? QLatin1Char(';') + price : QStringLiteral(";-");
  return s;
}

QString TemplateDescriptor(const QStringList &lines) {
  QString s = QStringLiteral("-;");
  if (lines.isEmpty()) return s + QLatin1Char('-');
  // The barcode line: the value after the first '='; a second '=' leaves
  // only what follows it.
  {
    const QString &first = lines.first();
    const int eq = first.indexOf(QLatin1Char('='));
    const QString v = eq < 0 ? QString() : first.mid(eq + 1);
    const int inner = v.indexOf(QLatin1Char('='));
    if (inner >= 0)
      s = v.mid(inner + 1) + QLatin1Char(';');
    else if (v.size() >= kMinimumPrintedLength)
      s = v + QLatin1Char(';');
  }
  for (int i = 1; i + 1 < lines.size(); ++i) {
    const QString v = TemplateLineValue(lines[i]);
    if (v.size() >= kMinimumPrintedLength) s += v + QLatin1Char(';');
  }
  if (lines.size() >= 2) {
    const QString v = TemplateLineValue(lines.last());
    s += v.size() >= kMinimumPrintedLength ? v : QStringLiteral("-");
  } else {
    s += QLatin1Char('-');
  }
  return s;
}

}  // namespace labelprint
