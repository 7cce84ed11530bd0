#include "PrintTestSupport.h"

#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>

void PrintTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  previous_handler_ = platform::SetBoxHandler([this](const platform::BoxRequest &r) {
    boxes_.push_back(r);
    return answer_;
  });
  UsePdfPrinter(600, QMarginsF(0.25, 0.125, 0.25, 0.5));
  po_ = std::make_unique<TMWPrintObject>();
  po_->SetShowProgress(false);
}

void PrintTest::TearDown() {
  if (po_ && po_->PrintingStatus()) po_->Abort();
  po_.reset();
  platform::SetBoxHandler(previous_handler_);
  auto mine = platform::SetPrinter(std::move(previous_printer_));
}

platform::PdfFileDevice &PrintTest::UsePdfPrinter(int resolution, QMarginsF unprintable) {
  auto device = std::make_unique<platform::PdfFileDevice>(PdfPath(), resolution, unprintable);
  platform::PdfFileDevice &ref = *device;
  auto old = platform::SetPrinter(std::move(device));
  if (!previous_printer_) previous_printer_ = std::move(old);
  return ref;
}

std::vector<CommandSet> PrintTest::Kinds(int page) const {
  std::vector<CommandSet> out;
  if (TMWPageList *p = JobPages ? JobPages->Get(page) : nullptr)
    for (const auto &c : p->Items) out.push_back(c->Command());
  return out;
}

std::vector<std::vector<PdfWord>> PdfWords(const QString &pdf) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  p.waitForFinished(30000);
  const QString html = QString::fromUtf8(p.readAllStandardOutput());
  std::vector<std::vector<PdfWord>> pages;
  static const QRegularExpression page(QStringLiteral("<page "));
  static const QRegularExpression word(QStringLiteral(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  for (const QString &chunk : html.split(page).mid(1)) {
    std::vector<PdfWord> words;
    auto it = word.globalMatch(chunk);
    while (it.hasNext()) {
      const auto m = it.next();
      words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                       m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    pages.push_back(words);
  }
  return pages;
}

QString PdfInfo(const QString &pdf, const QString &field) {
  QProcess p;
  p.start(QStringLiteral("pdfinfo"), {pdf});
  p.waitForFinished(30000);
  for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
    if (line.startsWith(field + QLatin1Char(':'))) return line.mid(field.size() + 1).trimmed();
  return {};
}

const char *KindName(CommandSet kind) {
  static const char *const names[] = {
      "Line",       "NewLine",      "NewPage",       "Graphic",     "WritePage", "DetailArea",
      "Font",       "FooterDim",    "FooterInf",     "GraphicFile", "HeaderDim", "HeaderInf",
      "LineWidth",  "Margins",      "Orient",        "PageNumber",  "Tab",       "TopOfPage",
      "SetY",       "Text",         "Column",        "SetPrint",    "GetPrint",  "SizeLetter",
      "SizeLegal",  "AutoPageTrue", "AutoPageFalse", "SaveY",       "RestoreY",  "FColor",
      "BColor",     "PColor",       "MoveTo",        "LineTo",      "Ellipse",   "BrushStyle",
      "FloodFill",  "FillRect",     "FrameRect",     "Arc",         "Pie",       "PolyLine",
      "Polygon",    "Measure",      "PStyle",        "PMode",       "FontAngle", "ColRight",
      "WriteRight", "Indent"};
  return kind < 50 ? names[kind] : "?";
}

std::string KindList(const std::vector<CommandSet> &kinds) {
  std::string s;
  for (CommandSet k : kinds) s += std::string(s.empty() ? "" : " ") + KindName(k);
  return s;
}

QImage RenderPdfPage(const QString &pdf, int page, int dpi, QSize area) {
  QTemporaryDir dir;
  const QString prefix = dir.filePath(QStringLiteral("page"));
  QStringList args{QStringLiteral("-r"),  QString::number(dpi),  QStringLiteral("-gray"),
                   QStringLiteral("-f"),  QString::number(page), QStringLiteral("-l"),
                   QString::number(page), QStringLiteral("-singlefile")};
  if (area.isValid())
    args << QStringLiteral("-x") << QStringLiteral("0") << QStringLiteral("-y")
         << QStringLiteral("0") << QStringLiteral("-W") << QString::number(area.width())
         << QStringLiteral("-H") << QString::number(area.height());
  QProcess p;
  p.start(QStringLiteral("pdftoppm"), args << pdf << prefix);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
  QImageReader reader(prefix + QStringLiteral(".pgm"));
  reader.setAllocationLimit(0);  // a whole sheet at printer resolution is large
  return reader.read().convertToFormat(QImage::Format_Grayscale8);
}

QRect DarkBox(const QImage &image, const QRect &within) {
  QRect box;
  const QRect area = within.intersected(image.rect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const uchar *row = image.constScanLine(y);
    for (int x = area.left(); x <= area.right(); ++x)
      if (row[x] < 128) box |= QRect(x, y, 1, 1);
  }
  return box;
}
