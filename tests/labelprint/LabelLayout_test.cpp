// Label layout judged on the printed PDF: pages, where each text lands,
// dotted edges, and barcodes a scanner reads.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include "PdfJudge.h"
#include "barcode/pBarCode.h"
#include "labelprint/LabelJob.h"
#include "labelprint/LabelLayout.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"
#include "platform/Picture.h"
#include "platform/PrinterDevice.h"

using labelprint::LabelLayout;

namespace {

class Layout : public LabelLayout {};

class LabelLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallFontSubstitutions();
    pdf = dir.filePath("labels.pdf");
    platform::SetPrinter(std::make_unique<platform::PdfFileDevice>(pdf, 600));
    previous = platform::SetBoxHandler([this](const platform::BoxRequest &r) {
      boxes << r.text;
      return platform::BoxAnswer::No;
    });
    labelprint::ConfigureLabelPrintObject(printObject);
    printObject.SetShowProgress(false);
    labelprint::ConfigureLabelBarcode(control);
    layout.MWPrintObject1 = &printObject;
    layout.BarCode1 = &control;
    layout.Image2 = &scratch;
    layout.Fgongmi = "小店";
  }
  void TearDown() override {
    platform::SetPrinter(nullptr);
    platform::SetBoxHandler(previous);
  }
  void Print(const QStringList &descriptors, bool formatOne = false) {
    layout.aabb = descriptors;
    layout.Fbarformated = formatOne;
    control.SetTextPosition(formatOne ? barcode::tpBottomLeft : barcode::tpBottomCenter);
    layout.RunBatch();
    platform::SetPrinter(nullptr);  // closes the document file
  }
  std::vector<pdfjudge::Word> WordsOnPage(int page, const QString &text) {
    std::vector<pdfjudge::Word> out;
    for (const auto &w : pdfjudge::Words(pdf))
      if (w.page == page && w.text == text) out.push_back(w);
    return out;
  }

  QTemporaryDir dir;
  QString pdf;
  QStringList boxes;
  platform::BoxHandler previous;
  TMWPrintObject printObject;
  barcode::TBarCode control;
  platform::Picture scratch;
  Layout layout;
};

}  // namespace

TEST(LabelGeometry, CellsAreTwoInchesWideAndOnePointSixHigh) {
  const auto g = labelprint::GeometryOf(1, 1);
  EXPECT_DOUBLE_EQ(g.x0, 2.25);
  EXPECT_DOUBLE_EQ(g.xt, 2.35);
  EXPECT_DOUBLE_EQ(g.xr, 4.0);
  EXPECT_NEAR(g.y0, 1.7, 1e-9);
  EXPECT_NEAR(labelprint::GeometryOf(3, 6).y0, 9.7, 1e-9);
  EXPECT_EQ(labelprint::UpperLatin("型号：ddd-98sw äb"), "型号：DDD-98SW äB");
}

TEST_F(LabelLayoutTest, PageCountFollowsTheLabelsWithoutATrailingBlankSheet) {
  struct Case {
    int labels;
    int pages;
  } cases[] = {{0, 1}, {1, 1}, {28, 1}, {29, 2}, {56, 2}, {57, 3}};
  for (const Case &c : cases) {
    SetUp();
    Print(QStringList(c.labels, "-;品名:裤子;单价:30"));
    EXPECT_EQ(pdfjudge::Pages(pdf), c.pages) << c.labels << " labels";
    TearDown();
  }
}

TEST_F(LabelLayoutTest, TheTwentyNinthLabelIsAloneAtTheTopLeftOfPageTwo) {
  QStringList labels(28, "-;X;-");
  labels << "-;LAST;-";
  Print(labels);
  const auto last = WordsOnPage(2, "LAST");
  ASSERT_EQ(last.size(), 1u);
  EXPECT_NEAR(last[0].xMin / 72, 0.35, 0.05);
  EXPECT_TRUE(WordsOnPage(2, "X").empty());
}

TEST_F(LabelLayoutTest, LabelFiveLandsInColumnOneRowOne) {
  QStringList labels(5, "-;-");
  labels << "6901028095884;l1;l2;l3;单价:1";
  Print(labels);
  // Text is written with its top at the given y; pdftotext's box starts a
  // little lower, at the top of the glyphs.
  auto top = [&](const QString &text) {
    const auto w = WordsOnPage(1, text);
    return w.empty() ? -1.0 : w[0].yMin / 72;
  };
  auto left = [&](const QString &text) {
    const auto w = WordsOnPage(1, text);
    return w.empty() ? -1.0 : w[0].xMin / 72;
  };
  EXPECT_NEAR(left("L1"), 2.35, 0.03);  // lines are upper-cased
  EXPECT_NEAR(top("L1"), 1.85, 0.06);
  EXPECT_NEAR(top("L2"), 2.0, 0.06);
  EXPECT_NEAR(top("L3"), 2.15, 0.06);
  EXPECT_NEAR(top("单价:1"), 2.72, 0.06);
  const auto shops = WordsOnPage(1, "小店");
  ASSERT_EQ(shops.size(), 6u);
  int inLabelFive = 0;
  for (const auto &shop : shops) {
    if (std::abs(shop.xMin / 72 - 2.35) > 0.05 || shop.yMin / 72 < 1.7) continue;
    ++inLabelFive;
    EXPECT_NEAR(shop.yMin / 72, 2.85, 0.06);
  }
  EXPECT_EQ(inLabelFive, 1);
  // 17 dots on each edge of this label, the last at 3.06; the bottom rule at 3.19.
  int leftDots = 0, rightDots = 0;
  double lowest = 0;
  for (const auto &w : pdfjudge::Words(pdf)) {
    if (w.text != "." || w.yMin / 72 < 1.7 || w.yMin / 72 > 3.3) continue;
    if (std::abs(w.xMin / 72 - 2.25) < 0.05) {
      ++leftDots;
      lowest = std::max(lowest, w.yMin / 72);
    }
    if (std::abs(w.xMin / 72 - 4.0) < 0.05) ++rightDots;
  }
  EXPECT_EQ(leftDots, 17);
  EXPECT_EQ(rightDots, 17);
  EXPECT_NEAR(lowest, 3.06, 0.06);
}

TEST_F(LabelLayoutTest, DotsFollowWhatTheLabelHolds) {
  // A barcode and a price: 12 dots with no lines, 14 with one, 17 with three, 18 with four.
  struct Case {
    QString descriptor;
    int dots;
  } cases[] = {{"6901028095884;单价:1", 12},
               {"6901028095884;a1;单价:1", 14},
               {"6901028095884;a1;a2;a3;单价:1", 17},
               {"6901028095884;a1;a2;a3;a4;单价:1", 18},
               {"6901028095884;a1;a2;a3;a4;a5;a6;单价:1", 18}};
  for (const Case &c : cases) {
    SetUp();
    Print({c.descriptor});
    int dots = 0;
    for (const auto &w : pdfjudge::Words(pdf))
      if (w.text == "." && std::abs(w.xMin / 72 - 0.25) < 0.05) ++dots;
    EXPECT_EQ(dots, c.dots) << c.descriptor.toStdString();
    TearDown();
  }
}

TEST_F(LabelLayoutTest, BarcodesOnThePageScan) {
  Print({"6901028095884;品名:衣服;单价:28", "ABC-123;x1;-", "-;no barcode;单价:5"}, true);
  QStringList found = pdfjudge::Barcodes(pdf, 300);
  found.sort();
  EXPECT_EQ(found, (QStringList{"CODE-128:ABC-123", "EAN-13:6901028095884"}));
  EXPECT_TRUE(boxes.isEmpty()) << boxes.join("\n").toStdString();
}

TEST_F(LabelLayoutTest, RefusedBarcodeStopsTheBatchAtThatLabel) {
  layout.aabb = {"6901028095884;ok;-", "12345A;bad;-", "-;never;-"};
  try {
    layout.RunBatch();
    FAIL() << "a barcode the control refuses must stop the batch";
  } catch (const std::exception &e) {
    EXPECT_EQ(layout.CurrentLabel, 1);
    EXPECT_TRUE(QString::fromUtf8(e.what()).contains("12345A")) << e.what();
  }
  printObject.Abort();
  platform::SetPrinter(nullptr);
  EXPECT_EQ(pdfjudge::Pages(pdf), -1);  // nothing printed
}

TEST_F(LabelLayoutTest, NoPrinterEndsTheJobQuietlyAfterSayingSo) {
  platform::SetPrinter(std::make_unique<platform::SystemPrinterDevice>());
  if (!platform::Printer().Printers().isEmpty()) GTEST_SKIP() << "this machine has printers";
  layout.aabb = {"-;x;-"};
  layout.RunBatch();
  EXPECT_FALSE(layout.JobStarted);
  EXPECT_EQ(boxes, QStringList{"打印机没有安装."});
}

// Every barcode on a full page scans: all 28 cells, EAN-13 (short texts are
// zero-padded) and Code 128 A, 0 to 6 text lines, with and without price, in
// both formats, rasterised at 300 and 600 dpi.
TEST_F(LabelLayoutTest, EveryBarcodeOfAFullPageScansInBothFormats) {
  auto ean = [](qint64 n) {
    QString d = QString::number(n).rightJustified(12, '0');
    int sum = 0;
    for (int i = 0; i < 12; ++i) sum += d[i].digitValue() * (i % 2 ? 3 : 1);
    return d + QString::number((10 - sum % 10) % 10);
  };
  for (bool formatOne : {true, false}) {
    SetUp();
    QStringList labels;
    QStringList expected;
    for (int k = 0; k < 28; ++k) {
      QString code;
      if (k % 3 == 0) {
        code = QString("C%1-X").arg(k);  // a capital before the end: Code 128 A
        expected << "CODE-128:" + code;
      } else if (k % 7 == 1) {
        const QString full = ean(4711000 + k);  // a short text: the engine pads it with zeros
        code = QString::number(full.toLongLong());
        expected << "EAN-13:" + full;
      } else {
        code = ean(690102800000LL + k);
        expected << "EAN-13:" + code;
      }
      QString d = code;
      for (int line = 0; line < k % 7; ++line) d += QString(";line %1").arg(line);
      d += k % 2 ? ";单价:9.90" : ";-";
      labels << d;
    }
    Print(labels, formatOne);
    expected.sort();
    for (int dpi : {300, 600}) {
      QStringList found = pdfjudge::Barcodes(pdf, dpi);
      found.sort();
      for (const QString &e : expected)
        EXPECT_TRUE(found.contains(e)) << e.toStdString() << " at " << dpi << " dpi, format "
                                       << (formatOne ? "one" : "two");
    }
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join("\n").toStdString();
    TearDown();
  }
}
