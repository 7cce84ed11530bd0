#include "print/PrintDr1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QPainter>
#include <QTimer>

#include "PrintTestSupport.h"
#include "platform/Canvas.h"

TEST(PageStore, PagesAndCommands) {
  TMWPages pages;
  EXPECT_EQ(pages.Count(), 0);
  EXPECT_EQ(pages.Get(1), nullptr);

  pages.StoreText(1, 1, QStringLiteral("lost"), clWhite);  // no page open yet
  pages.NewPage();
  pages.NewPage();
  pages.StoreSetY(2.5f);
  ASSERT_EQ(pages.Count(), 2);
  EXPECT_EQ(pages.CurrentPage, 2);
  EXPECT_EQ(pages.Get(1)->Count(), 0);
  ASSERT_EQ(pages.Get(2)->Count(), 1);
  EXPECT_EQ(pages.Get(2)->Get(1)->Command(), commSetY);
  EXPECT_EQ(pages.Get(2)->Get(2), nullptr);
  EXPECT_EQ(pages.Get(3), nullptr);

  pages.StoreGeneral(commNewPage);
  EXPECT_EQ(pages.Count(), 3);
  EXPECT_EQ(pages.Get(3)->Count(), 0) << "commNewPage opens a page and records nothing";
  pages.StoreGeneral(commSaveY);
  EXPECT_EQ(pages.Get(3)->Get(1)->Command(), commSaveY);

  pages.FirstPage = 2;
  pages.LastPage = 3;
  pages.ClearAll();
  EXPECT_EQ(pages.Count(), 0);
  EXPECT_EQ(pages.CurrentPage, 0);
  EXPECT_EQ(pages.FromPage(), 0);
  EXPECT_EQ(pages.ToPage(), 0);
}

TEST(PageStore, RecordsKeepTheirFieldsAsGiven) {
  TMWPages pages;
  pages.NewPage();
  pages.StoreMargins(0.5f, 10.5f, 0.25f, 8.0f);
  pages.StoreText(-1, 3.25f, QStringLiteral("价格"), 0x00FF00);
  pages.StoreHeaderInf(3, 0.4f, QStringLiteral("Head"), 2, QStringLiteral("Arial"), 12, fsBold,
                       0x0000FF);
  pages.StorePageNumber(10.5f, QStringLiteral("Page"), 1, true, QStringLiteral("宋体"), 9, fsItalic,
                        clBlack);
  pages.StoreColRight(4, 2.0f, QStringLiteral("9.99"));
  pages.StorePolygon(std::vector<float>(120, 1.0f));
  pages.StoreFillRect(96, 96, 192, 192);

  TMWPageList &p = *pages.Get(1);
  ASSERT_EQ(p.Count(), 7);
  auto *m = static_cast<TMWMargins *>(p.Get(1));
  EXPECT_EQ(m->X1(), 0.5f);   // top
  EXPECT_EQ(m->Y1(), 10.5f);  // bottom
  EXPECT_EQ(m->X2(), 0.25f);  // left
  EXPECT_EQ(m->Y2(), 8.0f);   // right
  auto *t = static_cast<TMWText *>(p.Get(2));
  EXPECT_EQ(t->X(), -1.0f) << "special x values are kept";
  EXPECT_EQ(t->Y(), 3.25f);
  EXPECT_EQ(t->Text(), QStringLiteral("价格"));
  EXPECT_EQ(t->BrushColor(), 0x00FF00);
  auto *h = static_cast<TMWHeaderInf *>(p.Get(3));
  EXPECT_EQ(h->Command(), commHeaderInf);
  EXPECT_EQ(h->Line(), 3);
  EXPECT_EQ(h->Alignment(), 2);
  EXPECT_EQ(h->FontName(), QStringLiteral("Arial"));
  EXPECT_EQ(h->Size(), 12);
  EXPECT_EQ(h->Style(), fsBold);
  EXPECT_EQ(h->Color(), 0x0000FF);
  auto *n = static_cast<TMWPageNumber *>(p.Get(4));
  EXPECT_TRUE(n->IncludeTotal());
  EXPECT_EQ(n->Text(), QStringLiteral("Page"));
  EXPECT_EQ(n->FontName(), QStringLiteral("宋体"));
  auto *c = static_cast<TMWColRight *>(p.Get(5));
  EXPECT_EQ(c->ColumnNumber(), 4);
  auto *poly = static_cast<TMWPolygon *>(p.Get(6));
  EXPECT_EQ(poly->Command(), commPolygon);
  EXPECT_EQ(poly->Num, 100) << "a polygon record holds 100 values at most";
  auto *f = static_cast<TMWFillRect *>(p.Get(7));
  EXPECT_EQ(f->X2(), 192.0f);
}

TEST(PageStore, GraphicIsAPrivateCopyWithCrossedSizeNames) {
  platform::BoxHandler old = platform::SetBoxHandler([](const platform::BoxRequest &) {
    ADD_FAILURE() << "no message expected";
    return platform::BoxAnswer::Ok;
  });
  TPicture source(20, 10, clWhite);

  TMWPages pages;
  pages.NewPage();
  pages.StoreGraphic(1, 2, 3.5f, 1.5f, source);  // 3.5 in wide, 1.5 in high
  source.canvas().brush().color = clBlack;       // the scratch picture is reused
  source.canvas().FillRect(QRect(0, 0, 20, 10));
  source.canvas().End();
  ASSERT_EQ(source.Image().pixel(5, 5), qRgb(0, 0, 0));

  auto *g = static_cast<TMWGraphic *>(pages.Get(1)->Get(1));
  EXPECT_EQ(g->Height(), 3.5f) << "Height carries the width";
  EXPECT_EQ(g->Width(), 1.5f) << "Width carries the height";
  EXPECT_EQ(g->ImageType(), 1);
  EXPECT_EQ(g->BitMap().Width(), 20);
  EXPECT_EQ(g->BitMap().Image().pixel(5, 5), qRgb(255, 255, 255));

  pages.StoreGraphic(0, 0, 1, 1, TPicture());
  auto *empty = static_cast<TMWGraphic *>(pages.Get(1)->Get(2));
  EXPECT_EQ(empty->ImageType(), 0) << "an empty picture is recorded but not copied";
  EXPECT_TRUE(empty->BitMap().IsEmpty());
  platform::SetBoxHandler(old);
}

TEST(PreviewSurface, PageSizeFollowsPaperAndOrientation) {
  TPreviewForm form;
  EXPECT_EQ(form.NormalPixelsPerInch, 96);
  ASSERT_NE(DisplayPage, nullptr);
  EXPECT_EQ(DisplayPage->objectName(), QStringLiteral("DisplayPage"));
  EXPECT_EQ(DisplayPage->Picture().size(), QSize(2000, 2000));
  EXPECT_EQ(DisplayPage->pos(), QPoint(10, 10));
  EXPECT_EQ(form.GetCurrentPage(), DisplayPage);

  struct Row {
    PaperSizes paper;
    TPrinterOrientation orient;
    int width, height;
  } rows[] = {
      {PAPER_A4, poPortrait, 796, 1123},  // 96 x 8.3 = 796.8, 96 x 11.7 = 1123.2
      {PAPER_A4, poLandscape, 1123, 796},
      {PAPER_LETTER, poPortrait, 816, 1056},
      {TBA1, poPortrait, 0, 0},
  };
  for (const Row &r : rows) {
    PaperWidthInches = PaperSizeData(r.paper).width;
    PaperHeightInches = PaperSizeData(r.paper).height;
    form.SetOrient(r.orient);
    EXPECT_EQ(form.GetWidth(), r.width)
        << "paper " << int(r.paper) << " orientation " << int(r.orient);
    EXPECT_EQ(form.GetHeight(), r.height)
        << "paper " << int(r.paper) << " orientation " << int(r.orient);
  }
}

TEST(PreviewSurface, AbortWhitensThePageAndZeroesTheTotal) {
  TPreviewForm form;
  platform::Canvas &canvas = DisplayPage->Canvas();
  canvas.brush().color = clBlack;
  canvas.FillRect(QRect(0, 0, 300, 300));
  ASSERT_EQ(canvas.Pixel(100, 100), clBlack);
  TotalPages = 5;
  form.CurrentPage = 3;
  form.Abort();
  EXPECT_EQ(TotalPages, 0);
  EXPECT_EQ(form.CurrentPage, 0);
  EXPECT_EQ(canvas.Pixel(100, 100), clWhite);
  EXPECT_EQ(canvas.brush().color, clBlack) << "clearing keeps the brush colour";
}

TEST(PreviewSurface, ClosingReleasesThePageImage) {
  auto *form = new TPreviewForm;
  CurrentPreview = form;
  QPointer<TPreviewForm> watch(form);
  form->show();
  form->close();
  EXPECT_EQ(DisplayPage, nullptr);
  EXPECT_EQ(CurrentPreview, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(watch.isNull()) << "the window destroys itself when closed";
}

class PrintOptions : public PrintTest {};

TEST_F(PrintOptions, DialogChoosesThePagesAndReadsThePrinterPaper) {
  ASSERT_TRUE(po_->Start());
  for (int i = 0; i < 4; ++i) po_->PageFeed();
  ASSERT_EQ(TotalPages, 5);
  JobPages->FirstPage = 1;
  JobPages->LastPage = 5;

  // The printer's settings after the dialog: A4, landscape.
  platform::DeviceSettings a4;
  a4.paperCode = 9;
  a4.orientationCode = platform::kOrientationLandscape;

  struct Case {
    bool accept;
    bool result;
    PaperSizes paper;
    TPrinterOrientation orientation;
  } cases[] = {{false, false, PAPER_LETTER, poPortrait}, {true, true, PAPER_A4, poLandscape}};
  for (const Case &c : cases) {
    JobPages->FirstPage = 2;
    JobPages->LastPage = 3;
    platform::Printer().ApplySettings(a4);
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
      if (!dialog) return;
      seen = true;
      c.accept ? dialog->accept() : dialog->reject();
    });
    EXPECT_EQ(JobPages->SetPrintOptions(), c.result);
    EXPECT_TRUE(seen);
    EXPECT_EQ(JobPages->FirstPage, c.accept ? 1 : 2) << "all pages when the range is left alone";
    EXPECT_EQ(JobPages->LastPage, c.accept ? 5 : 3);
    EXPECT_EQ(po_->PaperSize(), c.paper);
    EXPECT_EQ(po_->Orientation(), c.orientation);
  }
}
