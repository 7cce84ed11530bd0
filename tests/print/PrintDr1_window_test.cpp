// The preview window driven as a user would: shown modally at the end of a
// job, zoomed, paged with buttons, the page box and keys, printed from, and
// closed. Every check runs inside the modal loop, from a single-shot timer.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "PrintTestSupport.h"
#include "platform/Canvas.h"
#include "print/PrintDr1.h"
#include "print/PrintDrv.h"

namespace {
// Page n carries a black square 0.5 in wide at (n in, 1 in).
void RecordMarkedPages(TMWPrintObject &po, int n) {
  po.SetBrushColor(clBlack);
  for (int i = 1; i <= n; ++i) {
    if (i > 1) po.NewPage();
    po.FillRect(float(i), 1, i + 0.5f, 1.5f);
  }
}

// Which page's square the page image shows at that zoom, 0 for none.
int ShownMark(float scale) {
  const QImage &img = DisplayPage->Picture();
  int shown = 0;
  for (int n = 1; n <= 5; ++n) {
    const int x = static_cast<int>((96 * n + 24) * scale), y = static_cast<int>(120 * scale);
    if (qGray(img.pixel(x, y)) < 64) shown = shown ? -1 : n;
  }
  return shown;
}
}  // namespace

class PreviewWindow : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    po_->SetPaperSize(PAPER_A4);
    po_->SetShowPrintDialog(false);
    po_->SetPreview(true);
  }
  // Records n marked pages, shows the preview, runs body in it and closes it
  // (if the body has not); returns Quit's result.
  bool RunPreview(int n, const std::function<void(TPreviewForm &)> &body) {
    EXPECT_TRUE(po_->Start());
    RecordMarkedPages(*po_, n);
    bool ran = false;
    QTimer::singleShot(0, [&] {
      ran = true;
      TPreviewForm *form = CurrentPreview;
      if (!form) return;
      body(*form);
      if (CurrentPreview == form && form->isVisible()) form->close();
    });
    const bool result = po_->Quit();
    EXPECT_TRUE(ran) << "the preview was shown";
    return result;
  }
};

TEST_F(PreviewWindow, ShowsAsTheUserSeesIt) {
  po_->SetStartPercent(P3_Seventy);
  const bool result = RunPreview(3, [](TPreviewForm &form) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("打印上机卡预览："));
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form.ZoomFactor->currentText(), QStringLiteral("70 %"));
    EXPECT_EQ(DisplayPage->size(), QSize(510, 719)) << "A4 at the 70 % entry";
    EXPECT_EQ(form.StatusText(0), QStringLiteral("共　：3页"));
    EXPECT_EQ(form.LastPage->toolTip(), QStringLiteral("last page (3)"));
    EXPECT_EQ(form.CloseBtn->text(), QStringLiteral("关闭(&C)"));
    EXPECT_EQ(form.CloseBtn->toolTip(), QStringLiteral("close preview"));
    EXPECT_EQ(form.PrintBtn->text(), QStringLiteral("打印"));
    EXPECT_EQ(form.PrintBtn->toolTip(), QStringLiteral("print report"));
    EXPECT_FALSE(form.PrintBtn->icon().isNull());
    for (QToolButton *b : {form.FirstPage, form.PrevPage, form.NextPage, form.LastPage})
      EXPECT_FALSE(b->icon().isNull());
    EXPECT_EQ(form.PgNumb->text(), QStringLiteral("1"));
    EXPECT_FALSE(form.FirstPage->isEnabled());
    EXPECT_FALSE(form.PrevPage->isEnabled());
    EXPECT_TRUE(form.NextPage->isEnabled());
    EXPECT_TRUE(form.LastPage->isEnabled());
    EXPECT_EQ(ShownMark(0.64f), 1);
  });
  EXPECT_FALSE(result) << "closed without the OK result";
}

TEST_F(PreviewWindow, EveryZoomEntryDrawsAtItsOwnScale) {
  RunPreview(2, [](TPreviewForm &form) {
    struct Row {
      const char *entry;
      float scale;
      QSize size;
    } rows[] = {
        {"60 %", 0.52f, {414, 584}}, {"70 %", 0.64f, {510, 719}},  {"80 %", 0.78f, {622, 876}},
        {"90 %", 0.94f, {749, 1056}}, {"100 %", 1.0f, {797, 1123}},
    };
    for (int i = 0; i < 5; ++i) {
      form.ZoomFactor->setCurrentIndex(i);
      form.ZoomFactorChange();
      EXPECT_EQ(form.ZoomFactor->currentText(), QString::fromUtf8(rows[i].entry));
      EXPECT_EQ(DisplayPage->size(), rows[i].size) << rows[i].entry;
      EXPECT_EQ(JobPrintObject->GetScale(), rows[i].scale) << rows[i].entry;
      EXPECT_EQ(DisplayPage->Canvas().PixelsPerInch(), int(96 * rows[i].scale)) << rows[i].entry;
      EXPECT_EQ(ShownMark(rows[i].scale), 1) << rows[i].entry;
    }
    form.setWindowState(Qt::WindowNoState);
    form.resize(300, 300);
    form.FormResize();
    EXPECT_EQ(form.width(), 480) << "never narrower than 480";
  });
}

TEST_F(PreviewWindow, LandscapeSwapsThePageSides) {
  po_->SetOrientation(poLandscape);
  po_->SetStartPercent(P3_Seventy);
  RunPreview(1, [](TPreviewForm &) { EXPECT_EQ(DisplayPage->size(), QSize(719, 510)); });
}

TEST_F(PreviewWindow, PagesByButtonsBoxAndKeys) {
  RunPreview(3, [this](TPreviewForm &form) {
    QTest::keyClick(&form, Qt::Key_PageUp);
    EXPECT_EQ(form.CurrentPage, 2) << "Page Up goes to the next page";
    EXPECT_EQ(ShownMark(1), 2);
    QTest::keyClick(&form, Qt::Key_PageDown);
    EXPECT_EQ(form.CurrentPage, 1);

    form.PgNumb->clear();
    QTest::keyClicks(form.PgNumb, QStringLiteral("7"));
    QTest::keyClick(form.PgNumb, Qt::Key_Return);
    EXPECT_EQ(form.PgNumb->text(), QStringLiteral("3")) << "beyond the last page";
    EXPECT_EQ(ShownMark(1), 3);
    EXPECT_FALSE(form.NextPage->isEnabled());
    EXPECT_TRUE(form.PrevPage->isEnabled());
    form.PgNumb->clear();
    QTest::keyClicks(form.PgNumb, QStringLiteral("0"));
    QTest::keyClick(form.PgNumb, Qt::Key_Return);
    EXPECT_EQ(form.CurrentPage, 1);
    QTest::keyClicks(form.PgNumb, QStringLiteral("a"));
    QTest::keyClick(form.PgNumb, Qt::Key_Backspace);
    EXPECT_EQ(form.PgNumb->text(), QStringLiteral("1")) << "only digits reach the box";

    form.LastPage->click();
    EXPECT_EQ(ShownMark(1), 3);
    form.PrevPage->click();
    EXPECT_EQ(ShownMark(1), 2);
    form.FirstPage->click();
    EXPECT_EQ(ShownMark(1), 1);
    form.NextPage->click();
    EXPECT_EQ(ShownMark(1), 2);

    form.PgNumb->setText(QStringLiteral("99999999999"));
    boxes_.clear();
    form.PgNumbExit();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(boxes_[0].text.startsWith(QStringLiteral("Error in page number.\n")))
        << boxes_[0].text.toStdString();
    EXPECT_EQ(form.CurrentPage, 2) << "the page shown does not change";
  });
}

TEST_F(PreviewWindow, ZoomAndScrollKeys) {
  RunPreview(2, [](TPreviewForm &form) {
    form.NextPage->click();
    QTest::keyClicks(&form, QStringLiteral("+"));
    EXPECT_EQ(form.ZoomFactor->currentText(), QStringLiteral("100 %")) << "stays on the last entry";
    // "+" at the last entry still redraws the page.
    DisplayPage->Canvas().SetBrush({clBlack, platform::bsSolid});
    DisplayPage->Canvas().FillRect(QRect(0, 0, 400, 400));
    QTest::keyClicks(&form, QStringLiteral("+"));
    EXPECT_EQ(ShownMark(1), 2) << "redrawn, on the same page";
    QTest::keyClicks(&form, QStringLiteral("-"));
    EXPECT_EQ(form.ZoomFactor->currentText(), QStringLiteral("90 %"));
    EXPECT_EQ(ShownMark(0.94f), 2);
    EXPECT_EQ(form.CurrentPage, 2);

    QScrollBar *v = form.PreviewPane->verticalScrollBar();
    ASSERT_GT(v->maximum(), 20);
    QTest::keyClick(&form, Qt::Key_Down);
    QTest::keyClick(&form, Qt::Key_Down);
    EXPECT_EQ(v->value(), 20);
    QTest::keyClick(&form, Qt::Key_Up);
    QTest::keyClick(&form, Qt::Key_Up);
    QTest::keyClick(&form, Qt::Key_Up);
    EXPECT_EQ(v->value(), 0);

    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(CurrentPreview, nullptr) << "Escape closes the window";
  });
}

TEST_F(PreviewWindow, PrintsAtFullScaleAndKeepsItsZoom) {
  po_->SetStartPercent(P3_Seventy);
  RunPreview(3, [this](TPreviewForm &form) {
    form.PrintBtn->click();
    EXPECT_EQ(PdfInfo(PdfPath(), QStringLiteral("Pages")), QStringLiteral("3"));
    EXPECT_EQ(JobPrintObject->GetScale(), 0.64f);
    EXPECT_TRUE(form.isVisible()) << "the window stays open after printing";
    form.NextPage->click();
    EXPECT_EQ(ShownMark(0.64f), 2) << "drawn at the zoom chosen before printing";
    const QImage page = RenderPdfPage(PdfPath(), 3, 600, QSize(3000, 1500));
    const QRect mark = DarkBox(page, page.rect());
    EXPECT_NEAR(mark.left(), 1800, 1) << "printed at full scale: 3 in";
    EXPECT_NEAR(mark.width(), 300, 1);
  });
}

// Right-aligned text and wide lines follow the zoom like everything else: the
// margins take the zoom twice and the right-aligned writes divide it out again.
TEST_F(PreviewWindow, RightAlignedTextAndWideLinesScaleWithTheZoom) {
  EXPECT_TRUE(po_->Start());
  po_->SetFontSize(20);
  po_->WriteLineRight(1.0f, QStringLiteral("RIGHT"));
  po_->DrawLine(1.0f, 3.0f, 5.0f, 3.0f, 100);  // printer pixels: about 16 screen pixels
  struct Ink {
    int right = -1, lineTop = -1, lineBottom = -1;
  };
  auto measure = [] {
    Ink ink;
    // Only the page's own area: the image is larger than any zoomed page.
    const QImage &img = DisplayPage->Picture();
    const QSize page = DisplayPage->size();
    for (int y = 0; y < page.height() / 4; ++y)
      for (int x = 0; x < page.width(); ++x)
        if (qGray(img.pixel(x, y)) < 128) ink.right = std::max(ink.right, x);
    const int column = page.width() / 4;  // crosses the line between 1 and 5 in
    for (int y = page.height() / 4; y < page.height(); ++y)
      if (qGray(img.pixel(column, y)) < 128) {
        if (ink.lineTop < 0) ink.lineTop = y;
        ink.lineBottom = y;
      }
    return ink;
  };
  Ink full, seventy;
  QTimer::singleShot(0, [&] {
    TPreviewForm *form = CurrentPreview;
    ASSERT_NE(form, nullptr);
    form->ZoomFactor->setCurrentIndex(4);
    form->ZoomFactorChange();
    full = measure();
    form->ZoomFactor->setCurrentIndex(1);
    form->ZoomFactorChange();
    seventy = measure();
    form->close();
  });
  po_->Quit();
  ASSERT_GT(full.right, 0);
  ASSERT_GT(seventy.right, 0);
  ASSERT_GT(full.lineTop, 0);
  ASSERT_GT(seventy.lineTop, 0);
  ASSERT_GT(full.lineBottom - full.lineTop, 8) << "the wide line is drawn wide at 100 %";
  EXPECT_NEAR(seventy.right, full.right * 0.64, 3) << "right edge of right-aligned text";
  EXPECT_NEAR(seventy.lineTop, full.lineTop * 0.64, 3) << "line position";
  const int fullWidth = full.lineBottom - full.lineTop + 1;
  const int zoomedWidth = seventy.lineBottom - seventy.lineTop + 1;
  EXPECT_LT(zoomedWidth, fullWidth) << "a wide line gets thinner with the zoom";
  EXPECT_NEAR(zoomedWidth, fullWidth * 0.64, 2);
}
