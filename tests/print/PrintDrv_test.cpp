#include "print/PrintDrv.h"

#include <gtest/gtest.h>

#include "PrintTestSupport.h"
#include "platform/Canvas.h"

TEST(PrintObjectDefaults, PropertiesAsPublished) {
  TMWPrintObject po;
  EXPECT_FALSE(po.AutomaticPaging());
  EXPECT_TRUE(po.Title().isEmpty());
  EXPECT_FALSE(po.Preview());
  EXPECT_TRUE(po.ShowProgress());
  EXPECT_TRUE(po.ShowPrintDialog());
  EXPECT_EQ(po.Orientation(), poPortrait);
  EXPECT_TRUE(po.ShowTotalPages());
  EXPECT_FALSE(po.PrintPageNumbers());
  EXPECT_EQ(po.ProgressBarMax(), 100);
  EXPECT_EQ(po.ProgressBarInc(), 1);
  EXPECT_FALSE(po.Transparent());
  EXPECT_EQ(po.StartPercent(), P6_Full);
  EXPECT_EQ(po.PaperSize(), PAPER_LETTER);
  EXPECT_FALSE(po.ShowCancelBtn());
  EXPECT_EQ(po.Measurement(), mtInches);
  EXPECT_EQ(po.ProgressFormColor(), clInfoBk);
  EXPECT_EQ(po.ProgressTextColor(), clBlack);
  EXPECT_TRUE(po.AutoPageFeed());
  EXPECT_TRUE(po.PreviewMode);
  EXPECT_EQ(po.ScaleByValue, 1.0f);
  EXPECT_FALSE(po.PrintingStatus());
  po.SetVersion(QStringLiteral("V 9"));
  EXPECT_EQ(po.Version(), QStringLiteral("V 3.3"));
}

// Conversions in single precision, at the resolutions of a screen and a printer.
TEST(PrintObjectUnits, ConversionsAsWritten) {
  TMWPrintObject po;
  struct Row {
    int ppi;
    float scale;
    const char *op;
    float in;
    float expected;
    const char *origin;
  } rows[] = {
      {600, 1, "InchesToPixels", 1.5f, 900, "worked example"},
      {600, 1, "MMToPixels", 25.4f, 600, "worked example"},
      {600, 1, "PixelsToInches", 300, 0.5f, "worked example"},
      {600, 1, "PixelsToMM", 300, 12.7f, "worked example"},
      {600, 1, "InchesToPixels", -0.001f, 0, "-0.6 truncated toward zero"},
      {96, 0.5f, "InchesToPixels", 2, 96, "zoom enters inches to pixels"},
      {96, 0.5f, "PixelsToInches", 96, 1.0f, "but not pixels to inches"},
      {96, 1, "InchesToPixels", 8.3f, 796, "A4 width on screen"},
      {96, 1, "MMToPixels", 10, 37, "10 mm = 37.8 px, truncated"},
      {96, 1, "PixelsToMM", 96, 25.4f, "one inch"},
      {96, 0.6f, "InchesToPixels", 1, 57, "96 x 0.6 = 57.6, truncated"},
  };
  for (const Row &r : rows) {
    po.PixelsPerInchHorizontal = po.PixelsPerInchVertical = r.ppi;
    po.ScaleByValue = r.scale;
    const std::string op = r.op;
    float h = 0, v = 0;
    if (op == "InchesToPixels") {
      h = float(po.InchesToPixelsHorizontal(r.in));
      v = float(po.InchesToPixelsVertical(r.in));
    } else if (op == "MMToPixels") {
      h = float(po.MMToPixelsHorizontal(r.in));
      v = float(po.MMToPixelsVertical(r.in));
    } else if (op == "PixelsToInches") {
      h = po.PixelsToInchesHorizontal(int(r.in));
      v = po.PixelsToInchesVertical(int(r.in));
    } else {
      h = po.PixelsToMMHorizontal(int(r.in));
      v = po.PixelsToMMVertical(int(r.in));
    }
    EXPECT_EQ(h, r.expected) << op << "(" << r.in << ") at " << r.ppi << " ppi, zoom " << r.scale
                             << ": " << r.origin;
    EXPECT_EQ(v, r.expected) << op << " vertical: " << r.origin;
  }
  EXPECT_EQ(po.MMToInches(25.4f), 1.0f);
  EXPECT_EQ(po.InchesToMM(0.5f), 12.7f);
  po.PixelsPerInchHorizontal = po.PixelsPerInchVertical = 600;
  std::uint16_t x = 0, y = 0;
  po.GetPixelsPerMM(x, y);
  EXPECT_EQ(x, 23);  // 600 / 25.4 = 23.6
  EXPECT_EQ(y, 23);
}

class PrintJob : public PrintTest {};

TEST_F(PrintJob, StartWithoutPrinterShowsTheMessageAndStaysIdle) {
  platform::SetPrinter(std::make_unique<NoPrinterDevice>(PdfPath()));
  EXPECT_FALSE(po_->Start());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, QStringLiteral("打印机没有安装."));
  EXPECT_FALSE(po_->PrintingStatus());
  EXPECT_FALSE(po_->DryRun);
  EXPECT_EQ(JobPages, nullptr);
  EXPECT_EQ(CurrentPreview, nullptr);
  EXPECT_EQ(po_->GetPageNumber(), -1);
}

TEST_F(PrintJob, StartRecordsPrintableAreaAndPagingMode) {
  po_->SetMeasurement(mtMM);
  po_->SetPaperSize(PAPER_A4);
  po_->SetAutomaticPaging(true);
  ASSERT_TRUE(po_->Start());
  EXPECT_TRUE(po_->DryRun);
  EXPECT_EQ(TotalPages, 1);
  EXPECT_EQ(JobPages->FirstPage, 1);
  EXPECT_EQ(JobPages->LastPage, 1);
  EXPECT_EQ(platform::Printer().Settings().paperCode, 9) << "A4 is written to the printer";
  EXPECT_EQ(PaperWidthInches, 8.3f);
  EXPECT_EQ(po_->TotalPageWidthPixels, 796);
  EXPECT_EQ(po_->TotalPageHeightPixels, 1123);
  EXPECT_EQ(po_->GutterLeft, 0) << "the preview page has no unprintable strips";
  EXPECT_EQ(KindList(Kinds(1)), "Margins AutoPageTrue");
  auto m = Records<TMWMargins>(1, commMargins);
  // Millimetres or not, the default margins are the page in inches.
  EXPECT_EQ(m[0]->X1(), 0.0f);
  EXPECT_EQ(m[0]->Y1(), po_->PixelsToInchesVertical(1123));
  EXPECT_EQ(m[0]->Y2(), po_->PixelsToInchesHorizontal(796));
  EXPECT_EQ(po_->RightMargin, 796);
  EXPECT_EQ(po_->BottomMargin, 1123);
  EXPECT_EQ(po_->GetPageNumber(), 1);
}

TEST_F(PrintJob, AbortReleasesTheJobAndGivesThePrinterItsSettingsBack) {
  platform::DeviceSettings own;
  own.paperCode = 1;
  own.orientationCode = platform::kOrientationLandscape;
  platform::Printer().ApplySettings(own);
  int done = 0;
  po_->PrintDone = [&](QObject *) { ++done; };
  po_->SetPaperSize(PAPER_A5);
  ASSERT_TRUE(po_->Start());
  EXPECT_EQ(platform::Printer().Settings().paperCode, 11);
  EXPECT_EQ(platform::Printer().Settings().orientationCode, platform::kOrientationPortrait);
  po_->CreateColumn(2, 1, 2);
  po_->Abort();
  EXPECT_FALSE(po_->PrintingStatus());
  EXPECT_EQ(JobPages, nullptr);
  EXPECT_EQ(TotalPages, 0);
  EXPECT_EQ(done, 1);
  EXPECT_EQ(po_->ColumnInformation[1].Length, 0.0f);
  EXPECT_EQ(platform::Printer().Settings().paperCode, 1);
  EXPECT_EQ(platform::Printer().Settings().orientationCode, platform::kOrientationLandscape);
}

TEST_F(PrintJob, MarginCorrectionsOnALetterPreviewPage) {
  ASSERT_TRUE(po_->Start());  // letter, 816 x 1056 at 96 ppi
  struct Row {
    float top, bottom, left, right;
    int topPx, bottomPx, leftPx, rightPx;
    const char *origin;
  } rows[] = {
      {1, 10, 1, 7.5f, 0, 1056, 96, 720,
       "left + right = width is kept; top + bottom = height is reset"},
      {1, 10, 1.5f, 7.5f, 0, 1056, 0, 816, "left + right above the width is reset"},
      {1, 9.5f, 0, 7, 96, 912, 0, 672, "a left of 0 becomes the page edge"},
      {0.5f, -1, 1, -2, 48, 1056, 96, 816, "negative bottom and right become the page edges"},
  };
  for (const Row &r : rows) {
    po_->SetMargins(r.top, r.bottom, r.left, r.right);
    EXPECT_EQ(po_->TopMargin, r.topPx) << r.origin;
    EXPECT_EQ(po_->BottomMargin, r.bottomPx) << r.origin;
    EXPECT_EQ(po_->LeftMargin, r.leftPx) << r.origin;
    EXPECT_EQ(po_->RightMargin, r.rightPx) << r.origin;
  }
  // The record holds the values as given, before the corrections.
  auto m = Records<TMWMargins>(1, commMargins);
  ASSERT_EQ(m.size(), 5u);
  EXPECT_EQ(m[2]->X2(), 1.5f);
  EXPECT_EQ(m[2]->Y2(), 7.5f);
}

TEST_F(PrintJob, MarginsOnAPrinterPageRespectItsUnprintableStrips) {
  // 600 ppi letter with 0.25 in left and right, 0.125 in top and 0.5 in bottom strips.
  platform::PdfFileDevice &pdf = UsePdfPrinter(600, QMarginsF(0.25, 0.125, 0.25, 0.5));
  ASSERT_TRUE(po_->Start());
  ASSERT_TRUE(pdf.BeginDoc(QString()));
  po_->TheCanvas = pdf.Canvas();
  po_->PreviewMode = false;
  po_->DryRun = false;
  po_->CalculateMeasurements();
  EXPECT_EQ(po_->PixelsPerInchHorizontal, 600);
  EXPECT_EQ(po_->TotalPageWidthPixels, 5100);
  EXPECT_EQ(po_->TotalPageHeightPixels, 6600);
  EXPECT_EQ(po_->GutterLeft, 150);
  EXPECT_EQ(po_->GutterTop, 75);
  EXPECT_EQ(po_->GutterRight, 150);
  EXPECT_EQ(po_->GutterBottom, 300);
  std::uint16_t w = 0, h = 0;
  po_->GetPixelsPerPage(w, h);
  EXPECT_EQ(w, 4800);
  EXPECT_EQ(h, 6225);

  po_->SetMargins(0, 0, 0, 0);  // everything falls back to the printable area
  EXPECT_EQ(po_->TopMargin, 75);
  EXPECT_EQ(po_->BottomMargin, 6600 - 300);
  EXPECT_EQ(po_->LeftMargin, 150);
  EXPECT_EQ(po_->RightMargin, 5100 - 150);
  po_->SetMargins(1, 9, 1.5f, 7);
  EXPECT_EQ(po_->TopMargin, 600);
  EXPECT_EQ(po_->BottomMargin, 5400);
  EXPECT_EQ(po_->LeftMargin, 900);
  EXPECT_EQ(po_->RightMargin, 4200);
  po_->SetMargins(0.1f, 10.9f, 0.1f, 8.4f);  // inside the strips: clamped to them
  EXPECT_EQ(po_->TopMargin, 75);
  EXPECT_EQ(po_->BottomMargin, 6300);
  EXPECT_EQ(po_->LeftMargin, 150);
  EXPECT_EQ(po_->RightMargin, 4950);
  pdf.EndDoc();
  po_->TheCanvas = nullptr;
}

TEST_F(PrintJob, ConvertedArgumentsAreRecordedInInches) {
  ASSERT_TRUE(po_->Start());
  po_->SetMeasure(mtMM);
  po_->SetYPosition(25.4f);
  po_->CreateColumn(1, 12.7f, 50.8f);
  po_->SetMeasure(mtPixels);
  po_->SetYPosition(48.9f);  // pixels are truncated first
  po_->SetTab(96);
  EXPECT_EQ(KindList(Kinds(1)), "Margins AutoPageFalse Measure SetY Column Measure SetY Tab");
  auto ys = Records<TMWSetY>(1, commSetY);
  EXPECT_EQ(ys[0]->yPosition(), 1.0f);
  EXPECT_EQ(ys[1]->yPosition(), 0.5f);
  auto col = Records<TMWColumn>(1, commColumn);
  EXPECT_EQ(col[0]->XPosition(), 0.5f);
  EXPECT_EQ(col[0]->Length(), 2.0f);
  EXPECT_EQ(Records<TMWTab>(1, commTab)[0]->Tab(), 1.0f);
  EXPECT_EQ(Records<TMWMeasure>(1, commMeasure)[1]->Measure, int(mtPixels));
  // Getters answer in the caller's unit.
  EXPECT_EQ(po_->GetYPosition(), 48.0f);
  EXPECT_EQ(po_->GetColumnLeft(1), 48.0f);
  EXPECT_EQ(po_->GetColumnRight(1), 240.0f);
  po_->SetMeasure(mtMM);
  EXPECT_EQ(po_->GetColumnWidth(1), 50.8f);
}

TEST_F(PrintJob, ColumnNumbersOutsideOneToTwentyAreRefused) {
  ASSERT_TRUE(po_->Start());
  for (int number : {0, 21}) {
    boxes_.clear();
    po_->CreateColumn(static_cast<std::uint16_t>(number), 1, 1);
    ASSERT_EQ(boxes_.size(), 1u) << number;
    EXPECT_EQ(boxes_[0].text, QStringLiteral("Column value must be between 1 and 20.")) << number;
  }
  EXPECT_TRUE(Records<TMWColumn>(1, commColumn).empty());
  boxes_.clear();
  po_->CreateColumn(20, 6, 1.5f);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(po_->GetColumnRight(20), 7.5f);
}

TEST_F(PrintJob, OutsideAJobNothingIsRecordedOrChanged) {
  po_->SetYPosition(3);
  po_->CreateColumn(1, 1, 1);
  po_->WriteLine(1, 1, QStringLiteral("x"));
  EXPECT_EQ(po_->LastYPosition, 0.0f);
  EXPECT_EQ(po_->ColumnInformation[0].Length, 0.0f);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(PrintJob, LinePositionStackCountsBeyondTen) {
  ASSERT_TRUE(po_->Start());
  for (int i = 1; i <= 12; ++i) {
    po_->LastYPosition = float(i);
    po_->SaveCurrentY();
  }
  EXPECT_EQ(po_->CurrentYRecord, 12);
  po_->LastYPosition = 99;
  po_->RestoreCurrentY();  // 12: holds nothing
  po_->RestoreCurrentY();  // 11: holds nothing
  EXPECT_EQ(po_->LastYPosition, 99.0f);
  po_->RestoreCurrentY();
  EXPECT_EQ(po_->LastYPosition, 10.0f);
  po_->RestoreCurrentY();
  EXPECT_EQ(po_->LastYPosition, 9.0f);
  EXPECT_EQ(po_->CurrentYRecord, 8);
  EXPECT_EQ(Records<TMWPrintCommand>(1, commSaveY).size(), 12u);
  EXPECT_EQ(Records<TMWPrintCommand>(1, commRestoreY).size(), 4u);
  while (po_->CurrentYRecord > 0) po_->RestoreCurrentY();
  po_->RestoreCurrentY();
  EXPECT_EQ(po_->CurrentYRecord, 0) << "never below 0";
}

TEST_F(PrintJob, FontStackRestoresAndRecordsFonts) {
  ASSERT_TRUE(po_->Start());
  po_->SetFontInfo(TFont(QStringLiteral("Arial"), 10, 0, clBlack));
  po_->SaveCurrentFont();
  po_->SetFontInfo(TFont(QStringLiteral("宋体"), 14, fsBold, 0x0000FF));
  po_->SaveCurrentFont();
  po_->SetFontSize(20);
  EXPECT_EQ(po_->GetFontSize(), 20);
  po_->RestoreCurrentFont();
  EXPECT_EQ(po_->GetFontName(), QStringLiteral("宋体"));
  EXPECT_EQ(po_->GetFontSize(), 14);
  po_->RestoreCurrentFont();
  EXPECT_EQ(po_->GetFontName(), QStringLiteral("Arial"));
  EXPECT_EQ(po_->GetFontStyle(), 0);
  EXPECT_EQ(po_->CurrentFontRecord, 0);
  po_->RestoreCurrentFont();  // empty stack: nothing happens
  auto fonts = Records<TMWFont>(1, commFont);
  ASSERT_EQ(fonts.size(), 5u) << "two set, one size, two restores";
  EXPECT_EQ(fonts[2]->Size(), 20);
  EXPECT_EQ(fonts[3]->Name(), QStringLiteral("宋体"));
  EXPECT_EQ(fonts[4]->Name(), QStringLiteral("Arial"));

  // Beyond ten saves the surplus holds nothing, but restoring unwinds to the tenth.
  for (int i = 1; i <= 11; ++i) {
    po_->SetFontSize(static_cast<std::uint16_t>(i));
    po_->SaveCurrentFont();
  }
  po_->SetFontSize(50);
  po_->RestoreCurrentFont();
  EXPECT_EQ(po_->GetFontSize(), 50);
  po_->RestoreCurrentFont();
  EXPECT_EQ(po_->GetFontSize(), 10);
}

TEST(LineBytes, ChineseCodePageRoundTripsAndCutsAt240Bytes) {
  const QString mixed = QStringLiteral("第 %d 页 价格: 12.50 元 (ABC)");
  EXPECT_EQ(FromLineBytes(ToLineBytes(mixed)), mixed);
  EXPECT_EQ(ToLineBytes(QStringLiteral("价")).size(), 2) << "two bytes a Chinese character";

  struct Row {
    QString text;
    int bytes;
    QString kept;
    const char *origin;
  } rows[] = {
      {QString(300, QLatin1Char('a')), 240, QString(240, QLatin1Char('a')),
       "300 ASCII characters keep 240"},
      {QString(150, QChar(0x4EF7)), 240, QString(120, QChar(0x4EF7)),
       "150 Chinese characters keep 120"},
      {QStringLiteral("A") + QString(150, QChar(0x4EF7)), 239,
       QStringLiteral("A") + QString(119, QChar(0x4EF7)),
       "a character cut in half is dropped whole"},
  };
  for (const Row &r : rows) {
    const QByteArray bytes = ToLineBytes(r.text);
    EXPECT_EQ(bytes.size(), r.bytes) << r.origin;
    EXPECT_EQ(FromLineBytes(bytes), r.kept) << r.origin;
  }
}

TEST_F(PrintJob, HeaderTextIsCutButRecordedWhole) {
  ASSERT_TRUE(po_->Start());
  const QString chinese = QString(130, QChar(0x6807));  // 260 bytes
  const TFont font(QStringLiteral("宋体"), 12, fsBold, clBlack);
  po_->SetHeaderInfo(1, 0.5f, chinese, 1, font);
  po_->SetFooterInfo(10, 10.5f, QString(300, QLatin1Char('f')), 0, font);
  po_->SetHeaderInfo(11, 0.5f, QStringLiteral("ignored"), 0, font);
  EXPECT_EQ(po_->Header[0].Text.size(), 240);
  EXPECT_EQ(FromLineBytes(po_->Header[0].Text), QString(120, QChar(0x6807)));
  EXPECT_EQ(po_->Footer[9].Text.size(), 240);
  ASSERT_NE(po_->Header[0].Font, nullptr);
  EXPECT_EQ(po_->Header[0].Font->Name(), QStringLiteral("宋体"));
  auto h = Records<TMWHeaderInf>(1, commHeaderInf);
  ASSERT_EQ(h.size(), 1u) << "line 11 is ignored";
  EXPECT_EQ(h[0]->Text(), chinese);
  EXPECT_EQ(Records<TMWFooterInf>(1, commFooterInf).size(), 1u);
}

TEST_F(PrintJob, PageNumberPrintsTheFixedFormat) {
  ASSERT_TRUE(po_->Start());
  po_->SetPageNumberInfo(10, QStringLiteral("Page %d"), 2, false, TFont());
  EXPECT_EQ(FromLineBytes(po_->PageNumber.Text), QStringLiteral("第 %d 页"));
  EXPECT_FALSE(po_->ShowTotalPages());
  auto n = Records<TMWPageNumber>(1, commPageNumber);
  ASSERT_EQ(n.size(), 1u);
  EXPECT_EQ(n[0]->Text(), QStringLiteral("Page %d")) << "the given text lives only in the record";
}

TEST_F(PrintJob, LineCountsAndPageNumbers) {
  ASSERT_TRUE(po_->Start());
  po_->SetFontInfo(TFont(QStringLiteral("DejaVu Sans"), 12));
  const int h = po_->GetLineHeightPixels();
  ASSERT_GT(h, 0);
  EXPECT_EQ(po_->LinesToPixels(0), 0);
  EXPECT_EQ(po_->LinesToPixels(1), 0);
  EXPECT_EQ(po_->LinesToPixels(3), 2 * h);
  EXPECT_EQ(po_->GetLinesPerPage(), 1056 / h);
  po_->SetDetailTopBottom(1, 2);
  EXPECT_EQ(po_->GetLinesInDetailArea(), 96 / h);
  EXPECT_EQ(po_->LastYPosition, 1 - po_->GetLineHeightInches()) << "one line above the detail area";
  EXPECT_EQ(po_->GetPageNumber(), 1);
  po_->Abort();

  // Direct mode has no page numbers.
  QImage image(100, 100, QImage::Format_RGB32);
  platform::Canvas canvas(&image);
  po_->SetPrinterCanvas(&canvas);
  ASSERT_TRUE(po_->Start());
  EXPECT_EQ(po_->GetPageNumber(), -1);
  po_->Abort();
}
