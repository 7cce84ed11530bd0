#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "PrintTestSupport.h"
#include "platform/Canvas.h"
#include "print/PrintDrv.h"

namespace {
const TFont kMono(QStringLiteral("DejaVu Sans Mono"), 10, 0, clBlack);
const TFont kSans(QStringLiteral("DejaVu Sans"), 12, 0, clBlack);
}  // namespace

class TextRecording : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    ASSERT_TRUE(po_->Start());  // letter preview page, 96 ppi
    po_->SetFontInfo(kSans);
    mark_ = JobPages->Get(1)->Count();
  }
  // What was recorded on a page since the set-up.
  std::string Since(int page = 1) const {
    auto kinds = Kinds(page);
    if (page == 1) kinds.erase(kinds.begin(), kinds.begin() + mark_);
    return KindList(kinds);
  }
  int mark_ = 0;
};

TEST_F(TextRecording, ALineWrittenRecordsItsPositionThenItsText) {
  po_->SetBrushColor(0x00FFFF);
  mark_ = JobPages->Get(1)->Count();
  po_->WriteLine(1, 2, QStringLiteral("Hello"));
  EXPECT_EQ(Since(), "SetY Text");
  auto y = Records<TMWSetY>(1, commSetY);
  auto t = Records<TMWText>(1, commText);
  EXPECT_EQ(y.back()->yPosition(), 2.0f);
  EXPECT_EQ(t[0]->X(), 1.0f);
  EXPECT_EQ(t[0]->Y(), 2.0f);
  EXPECT_EQ(t[0]->Text(), QStringLiteral("Hello"));
  EXPECT_EQ(t[0]->BrushColor(), 0x00FFFF);
  EXPECT_EQ(po_->LastYPosition, 2.0f);
  EXPECT_EQ(po_->LastXPosition,
            po_->PixelsToInchesHorizontal(po_->GetTextWidth(QStringLiteral("Hello")) + 96));
  // Recording lays out but does not draw text.
  EXPECT_EQ(DisplayPage->Canvas().Pixel(100, 195), clWhite);
}

TEST_F(TextRecording, SpecialPositions) {
  const float lh = po_->GetLineHeightInches();
  ASSERT_GT(lh, 0.0f);
  po_->SetYPosition(3);
  po_->WriteLine(-1, -1, QStringLiteral("first"));
  const float afterFirst = po_->LastXPosition;
  po_->WriteLine(-1, -2, QStringLiteral("second"));
  EXPECT_EQ(po_->LastYPosition, 3 + lh) << "-1 moves one line down, -2 stays";
  EXPECT_EQ(po_->LastXPosition,
            po_->PixelsToInchesHorizontal(po_->GetTextWidth(QStringLiteral("second")) +
                                          po_->InchesToPixelsHorizontal(afterFirst)))
      << "x = -1 continues after the last text";
  po_->NextLine();
  po_->WriteLine(-1, -2, QStringLiteral("third"));
  EXPECT_EQ(po_->LastXPosition,
            po_->PixelsToInchesHorizontal(po_->GetTextWidth(QStringLiteral("third"))))
      << "after a line advance x = -1 is the left margin (0 here)";
  const float line = po_->LastYPosition;
  po_->WriteLine(2, -0.5f, QStringLiteral("top"));
  po_->WriteLine(-0.005f, -2, QStringLiteral("margin"));
  EXPECT_EQ(po_->LastYPosition, line) << "other negative y values leave the line alone";
  auto t = Records<TMWText>(1, commText);
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[0]->X(), -1.0f);
  EXPECT_EQ(t[3]->Y(), line) << "recorded at the current line";
  EXPECT_EQ(t[4]->X(), -0.005f);
  const auto kinds = Kinds(1);
  EXPECT_EQ(KindList(std::vector<CommandSet>(kinds.end() - 2, kinds.end())), "SetY Text");
}

TEST_F(TextRecording, PageBreakRecordsHeaderFooterAndOpensTheNextPage) {
  po_->SetDetailTopBottom(1, 9);
  po_->SetHeaderDim(0.5f, 0.25f, 8, 0.75f, true, 3, 0);
  po_->SetHeaderInfo(1, 0.4f, QStringLiteral("Head"), 0, kSans);
  po_->SetFooterDim(0.5f, 9.75f, 8, 10.75f, false, 0, 0);
  po_->SetFooterInfo(1, 10, QStringLiteral("Foot"), 2, kSans);
  int newPage = 0, afterNewPage = 0;
  po_->OnNewPage = [&](QObject *sender) {
    EXPECT_EQ(sender, po_.get());
    EXPECT_FALSE(po_->AutomaticPaging());
    ++newPage;
  };
  po_->AfterNewPage = [&](QObject *) {
    ++afterNewPage;
    EXPECT_EQ(JobPages->CurrentPage, 2);
    po_->WriteLine(1, 0.9f, QStringLiteral("continued"));
  };
  mark_ = JobPages->Get(1)->Count();
  po_->NewPage();

  EXPECT_EQ(Since(1),
            // header box: brush to pen colour, four edges, brush back
            "BColor Line Line Line Line BColor "
            // header line in its own font, then the font back
            "Font SetY Text Font "
            // footer line, likewise
            "Font SetY Text Font "
            // OnNewPage runs with automatic paging off
            "AutoPageFalse AutoPageFalse");
  EXPECT_EQ(KindList(Kinds(2)), "AutoPageFalse SetY Text AutoPageFalse TopOfPage Font");
  EXPECT_EQ(newPage, 1);
  EXPECT_EQ(afterNewPage, 1);
  EXPECT_EQ(TotalPages, 2);
  EXPECT_EQ(po_->LastYPosition, 1.0f) << "top of the detail area";
  auto text = Records<TMWText>(1, commText);
  EXPECT_EQ(text[0]->Text(), QStringLiteral("Head"));
  EXPECT_EQ(text[0]->X(), 0.5f);
  EXPECT_EQ(text[1]->Text(), QStringLiteral("Foot"));
  EXPECT_EQ(text[1]->X(), 8 - po_->PixelsToInchesHorizontal(
                                  DisplayPage->Canvas().TextWidth(QStringLiteral("Foot"))))
      << "right-aligned at the box's right edge";
  // The header box is drawn on the page image while recording.
  EXPECT_EQ(DisplayPage->Canvas().Pixel(300, 24), clBlack);
}

TEST_F(TextRecording, PageFeedOpensAPageWithoutAnythingElse) {
  po_->SetHeaderInfo(1, 0.4f, QStringLiteral("Head"), 0, kSans);
  po_->SetPrintPageNumbers(true);
  po_->SetPageNumberInfo(10.5f, QString(), 0, true, kSans);
  mark_ = JobPages->Get(1)->Count();
  po_->PageFeed();
  EXPECT_EQ(Since(1), "");
  EXPECT_EQ(KindList(Kinds(2)), "");
  EXPECT_EQ(TotalPages, 2);
}

TEST_F(TextRecording, PageNumberIsRecordedAsAGroupAndCentred) {
  po_->SetPrintPageNumbers(true);
  po_->SetPageNumberInfo(10.5f, QStringLiteral("ignored"), 2, true, kMono);
  mark_ = JobPages->Get(1)->Count();
  po_->WritePageNumber();
  EXPECT_EQ(Since(), "Font AutoPageFalse WritePage Tab SetY Text Tab AutoPageFalse Font");
  auto t = Records<TMWText>(1, commText);
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0]->Text(), QStringLiteral("第 1 页 of 1"));
  EXPECT_EQ(t[0]->Y(), 10.5f);
  po_->SetFontInfo(kMono);
  const int width = po_->GetTextWidth(t[0]->Text());
  EXPECT_EQ(t[0]->X(), po_->PixelsToInchesHorizontal((816 - width) / 2))
      << "centred between the margins";
}

TEST_F(TextRecording, RightAlignedWritesAreMeasuredAtReplay) {
  po_->SetTab(0.5f);
  po_->SetYPosition(4);
  mark_ = JobPages->Get(1)->Count();
  po_->WriteLineRight(-2, QStringLiteral("Total"));
  po_->CreateColumn(3, 2, 1.5f);
  po_->WriteLineColumnRight(3, 5, QStringLiteral("9.99"));
  EXPECT_EQ(Since(), "Tab WriteRight Tab Column Tab ColRight Tab");
  auto r = Records<TMWWriteRight>(1, commWriteRight);
  EXPECT_EQ(r[0]->Y(), 4.0f);
  EXPECT_EQ(r[0]->Text(), QStringLiteral("Total"));
  auto c = Records<TMWColRight>(1, commColRight);
  EXPECT_EQ(c[0]->ColumnNumber(), 3);
  EXPECT_EQ(c[0]->Y(), 5.0f);
  auto tabs = Records<TMWTab>(1, commTab);
  EXPECT_EQ(tabs[tabs.size() - 2]->Tab(), 0.0f);
  EXPECT_EQ(tabs.back()->Tab(), 0.5f) << "the tab is back after the write";
  EXPECT_EQ(po_->CurrentTab, 0.5f);
}

TEST_F(TextRecording, AlignedAndDecimalWrites) {
  po_->SetFontInfo(kMono);
  po_->SetMargins(0, 11, 1, 7.5f);  // left margin 96, right margin 720
  po_->SetIndent(0.25f);
  po_->SetTab(0.5f);
  auto lastX = [&] { return Records<TMWText>(1, commText).back()->X(); };
  const int w = po_->GetTextWidth(QStringLiteral("12.50"));

  po_->WriteLineAlign(1, QStringLiteral("12.50"), 0);
  EXPECT_EQ(lastX(), 1.0f);
  po_->WriteLineAlign(1, QStringLiteral("12.50"), 4);
  EXPECT_EQ(lastX(), 1.25f);
  po_->WriteLineCenter(1, QStringLiteral("12.50"));
  EXPECT_EQ(lastX(), po_->PixelsToInchesHorizontal(96 + (720 - 96 - w) / 2));
  po_->WriteLineCenterToX(4, 1, QStringLiteral("12.50"));
  EXPECT_EQ(lastX(), po_->PixelsToInchesHorizontal(384 - w / 2));
  po_->WriteLineRightToX(4, 1, QStringLiteral("12.50"));
  EXPECT_EQ(lastX(), po_->PixelsToInchesHorizontal(384 - w));
  po_->WriteLineDecimal(4, 1, QStringLiteral("1250"));
  EXPECT_EQ(lastX(), 4.0f) << "no point: the text starts at x";
  po_->WriteLineDecimal(4, 1, QStringLiteral("12.50"));
  EXPECT_EQ(lastX(), 4 - po_->GetTextWidthInches(QStringLiteral("12")));
  po_->WriteLineAlign(1, QStringLiteral("12.50"), 3);
  EXPECT_EQ(lastX(), po_->PixelsToInchesHorizontal(720) -
                         po_->GetTextWidthInches(QStringLiteral(".50W")) -
                         po_->GetTextWidthInches(QStringLiteral("12")))
      << "'.50' and one W end at the right margin";

  po_->CreateColumn(2, 3, 2);
  po_->WriteLineColumn(2, 1, QStringLiteral("col"));
  EXPECT_EQ(lastX(), 3.02f);
  po_->WriteLineColumnCenter(2, 1, QStringLiteral("col"));
  EXPECT_EQ(lastX(), po_->PixelsToInchesHorizontal(
                         (192 - po_->GetTextWidth(QStringLiteral("col"))) / 2 + 288));
  po_->WriteLineColumnDecimal(2, 1, 1, QStringLiteral("3.5"));
  EXPECT_EQ(lastX(), 3 + 1 - po_->GetTextWidthInches(QStringLiteral("3")));

  po_->SetMeasure(mtPixels);
  po_->WriteLineColumn(2, 1, QStringLiteral("col"));
  EXPECT_EQ(lastX(), 3.0f) << "in pixels the 0.02 is lost in the truncation";
  EXPECT_EQ(po_->CurrentTab, 0.5f);
}

TEST_F(TextRecording, AutomaticPagingPositions) {
  // A font whose line height is a whole number of 1/32 in keeps the sums exact.
  int size = 8;
  for (; size < 40; ++size) {
    po_->SetFontSize(static_cast<std::uint16_t>(size));
    po_->CalculateMeasurements();
    if (po_->GetLineHeightPixels() % 3 == 0) break;
  }
  ASSERT_LT(size, 40);
  const float lh = po_->GetLineHeightInches();
  po_->SetAutoPaging(true);
  po_->SetDetailTopBottom(1, 1 + 4 * lh);
  for (int i = 0; i < 6; ++i) po_->WriteLine(1, -1, QString::number(i));

  auto page1 = Records<TMWText>(1, commText);
  ASSERT_EQ(page1.size(), 5u) << "a line whose top is exactly at the bottom is still written";
  for (int i = 0; i < 5; ++i) EXPECT_EQ(page1[i]->Y(), 1 + i * lh) << "line " << i;
  auto page2 = Records<TMWText>(2, commText);
  ASSERT_EQ(page2.size(), 1u);
  EXPECT_EQ(page2[0]->Y(), 1 + lh) << "one line below the top of the detail area";
  EXPECT_EQ(TotalPages, 2);

  // NewLines stops right after the call that broke the page.
  po_->SetYPosition(1 + 2 * lh);
  po_->NewLines(5);
  EXPECT_EQ(TotalPages, 3);
  EXPECT_EQ(po_->LastYPosition, 1.0f);
  EXPECT_EQ(Records<TMWPrintCommand>(3, commNewLine).size(), 0u);
  EXPECT_EQ(po_->GetLinesLeft(), 4);
  po_->SetYPosition(1 + 5 * lh);
  EXPECT_EQ(po_->GetLinesLeft(), 0);
}

TEST_F(TextRecording, WrapText) {
  po_->SetFontInfo(kMono);
  const float ch = po_->GetTextWidthInches(QStringLiteral("a"));
  const float five = 5.5f * ch;
  struct Row {
    QString text;
    float span;
    QStringList lines;
    const char *origin;
  } rows[] = {
      {QStringLiteral("abc def ghi"), five, {"abc", "def", "ghi"}, "one word a line"},
      {QStringLiteral("ab\r\ncd\ref\n\n"),
       five,
       {"ab", "cd", "ef"},
       "CR LF and CR break; trailing LF dropped"},
      {QStringLiteral("a\tb c"), 10 * ch, {"a  b c"}, "a tab is two spaces"},
      {QStringLiteral("abcdefghij"),
       five,
       {"", "", "", "", "", "abcdefghij"},
       "an over-long word is never split"},
      {QStringLiteral("一二三四五"),
       3.5f * po_->GetTextWidthInches(QStringLiteral("一")),
       {"", "", "一二三四五"},
       "Chinese without spaces"},
      {QStringLiteral("short"), five, {"short"}, "fits whole"},
  };
  for (const Row &r : rows) {
    QStringList out;
    po_->WrapText(r.text, out, 1, 1 + r.span);
    EXPECT_EQ(out, r.lines) << r.origin << ": " << out.join(QLatin1Char('|')).toStdString();
  }
  // The bounds are in the caller's unit.
  po_->SetMeasure(mtMM);
  QStringList out;
  po_->WrapText(QStringLiteral("abc def ghi"), out, 25.4f, 25.4f + po_->InchesToMM(five));
  EXPECT_EQ(out, QStringList({"abc", "def", "ghi"}));
}

TEST_F(TextRecording, WrappedWritesKeepTheLineAndMoveToANewPage) {
  po_->SetFontInfo(kMono);
  const float lh = po_->GetLineHeightInches();
  const float ch = po_->GetTextWidthInches(QStringLiteral("a"));
  po_->SetDetailTopBottom(1, 1 + 10 * lh);
  po_->SetYPosition(2);
  po_->WriteLineWrap(1, 1 + 5.5f * ch, -2, QStringLiteral("abc def ghi  \n \n"), true, false);
  auto t = Records<TMWText>(1, commText);
  ASSERT_EQ(t.size(), 3u) << "blank lines at the end are dropped";
  EXPECT_EQ(t[0]->Y(), 2.0f);
  EXPECT_EQ(t[2]->Y(), 2 + lh + lh);
  EXPECT_EQ(po_->LastYPosition, 2.0f) << "KeepY";

  po_->SetYPosition(1 + 9 * lh);  // one line left
  po_->WriteLineWrap(1, 1 + 5.5f * ch, -2, QStringLiteral("abc def"), false, true);
  EXPECT_EQ(TotalPages, 2);
  EXPECT_EQ(Records<TMWText>(2, commText).size(), 2u) << "SamePage: both lines on the new page";

  // Texts moved to a new page without KeepY leave the line stack as it was.
  for (int i = 0; i < 12; ++i) {
    po_->SetYPosition(1 + 9 * lh);
    po_->WriteLineWrap(1, 1 + 5.5f * ch, -2, QStringLiteral("abc def"), false, true);
  }
  EXPECT_EQ(po_->CurrentYRecord, 0);
  po_->SetYPosition(1.5f);
  po_->WriteLineWrap(1, 1 + 5.5f * ch, -2, QStringLiteral("abc def"), true, false);
  EXPECT_EQ(po_->LastYPosition, 1.5f);

  boxes_.clear();
  po_->WriteLineColumnArray({1, 2}, -1, {0}, {QStringLiteral("a"), QStringLiteral("b")}, false,
                            false);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, QStringLiteral("错误."));

  po_->CreateColumn(1, 1, 1);
  po_->CreateColumn(2, 2, 1);
  po_->CreateColumn(3, 3, 1);
  const float before = po_->LastYPosition;
  const int page = JobPages->CurrentPage;
  const int texts = int(Records<TMWText>(page, commText).size());
  po_->WriteLineColumnArray({1, 2, 3}, -2, {0, 1, 2},
                            {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}, false,
                            false);
  EXPECT_EQ(int(Records<TMWText>(page, commText).size()), texts + 2)
      << "left and centred record text";
  EXPECT_EQ(Records<TMWColRight>(page, commColRight).size(), 1u)
      << "right-aligned records its own command";
  EXPECT_EQ(po_->LastYPosition, before + lh) << "one line advanced";
}

// Direct mode draws at once: the PDF is the judge of where text lands.
class DirectMode : public PrintTest {};

TEST_F(DirectMode, TextLandsWhereTheCallerPutIt) {
  platform::PdfFileDevice &pdf = UsePdfPrinter(600, QMarginsF(0.25, 0.125, 0.25, 0.5));
  ASSERT_TRUE(pdf.BeginDoc(QStringLiteral("direct")));
  po_->SetPrinterCanvas(pdf.Canvas());
  ASSERT_TRUE(po_->Start());
  EXPECT_EQ(JobPages, nullptr) << "direct mode records nothing";
  po_->SetMargins(0, 10, 0, 8);  // the page is 8 x 10 in from the printable corner
  po_->SetFontInfo(kSans);
  po_->WriteLine(1, 1, QStringLiteral("Alpha"));
  po_->WriteLineRight(2, QStringLiteral("Omega"));
  po_->WriteLineCenter(3, QStringLiteral("Middle"));
  po_->WriteLine(2, -0.5f, QStringLiteral("Top"));
  po_->SetMeasure(mtMM);
  po_->WriteLine(50.8f, 101.6f, QStringLiteral("Millimetres"));
  po_->SetMeasure(mtInches);
  po_->Abort();
  EXPECT_FALSE(po_->PrintingStatus());
  EXPECT_EQ(po_->PrinterCanvas(), nullptr);
  pdf.EndDoc();

  const auto pages = PdfWords(PdfPath());
  ASSERT_EQ(pages.size(), 1u);
  auto find = [&](const char *w) -> PdfWord {
    for (const PdfWord &p : pages[0])
      if (p.text == QLatin1String(w)) return p;
    ADD_FAILURE() << w << " not found";
    return {};
  };
  const double left = 0.25 * 72, top = 0.125 * 72;
  const PdfWord alpha = find("Alpha");
  EXPECT_NEAR(alpha.xMin, left + 72, 2.0);
  EXPECT_NEAR(alpha.yMin, top + 72, 4.0);
  const PdfWord omega = find("Omega");
  EXPECT_NEAR(omega.xMax, left + (4800 - 4) / 600.0 * 72, 2.0)
      << "right edge at the right margin less 4 pixels";
  const PdfWord middle = find("Middle");
  EXPECT_NEAR((middle.xMin + middle.xMax) / 2, left + 4 * 72, 2.0);
  const PdfWord topWord = find("Top");
  EXPECT_NEAR(topWord.yMin, top, 4.0) << "y -0.5 draws at the top of the page";
  const PdfWord mm = find("Millimetres");
  EXPECT_NEAR(mm.xMin, left + 2 * 72, 2.0);
  EXPECT_NEAR(mm.yMin, top + 4 * 72, 4.0);
}

TEST_F(DirectMode, TransparentTextLeavesTheBackgroundAndTheBrushAlone) {
  QImage image(400, 200, QImage::Format_RGB32);
  image.setDotsPerMeterX(qRound(96 / 0.0254));
  image.setDotsPerMeterY(qRound(96 / 0.0254));
  for (bool transparent : {false, true}) {
    image.fill(Qt::white);
    platform::Canvas canvas(&image);
    canvas.SetBrush({platform::clYellow, platform::bsSolid});
    po_->SetPrinterCanvas(&canvas);
    po_->SetTransparent(transparent);
    ASSERT_TRUE(po_->Start());
    po_->SetMargins(0, 2, 0, 4);
    po_->SetFontInfo(kSans);
    po_->WriteLine(0, 0, QStringLiteral("W"));
    po_->Abort();
    canvas.End();
    EXPECT_EQ(image.pixel(1, 1), transparent ? qRgb(255, 255, 255) : qRgb(255, 255, 0))
        << "transparent " << transparent;
    EXPECT_EQ(canvas.brush().color, platform::clYellow);
    EXPECT_EQ(canvas.brush().style, platform::bsSolid);
  }
}

TEST_F(DirectMode, RotatedTextTurnsAboutTheTopLeftOfItsCell) {
  QImage image(400, 400, QImage::Format_RGB32);
  image.setDotsPerMeterX(qRound(96 / 0.0254));
  image.setDotsPerMeterY(qRound(96 / 0.0254));
  image.fill(Qt::white);
  platform::Canvas canvas(&image);
  po_->SetPrinterCanvas(&canvas);
  ASSERT_TRUE(po_->Start());
  po_->SetMargins(0, 4, 0, 4);
  po_->SetFontInfo(kSans);
  const int h = po_->GetLineHeightPixels();
  const int w = po_->GetTextWidth(QStringLiteral("HHHH"));
  po_->SetFontAngle(90);
  po_->LastXPosition = 0.5f;
  po_->WriteLine(1, 1, QStringLiteral("HHHH"));
  EXPECT_EQ(po_->LastXPosition, 0.5f) << "rotated text leaves the x position alone";
  EXPECT_EQ(po_->GetLineHeightPixels(), h) << "the rotated font is gone after the write";
  po_->Abort();
  canvas.End();
  int inside = 0, outside = 0;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) {
      if (image.pixel(x, y) == qRgb(255, 255, 255)) continue;
      // A quarter turn counter-clockwise: the text runs up from (96, 96).
      if (x >= 94 && x <= 96 + h + 2 && y >= 96 - w - 2 && y <= 98)
        ++inside;
      else
        ++outside;
    }
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
}
