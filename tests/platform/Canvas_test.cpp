// Pixel rules of the canvas, checked on images: which pixels each call
// covers, opaque and clear text cells, rotated text, stretching, fonts.
#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "platform/Picture.h"

using namespace platform;

namespace {

// Bounding box of the pixels that differ from background; null when none.
QRect InkBox(const QImage &img, QRgb background) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF)) box |= QRect(x, y, 1, 1);
  return box;
}

int CountColor(const QImage &img, const QRect &area, TColor c) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (FromQRgb(img.pixel(x, y)) == c) ++n;
  return n;
}

// Every pixel inside box has colour c and every pixel outside has not.
void ExpectExactly(const QImage &img, const QRect &box, TColor c, const char *what) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const bool in = box.contains(x, y);
      const bool hit = FromQRgb(img.pixel(x, y)) == c;
      if (in != hit) {
        ADD_FAILURE() << what << ": pixel (" << x << "," << y << ") " << (in ? "missing" : "extra");
        return;
      }
    }
}

void SolidTools(Canvas &c, TColor color) {
  c.pen().color = color;
  c.pen().width = 1;
  c.pen().style = psSolid;
  c.brush().color = color;
  c.brush().style = bsSolid;
}

}  // namespace

TEST(ColorTest, RedIsTheLowestByte) {
  EXPECT_EQ(RGBColor(0x12, 0x34, 0x56), 0x563412);
  EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(clBlue), QColor(0, 0, 255));
  EXPECT_EQ(FromQColor(QColor(1, 2, 3)), RGBColor(1, 2, 3));
}

// A filled polygon covers its corner pixels and its edges, both ends
// included: the bars of a barcode rely on this.
TEST(CanvasTest, PolygonCoversCornersInclusively) {
  struct Case {
    QVector<QPoint> corners;
    QRect covered;
    const char *what;
  } cases[] = {
      {{{2, 3}, {2, 8}, {4, 8}, {4, 3}}, QRect(QPoint(2, 3), QPoint(4, 8)), "three columns"},
      {{{5, 0}, {5, 9}, {5, 9}, {5, 0}}, QRect(QPoint(5, 0), QPoint(5, 9)), "one column"},
      {{{0, 4}, {11, 4}, {11, 4}, {0, 4}}, QRect(QPoint(0, 4), QPoint(11, 4)), "one row"},
      {{{3, 3}, {3, 3}, {3, 3}, {3, 3}}, QRect(3, 3, 1, 1), "one pixel"},
      {{{1, 1}, {1, 8}, {10, 8}, {10, 1}}, QRect(QPoint(1, 1), QPoint(10, 8)), "wide box"},
  };
  for (const Case &k : cases) {
    Picture pic(12, 10, clWhite);
    SolidTools(pic.canvas(), clBlack);
    pic.canvas().Polygon(k.corners);
    ExpectExactly(pic.Image(), k.covered, clBlack, k.what);
  }
}

TEST(CanvasTest, LineLeavesOutItsLastPixel) {
  Picture pic(12, 12, clWhite);
  Canvas &c = pic.canvas();
  SolidTools(c, clBlack);
  c.MoveTo(1, 1);
  c.LineTo(8, 1);
  EXPECT_EQ(c.Pixel(1, 1), clBlack);
  EXPECT_EQ(c.Pixel(7, 1), clBlack);
  EXPECT_EQ(c.Pixel(8, 1), clWhite);
  EXPECT_EQ(c.PenPos(), QPoint(8, 1));
  c.LineTo(8, 10);
  EXPECT_EQ(c.Pixel(8, 1), clBlack);  // the next line starts there
  EXPECT_EQ(c.Pixel(8, 9), clBlack);
  EXPECT_EQ(c.Pixel(8, 10), clWhite);
  // Backwards and slanted lines also stop before their end.
  c.LineTo(2, 10);
  EXPECT_EQ(c.Pixel(8, 10), clBlack);
  EXPECT_EQ(c.Pixel(3, 10), clBlack);
  EXPECT_EQ(c.Pixel(2, 10), clWhite);
  c.MoveTo(10, 10);
  c.LineTo(4, 4);
  EXPECT_EQ(c.Pixel(10, 10), clBlack);
  EXPECT_EQ(c.Pixel(5, 5), clBlack);
  EXPECT_EQ(c.Pixel(4, 4), clWhite);
}

TEST(CanvasTest, BoxCallsStopBeforeRightAndBottom) {
  {
    Picture pic(12, 12, clWhite);
    SolidTools(pic.canvas(), clBlack);
    pic.canvas().Rectangle(2, 3, 7, 9);
    ExpectExactly(pic.Image(), QRect(QPoint(2, 3), QPoint(6, 8)), clBlack, "Rectangle");
  }
  {
    Picture pic(12, 12, clWhite);
    SolidTools(pic.canvas(), clRed);
    pic.canvas().FillRect(QRect(QPoint(1, 1), QPoint(4, 5)));
    ExpectExactly(pic.Image(), QRect(QPoint(1, 1), QPoint(4, 5)), clRed, "FillRect");
  }
  {
    Picture pic(20, 20, clWhite);
    SolidTools(pic.canvas(), clBlack);
    pic.canvas().Ellipse(2, 4, 12, 18);
    EXPECT_EQ(InkBox(pic.Image(), 0xFFFFFF), QRect(QPoint(2, 4), QPoint(11, 17)));
  }
}

TEST(CanvasTest, RectangleWithClearBrushDrawsOnlyTheOutline) {
  Picture pic(12, 12, clWhite);
  Canvas &c = pic.canvas();
  SolidTools(c, clBlack);
  c.brush().style = bsClear;
  c.Rectangle(1, 1, 9, 9);
  EXPECT_EQ(c.Pixel(1, 1), clBlack);
  EXPECT_EQ(c.Pixel(8, 8), clBlack);
  EXPECT_EQ(c.Pixel(4, 4), clWhite);
}

TEST(CanvasTest, ArcAndPieStayInTheirQuarter) {
  // A quarter from the ray to the right to the ray upwards: top-right only.
  Picture pic(40, 40, clWhite);
  Canvas &c = pic.canvas();
  SolidTools(c, clBlack);
  c.Pie(0, 0, 40, 40, 40, 20, 20, 0);
  const QRect ink = InkBox(pic.Image(), 0xFFFFFF);
  EXPECT_GE(ink.left(), 19);
  EXPECT_LE(ink.bottom(), 20);
  EXPECT_GT(CountColor(pic.Image(), QRect(25, 5, 10, 10), clBlack), 50);  // filled
  Picture arc(40, 40, clWhite);
  SolidTools(arc.canvas(), clBlack);
  arc.canvas().Arc(0, 0, 40, 40, 40, 20, 20, 0);
  EXPECT_EQ(FromQRgb(arc.Image().pixel(25, 15)), clWhite);  // not filled
  EXPECT_GE(InkBox(arc.Image(), 0xFFFFFF).left(), 19);
}

TEST(CanvasTest, FloodFillStopsAtTheBorder) {
  Picture pic(20, 20, clWhite);
  Canvas &c = pic.canvas();
  SolidTools(c, clBlack);
  c.brush().style = bsClear;
  c.Rectangle(2, 2, 12, 12);
  c.brush().style = bsSolid;
  c.brush().color = clRed;
  c.FloodFill(5, 5, clWhite, fsSurface);
  EXPECT_EQ(CountColor(pic.Image(), QRect(3, 3, 8, 8), clRed), 64);
  EXPECT_EQ(c.Pixel(15, 15), clWhite);
  EXPECT_EQ(c.Pixel(2, 2), clBlack);
  c.brush().color = clBlue;
  c.FloodFill(15, 15, clBlack, fsBorder);  // everything outside the black frame
  EXPECT_EQ(c.Pixel(0, 0), clBlue);
  EXPECT_EQ(c.Pixel(5, 5), clRed);
}

TEST(CanvasTest, PixelsReadAndWrite) {
  Picture pic(4, 4, clWhite);
  pic.canvas().SetPixel(1, 2, RGBColor(10, 20, 30));
  EXPECT_EQ(pic.canvas().Pixel(1, 2), RGBColor(10, 20, 30));
  EXPECT_EQ(pic.canvas().Pixel(9, 9), clNone);
}

// The text cell is filled in the brush colour when the brush is solid and
// left alone when it is clear; the glyphs take the font colour.
TEST(CanvasTest, OpaqueAndClearText) {
  for (bool opaque : {true, false}) {
    Picture pic(120, 40, clRed);
    Canvas &c = pic.canvas();
    c.font().SetName("Tahoma");
    c.font().SetSize(12);
    c.font().SetColor(clBlack);
    c.brush().color = clWhite;
    c.brush().style = opaque ? bsSolid : bsClear;
    const QSize cell = c.TextExtent("Hg8");
    c.TextOut(10, 5, "Hg8");
    const QRect area(QPoint(10, 5), cell);
    const int white = CountColor(pic.Image(), area, clWhite);
    const int black = CountColor(pic.Image(), area, clBlack);
    const int red = CountColor(pic.Image(), area, clRed);
    EXPECT_GT(black, 10) << "glyphs drawn, opaque=" << opaque;
    if (opaque) {
      EXPECT_EQ(red, 0) << "cell fully filled";
      EXPECT_EQ(white + black, cell.width() * cell.height());
      EXPECT_EQ(InkBox(pic.Image(), 0xFF0000), area) << "nothing outside the cell";
    } else {
      EXPECT_EQ(white, 0);
      EXPECT_GT(red, black);
      EXPECT_TRUE(area.contains(InkBox(pic.Image(), 0xFF0000)));
    }
  }
}

// Escapement turns the cell counter-clockwise about its top-left corner.
TEST(CanvasTest, RotatedTextExtents) {
  struct Case {
    int tenths;
    const char *what;
  } cases[] = {{0, "upright"}, {900, "90"}, {1800, "180"}, {2700, "270"}};
  for (const Case &k : cases) {
    Picture pic(200, 200, clRed);
    Canvas &c = pic.canvas();
    c.font().SetSize(12);
    c.brush().color = clWhite;
    const QSize cell = c.TextExtent("123456");
    c.font().SetEscapement(k.tenths);
    c.font().SetOrientation(k.tenths);
    c.TextOut(100, 100, "123456");
    const int w = cell.width(), h = cell.height();
    QRect expected;
    switch (k.tenths) {
      case 0:
        expected = QRect(100, 100, w, h);
        break;
      case 900:
        expected = QRect(100, 100 - w, h, w);
        break;
      case 1800:
        expected = QRect(100 - w, 100 - h, w, h);
        break;
      default:
        expected = QRect(100 - h, 100, h, w);
        break;
    }
    const QRect ink = InkBox(pic.Image(), 0xFF0000);
    // The rotated cell may land one pixel off on each side of its box.
    EXPECT_LE(std::abs(ink.width() - expected.width()), 1) << k.what;
    EXPECT_LE(std::abs(ink.height() - expected.height()), 1) << k.what;
    EXPECT_LE((ink.center() - expected.center()).manhattanLength(), 2) << k.what;
  }
}

TEST(CanvasTest, StretchDrawDoesNotSmooth) {
  QImage checker(2, 2, QImage::Format_RGB32);
  checker.setPixel(0, 0, 0xFF000000);
  checker.setPixel(1, 1, 0xFF000000);
  checker.setPixel(1, 0, 0xFFFFFFFF);
  checker.setPixel(0, 1, 0xFFFFFFFF);
  Picture src(checker);
  Picture dst(30, 30, clRed);
  dst.canvas().StretchDraw(QRect(5, 5, 20, 20), src);
  const QImage &img = dst.Image();
  EXPECT_EQ(CountColor(img, QRect(5, 5, 10, 10), clBlack), 100);
  EXPECT_EQ(CountColor(img, QRect(15, 5, 10, 10), clWhite), 100);
  EXPECT_EQ(CountColor(img, QRect(5, 15, 10, 10), clWhite), 100);
  EXPECT_EQ(CountColor(img, QRect(15, 15, 10, 10), clBlack), 100);
  EXPECT_EQ(InkBox(img, 0xFF0000), QRect(5, 5, 20, 20));
  dst.canvas().Draw(0, 0, src);
  EXPECT_EQ(dst.canvas().Pixel(0, 0), clBlack);
  EXPECT_EQ(dst.canvas().Pixel(1, 0), clWhite);
}

TEST(CanvasTest, SavedStateComesBack) {
  Picture pic(4, 4);
  Canvas &c = pic.canvas();
  c.pen().color = clBlue;
  c.brush().style = bsClear;
  c.font().SetSize(14);
  const Canvas::State kept = c.SaveState();
  c.pen().color = clRed;
  c.brush().style = bsSolid;
  c.font().SetSize(30);
  c.font().SetEscapement(900);
  c.RestoreState(kept);
  EXPECT_EQ(c.pen().color, clBlue);
  EXPECT_EQ(c.brush().style, bsClear);
  EXPECT_EQ(c.font().Size(), 14);
  EXPECT_EQ(c.font().Escapement(), 0);
}

// A font keeps its point size when it moves to a surface of another
// resolution: a zoomed page gives zoomed text.
TEST(FontTest, PointSizeFollowsTheSurface) {
  Font screen;
  screen.SetHeight(-12);
  EXPECT_EQ(screen.Size(), 9);
  screen.SetSize(10);
  EXPECT_EQ(screen.Height(), -13);

  Picture page(10, 10);
  Canvas &c = page.canvas();
  c.SetPixelsPerInch(600);
  c.SetFont(screen);
  EXPECT_EQ(c.font().Size(), 10);
  EXPECT_EQ(c.font().Height(), -83);
  EXPECT_EQ(c.font().PixelsPerInch(), 600);

  Canvas same(&const_cast<QImage &>(page.Image()));
  same.SetFont(screen);
  EXPECT_EQ(same.font().Height(), -13);  // same resolution: height as it was
}

TEST(FontTest, ZoomedSurfaceMeasuresLargerText) {
  Font f("Tahoma", 10);
  Picture a(10, 10), b(10, 10);
  a.canvas().SetFont(f);
  b.canvas().SetPixelsPerInch(192);
  b.canvas().SetFont(f);
  const int ha = a.canvas().TextHeight("X"), hb = b.canvas().TextHeight("X");
  EXPECT_NEAR(hb, 2 * ha, 2);
  // Hinted advances do not scale exactly; within a tenth.
  const int wa = a.canvas().TextWidth("12345"), wb = b.canvas().TextWidth("12345");
  EXPECT_NEAR(wb, 2 * wa, wa / 5);
}

// On a painter someone else owns, the canvas leaves the painter's own
// settings as it found them.
TEST(CanvasTest, BorrowedPainterIsLeftAsFound) {
  QImage img(10, 10, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter painter(&img);
  painter.setPen(QPen(Qt::green, 3));
  {
    Canvas c(&painter);
    SolidTools(c, clBlack);
    c.Polygon({{1, 1}, {1, 3}, {3, 3}, {3, 1}});
    EXPECT_EQ(c.Pixel(2, 2), clBlack);
  }
  EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
  EXPECT_EQ(painter.pen().width(), 3);
  painter.end();
}

TEST(PictureTest, EmptyAndSized) {
  Picture p;
  EXPECT_TRUE(p.IsEmpty());
  p.canvas().FillRect(QRect(0, 0, 5, 5));  // nothing to draw on, no failure
  p.SetSize(7, 3, clBlue);
  EXPECT_FALSE(p.IsEmpty());
  EXPECT_EQ(p.Width(), 7);
  EXPECT_EQ(p.canvas().Pixel(6, 2), clBlue);
  Picture copy = p;
  copy.canvas().SetPixel(0, 0, clRed);
  EXPECT_EQ(p.canvas().Pixel(0, 0), clBlue) << "copies are private";
  p.SetSize(0, 5);
  EXPECT_TRUE(p.IsEmpty());
}
