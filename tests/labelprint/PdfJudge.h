#pragma once
// Independent judges of a printed PDF: pdfinfo for pages, pdftotext -bbox for
// where text landed (in points, 72 to the inch), pdftoppm + zbarimg for the
// barcodes a scanner reads.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace pdfjudge {

inline QString Run(const QString &program, const QStringList &args, int *exitCode = nullptr) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(120000);
  if (exitCode) *exitCode = p.exitCode();
  return QString::fromUtf8(p.readAllStandardOutput());
}

inline int Pages(const QString &pdf) {
  const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
  const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

struct Word {
  int page;
  double xMin, yMin, xMax, yMax;  // points
  QString text;
};

inline std::vector<Word> Words(const QString &pdf) {
  const QString html = Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  std::vector<Word> words;
  int page = 0;
  static const QRegularExpression token(
      QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                     "yMax=\"([\\d.]+)\">([^<]*)</word>"));
  for (auto it = token.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    if (m.captured(0).startsWith(QStringLiteral("<page"))) {
      ++page;
      continue;
    }
    QString text = m.captured(5);
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&")).replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    // CJK fonts share glyphs between ideographs and their radicals, so text
    // comes back as either; compatibility normalisation folds them together.
    words.push_back(Word{page, m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble(),
                         text.normalized(QString::NormalizationForm_KC)});
  }
  return words;
}

// The text of the whole document, folded as above.
inline QString Text(const QString &pdf) {
  return Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
      .normalized(QString::NormalizationForm_KC);
}

// Data of every barcode zbarimg finds on the pages, in reading order per page.
inline QStringList Barcodes(const QString &pdf, int dpi = 300) {
  QTemporaryDir dir;
  Run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                   pdf, dir.filePath(QStringLiteral("page"))});
  QStringList found;
  const QStringList pages = QDir(dir.path()).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
  for (const QString &png : pages) {
    const QString out = Run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), dir.filePath(png)});
    for (const QString &line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) found << line.trimmed();
  }
  return found;
}

}  // namespace pdfjudge
