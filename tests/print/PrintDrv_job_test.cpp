// The end of a job: pictures, pixel-recorded shapes, replay onto the printer
// as one document, page ranges, progress, cancel and events. The printed PDF
// is judged by poppler (pdfinfo, pdftotext, pdftoppm), not by our own code.
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPrintDialog>
#include <QProgressBar>
#include <QPushButton>
#include <cmath>

#include "PrintTestSupport.h"
#include "platform/Canvas.h"
#include "print/PrintDr2.h"
#include "print/PrintDrv.h"

namespace {
const TFont kSans(QStringLiteral("DejaVu Sans"), 12, 0, clBlack);

QString PageText(const std::vector<PdfWord> &words) {
  QStringList s;
  for (const PdfWord &w : words) s << w.text;
  // The CJK font draws 页 with the glyph it shares with the radical ⻚, and
  // pdftotext may read it back as the radical.
  return s.join(QLatin1Char(' ')).replace(QChar(0x2EDA), QChar(0x9875));
}
}  // namespace

class PrintEnd : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    po_->SetPaperSize(PAPER_A4);
    po_->SetShowPrintDialog(false);
  }
  void TearDown() override {
    SetPrintDialogRunner(nullptr);
    PrintTest::TearDown();
  }
  // n pages, each with the text "bodyN" at (1 in, 2 in).
  void RecordPages(int n) {
    po_->SetFontInfo(kSans);
    for (int i = 1; i <= n; ++i) {
      if (i > 1) po_->NewPage();
      po_->WriteLine(1, 2, QStringLiteral("body%1").arg(i));
    }
  }
  std::vector<QString> PrintedPages() {
    std::vector<QString> out;
    for (const auto &words : PdfWords(PdfPath())) out.push_back(PageText(words));
    return out;
  }
  bool Printed() const { return QFile::exists(PdfPath()); }
};

// ---------------------------------------------------------------- pictures

TEST_F(PrintEnd, PictureOfNaturalSizeIsCentredAcrossThePage) {
  platform::PdfFileDevice &pdf = UsePdfPrinter(600, QMarginsF(0.25, 0.125, 0.25, 0.5));
  ASSERT_TRUE(po_->Start());
  TPicture picture(96, 48, clBlack);
  po_->PrintGraphic(-1, 2, -1, -1, picture);
  const auto graphics = Records<TMWGraphic>(1, commGraphic);
  ASSERT_EQ(graphics.size(), 1u);
  EXPECT_EQ(graphics[0]->X(), -1.0f) << "-1 is recorded as it is and resolved on replay";
  EXPECT_EQ(graphics[0]->Height(), -1.0f);
  picture.SetSize(10, 10, clWhite);  // the caller's picture changes; the record keeps its copy
  EXPECT_TRUE(po_->Quit());

  const QImage page = RenderPdfPage(PdfPath(), 1, 600);
  ASSERT_FALSE(page.isNull());
  const QRect box = DarkBox(page, page.rect());
  // 96 x 48 screen pixels are 1 x 0.5 in on any printer.
  EXPECT_NEAR(box.width(), 600, 1);
  EXPECT_NEAR(box.height(), 300, 1);
  EXPECT_NEAR(box.top(), 1200, 1) << "2 in from the top of the sheet";
  // Centring works in printable-area pixels: (page - picture - left strip) / 2
  // from the printable corner.
  const int width = pdf.PhysicalPageSize().width(), strip = pdf.PrintingOffset().x();
  EXPECT_NEAR(box.left(), (width - 600 - strip) / 2 + strip, 1);
}

TEST_F(PrintEnd, MinusOneMillimetreIsACoordinateNotCentring) {
  ASSERT_TRUE(po_->Start());
  po_->SetMeasure(mtMM);
  po_->PrintGraphic(-1, 50.8f, 25.4f, 12.7f, TPicture(96, 48, clBlack));
  po_->SetMeasure(mtInches);
  EXPECT_TRUE(po_->Quit());
  const QImage page = RenderPdfPage(PdfPath(), 1, 600);
  const QRect box = DarkBox(page, page.rect());
  EXPECT_EQ(box.left(), 0) << "starts just left of the sheet's edge";
  EXPECT_NEAR(box.right() + 1, 600 - 23, 1) << "-1 mm is -23 px at 600 dpi";
  EXPECT_NEAR(box.top(), 1200, 1);
}

// A barcode recorded at screen resolution keeps hard bar edges on the
// printer, each edge within one printer pixel of where it belongs.
TEST_F(PrintEnd, BarsPrintSharpAtEveryPrinterResolution) {
  const int widths[] = {2, 1, 1, 2, 3, 1, 4, 2, 1, 3, 2, 2, 1, 1, 3, 4, 1, 2, 2, 1};
  TPicture bars(344, 142, clWhite);
  std::vector<int> edges;  // screen pixels inside the picture
  int x = 10;
  for (std::size_t i = 0; i < std::size(widths); ++i) {
    if (i % 2 == 0) bars.canvas().SetBrush({clBlack, platform::bsSolid});
    if (i % 2 == 0) bars.canvas().FillRect(QRect(x, 0, widths[i], 142));
    edges.push_back(x);  // where each bar and space begins
    x += widths[i];
  }
  bars.canvas().End();

  for (int dpi : {300, 600, 1200}) {
    SCOPED_TRACE(dpi);
    QFile::remove(PdfPath());
    UsePdfPrinter(dpi);
    ASSERT_TRUE(po_->Start());
    po_->PrintGraphic(1, 1, -1, -1, bars);
    po_->Quit();
    const QImage page = RenderPdfPage(PdfPath(), 1, dpi, QSize(5 * dpi, 3 * dpi));
    ASSERT_FALSE(page.isNull());
    const double f = dpi / 96.0;
    const int row = dpi + static_cast<int>(71 * f);
    const uchar *line = page.constScanLine(row);
    std::vector<int> found;
    int grey = 0;
    for (int px = dpi; px < dpi + static_cast<int>(344 * f); ++px) {
      if ((line[px] < 128) != (line[px - 1] < 128)) found.push_back(px);
      if (line[px] > 40 && line[px] < 215) ++grey;
    }
    EXPECT_EQ(grey, 0) << "no smoothed pixels along the bars";
    ASSERT_EQ(found.size(), edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i)
      EXPECT_NEAR(found[i], dpi + edges[i] * f, 1.0) << "edge " << i;
  }
}

// ------------------------------------------------------- pixel-recorded shapes

TEST_F(PrintEnd, ShapesAreRecordedInScreenPixelsAndScaledOnThePrinter) {
  ASSERT_TRUE(po_->Start());
  po_->SetBrushColor(clBlack);
  po_->FillRect(1, 1, 2, 2);
  po_->PolyLine({1, 3, 2, 3, 2, 4, 9});
  const auto fills = Records<TMWFillRect>(1, commFillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0]->X1(), 96);
  EXPECT_EQ(fills[0]->Y1(), 96);
  EXPECT_EQ(fills[0]->X2(), 192);
  EXPECT_EQ(fills[0]->Y2(), 192);
  const auto lines = Records<TMWPolygon>(1, commPolyLine);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->Num, 6) << "seven values make three points";
  EXPECT_EQ(lines[0]->Points[5], 384);
  po_->Quit();

  const QImage page = RenderPdfPage(PdfPath(), 1, 600);
  const QRect fill = DarkBox(page, QRect(0, 0, 2000, 1500));
  EXPECT_NEAR(fill.left(), 600, 1);
  EXPECT_NEAR(fill.top(), 600, 1);
  EXPECT_NEAR(fill.right() + 1, 1200, 1);
  EXPECT_NEAR(fill.bottom() + 1, 1200, 1);
  const QRect polyline = DarkBox(page, QRect(0, 1700, 2000, 1000));
  EXPECT_NEAR(polyline.left(), 600, 2);
  EXPECT_NEAR(polyline.right(), 1200, 2);
  EXPECT_NEAR(polyline.bottom(), 2400, 2);
}

// ------------------------------------------------------------ the print pass

TEST_F(PrintEnd, WithoutPreviewEveryPageGoesOutAsOneDocument) {
  ASSERT_TRUE(po_->Start());
  po_->SetPrintPageNumbers(true);
  po_->SetPageNumberInfo(10, QStringLiteral("ignored"), 1, true, kSans);
  RecordPages(4);
  EXPECT_TRUE(po_->Quit());
  EXPECT_EQ(PdfInfo(PdfPath(), QStringLiteral("Pages")), QStringLiteral("4"));
  const auto pages = PrintedPages();
  ASSERT_EQ(pages.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(pages[i].contains(QStringLiteral("body%1").arg(i + 1))) << pages[i].toStdString();
    // Recorded while page 1 was current, replayed with the page's own number.
    EXPECT_TRUE(pages[i].contains(QStringLiteral("第 %1 页 of 4").arg(i + 1)))
        << pages[i].toStdString();
  }
  EXPECT_FALSE(po_->PrintingStatus());
  EXPECT_EQ(JobPages, nullptr) << "the page store goes with the job";
}

TEST_F(PrintEnd, WithoutPageFeedAllPagesShareOneSheet) {
  po_->SetAutoPageFeed(false);
  ASSERT_TRUE(po_->Start());
  RecordPages(3);
  po_->Quit();
  EXPECT_EQ(PdfInfo(PdfPath(), QStringLiteral("Pages")), QStringLiteral("1"));
  const auto pages = PrintedPages();
  ASSERT_EQ(pages.size(), 1u);
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(pages[0].contains(QStringLiteral("body%1").arg(i)));
}

TEST_F(PrintEnd, PrintDialogRangeAndProgress) {
  po_->SetShowPrintDialog(true);
  po_->SetShowProgress(true);
  int shownMax = -1, shownMin = -1;
  SetPrintDialogRunner([&](QPrintDialog &d) {
    shownMin = d.minPage();
    shownMax = d.maxPage();
    d.setPrintRange(QAbstractPrintDialog::PageRange);
    d.setFromTo(2, 3);
    return int(QDialog::Accepted);
  });
  std::vector<int> progress;
  QString caption;
  po_->OnFirstPage = [&](QObject *) {
    ASSERT_NE(po_->ProgressBar, nullptr);
    caption = po_->ProgressBar->PrintCaption->text();
    EXPECT_TRUE(po_->ProgressBar->CancelBtn->isVisibleTo(po_->ProgressBar));
    QObject::connect(po_->ProgressBar->PrintBar, &QProgressBar::valueChanged,
                     [&](int v) { progress.push_back(v); });
  };
  ASSERT_TRUE(po_->Start());
  RecordPages(5);
  po_->Quit();
  EXPECT_EQ(shownMin, 1);
  EXPECT_EQ(shownMax, 5);
  EXPECT_EQ(caption, QStringLiteral("Printing Report......."));
  EXPECT_EQ(progress, (std::vector<int>{50, 100}));
  const auto pages = PrintedPages();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_TRUE(pages[0].contains(QStringLiteral("body2")));
  EXPECT_TRUE(pages[1].contains(QStringLiteral("body3")));
}

TEST_F(PrintEnd, PrintDialogCancelledPrintsNothing) {
  po_->SetShowPrintDialog(true);
  SetPrintDialogRunner([](QPrintDialog &) { return int(QDialog::Rejected); });
  bool done = false;
  po_->PrintDone = [&](QObject *) { done = true; };
  ASSERT_TRUE(po_->Start());
  RecordPages(2);
  EXPECT_TRUE(po_->Quit());
  EXPECT_FALSE(Printed());
  EXPECT_TRUE(done);
}

TEST_F(PrintEnd, CancelDuringThePrintPassKeepsThePagesSent) {
  po_->SetShowProgress(true);
  bool cancelled = false;
  po_->OnCancel = [&](QObject *) { cancelled = true; };
  po_->OnFirstPage = [&](QObject *) {
    QObject::connect(po_->ProgressBar->PrintBar, &QProgressBar::valueChanged, [&](int v) {
      if (v == 40)  // after page 4 of 10, the user presses Cancel
        QMetaObject::invokeMethod(po_->ProgressBar->CancelBtn, "click", Qt::QueuedConnection);
    });
  };
  ASSERT_TRUE(po_->Start());
  RecordPages(10);
  EXPECT_TRUE(po_->Quit());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, QStringLiteral("放异打印吗？"));
  EXPECT_EQ(boxes_[0].caption, QStringLiteral("提示："));
  EXPECT_FALSE(cancelled) << "a cancel of the print pass is not a cancel of the job";
  EXPECT_EQ(PdfInfo(PdfPath(), QStringLiteral("Pages")), QStringLiteral("4"));
}

TEST_F(PrintEnd, CancelWhileRecordingPrintsNothing) {
  po_->SetShowProgress(true);
  po_->SetShowCancelBtn(true);
  int cancels = 0, done = 0;
  po_->OnCancel = [&](QObject *) { ++cancels; };
  po_->PrintDone = [&](QObject *) { ++done; };
  ASSERT_TRUE(po_->Start());
  RecordPages(2);
  answer_ = platform::BoxAnswer::No;
  po_->ProgressBar->CancelBtn->click();
  EXPECT_TRUE(po_->PrintingStatus()) << "No goes on with the job";
  answer_ = platform::BoxAnswer::Yes;
  po_->ProgressBar->CancelBtn->click();
  EXPECT_FALSE(po_->PrintingStatus());
  EXPECT_EQ(cancels, 1);
  po_->WriteLine(1, 3, QStringLiteral("after"));
  EXPECT_TRUE(po_->Quit());
  EXPECT_FALSE(Printed());
  EXPECT_EQ(done, 1);
  EXPECT_EQ(po_->ProgressBar, nullptr);
  EXPECT_TRUE(po_->Quit()) << "a second Quit closes nothing and still answers True";
  EXPECT_EQ(done, 2);
}

TEST_F(PrintEnd, EventsFireInOrder) {
  std::vector<std::string> events;
  auto note = [&](const char *name) { return [&events, name](QObject *) { events.push_back(name); }; };
  po_->OnNewPage = note("OnNewPage");
  po_->AfterNewPage = note("AfterNewPage");
  po_->BeforePrint = note("BeforePrint");
  po_->OnFirstPage = note("OnFirstPage");
  po_->OnLastPage = note("OnLastPage");
  po_->AfterPrint = note("AfterPrint");
  po_->PrintDone = note("PrintDone");
  ASSERT_TRUE(po_->Start());
  RecordPages(2);
  po_->Quit();
  EXPECT_EQ(events, (std::vector<std::string>{"OnNewPage", "AfterNewPage", "OnNewPage",
                                              "BeforePrint", "OnFirstPage", "OnLastPage",
                                              "AfterPrint", "PrintDone"}));
}

// A page starts from what earlier replays left; a text box draws its fill,
// its frame and its text in the column.
TEST_F(PrintEnd, TextColumnBoxFillsFramesAndWritesInItsColumn) {
  ASSERT_TRUE(po_->Start());
  po_->SetFontInfo(kSans);
  po_->CreateColumn(1, 1, 3);
  po_->SetYPosition(3);
  po_->TextColumnBox(1, 3, 4, 3.5f, 5, 0xC0C0C0, QStringLiteral("boxed"), 1, 2, true);
  po_->TextColumnBox(1, 4, 4, 4.5f, 5, 0xC0C0C0, QStringLiteral("plain"), 1, 0, false);
  EXPECT_EQ(Records<TMWLine>(1, commLine).size(), 4u) << "only the first box is framed";
  EXPECT_EQ(Records<TMWFillRect>(1, commFillRect).size(), 2u);
  po_->Quit();
  const auto words = PdfWords(PdfPath());
  ASSERT_EQ(words.size(), 1u);
  const QString text = PageText(words[0]);
  EXPECT_TRUE(text.contains(QStringLiteral("boxed"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("plain")));
  for (const PdfWord &w : words[0]) {
    if (w.text == QStringLiteral("boxed")) {
      EXPECT_NEAR(w.xMax, 4 * 72, 6) << "right in column 1";
    }
  }
}
