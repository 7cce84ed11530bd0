#include "platform/PrinterDevice.h"

#include <gtest/gtest.h>

#include <QPageSize>
#include <QPainter>

#include "PrintTestSupport.h"

using platform::PageSizeForPaperCode;
using platform::PaperCodeForPageSize;

TEST(PaperCodes, MapToQtPageSizes) {
  struct Row {
    int code;
    QPageSize::PageSizeId id;
    const char *origin;
  } rows[] = {
      {1, QPageSize::Letter, "letter"},
      {5, QPageSize::Legal, "legal"},
      {9, QPageSize::A4, "A4"},
      {11, QPageSize::A5, "A5"},
      {14, QPageSize::FanFoldGermanLegal, "folio, 8.5 x 13 in, has no Qt name of its own"},
      {28, QPageSize::EnvelopeC5, "envelope C5, one of the three out-of-order codes"},
      {29, QPageSize::EnvelopeC3, "envelope C3"},
      {30, QPageSize::EnvelopeC4, "envelope C4"},
  };
  for (const Row &r : rows) {
    EXPECT_EQ(PageSizeForPaperCode(r.code), r.id) << r.origin;
    EXPECT_EQ(PaperCodeForPageSize(r.id), r.code) << r.origin;
  }
}

TEST(PaperCodes, EveryPaperSizeEntryHasAQtPageSize) {
  for (int i = 0; i < kPaperSizeCount; ++i) {
    const int code = PaperSizeData(static_cast<PaperSizes>(i)).deviceCode;
    EXPECT_NE(PageSizeForPaperCode(code), QPageSize::Custom) << "entry " << i << " code " << code;
  }
  EXPECT_EQ(PageSizeForPaperCode(0), QPageSize::Custom);
  EXPECT_EQ(PageSizeForPaperCode(500), QPageSize::Custom);
}

class PdfDevice : public PrintTest {};

TEST_F(PdfDevice, GeometryInDevicePixels) {
  // Strips of whole points, as PDF pages measure them.
  platform::PdfFileDevice &d = UsePdfPrinter(600, QMarginsF(0.25, 0.125, 0.25, 0.5));
  platform::DeviceSettings s;
  s.paperCode = 1;  // letter
  s.orientationCode = platform::kOrientationPortrait;
  d.ApplySettings(s);
  EXPECT_EQ(d.LogicalDpiX(), 600);
  EXPECT_EQ(d.PhysicalPageSize(), QSize(5100, 6600));
  EXPECT_EQ(d.PrintingOffset(), QPoint(150, 75));
  EXPECT_EQ(d.PrintableSize(), QSize(5100 - 300, 6600 - 75 - 300));

  s.orientationCode = platform::kOrientationLandscape;
  d.ApplySettings(s);
  EXPECT_EQ(d.PhysicalPageSize(), QSize(6600, 5100));
  EXPECT_EQ(d.Settings().orientationCode, platform::kOrientationLandscape);
}

TEST_F(PdfDevice, DocumentPagesAndPaperReachTheFile) {
  platform::PdfFileDevice &d = UsePdfPrinter(300);
  platform::DeviceSettings s;
  s.paperCode = 9;  // A4
  d.ApplySettings(s);
  ASSERT_TRUE(d.BeginDoc(QStringLiteral("Job title")));
  EXPECT_EQ(d.PageNumber(), 1);
  d.Painter()->drawText(QPoint(300, 300), QStringLiteral("first"));
  EXPECT_TRUE(d.NewPage());
  EXPECT_TRUE(d.NewPage());
  EXPECT_EQ(d.PageNumber(), 3);
  EXPECT_FALSE(d.BeginDoc(QStringLiteral("again"))) << "one document at a time";
  d.EndDoc();
  EXPECT_FALSE(d.Printing());
  EXPECT_EQ(d.Painter(), nullptr);

  EXPECT_EQ(PdfInfo(PdfPath(), QStringLiteral("Pages")), QStringLiteral("3"));
  EXPECT_TRUE(PdfInfo(PdfPath(), QStringLiteral("Page size")).startsWith(QStringLiteral("595")))
      << PdfInfo(PdfPath(), QStringLiteral("Page size")).toStdString();
  EXPECT_EQ(PdfInfo(PdfPath(), QStringLiteral("Title")), QStringLiteral("Job title"));
}

TEST_F(PdfDevice, PainterOriginIsThePrintableCorner) {
  platform::PdfFileDevice &d = UsePdfPrinter(600, QMarginsF(1, 0.5, 0, 0));
  ASSERT_TRUE(d.BeginDoc(QString()));
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(100);
  d.Painter()->setFont(f);
  d.Painter()->drawText(QPoint(0, 100), QStringLiteral("Origin"));
  d.EndDoc();
  const auto pages = PdfWords(PdfPath());
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].size(), 1u);
  EXPECT_NEAR(pages[0][0].xMin, 72.0, 2.0);  // 1 in unprintable strip on the left
}
