// The drawing core against the worked examples: which columns and rows the
// bars cover at each right angle, where the text pieces go, the extents and
// the printer conversions.
#include "barcode/HBarCode_draw.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/Exception.h"
#include "platform/Picture.h"
#include "platform/PrinterDevice.h"

using namespace barcode;
using namespace platform;

namespace {

// EAN-13 6901028095884 in modules (1 = bar), worked out from the EAN-13
// standard's L, G and R sets and the parity row of the leading 6.
const char kEan13Modules[] =
    "10100010110100111011001101001110010011011011101010111001011101001001110100100010010001011100"
    "101";

constexpr TColor kBackground = clSilver;  // untouched pixels
constexpr TColor kBar = clBlack;
constexpr TColor kSpace = clWhite;
constexpr TColor kCell = clYellow;  // text cell background

struct Drawn {
  Picture picture;
  Font font;
};

Drawn DrawOn(int w, int h, TBarType type, const QString &data, int left, int top, int height,
             TTextShow show, TTextPosition pos, double angle, int modul = 1) {
  Drawn d{Picture(w, h, kBackground), Font("Tahoma", 9)};
  H_DrawBar(d.picture.canvas(), type, data, modul, 2.0, csNone, left, top, height, d.font, show,
            pos, kBar, kSpace, kCell, angle);
  return d;
}

TColor At(const Picture &p, int x, int y) {
  return FromQRgb(p.Image().pixel(x, y));
}

QRect BoxOf(const Picture &p, TColor c, const QRect &within) {
  QRect box;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x)
      if (p.Image().valid(x, y) && At(p, x, y) == c) box |= QRect(x, y, 1, 1);
  return box;
}

QRect BoxOf(const Picture &p, TColor c) {
  return BoxOf(p, c, p.Image().rect());
}

}  // namespace

// Worked example: EAN-13 at Left 8, height 40, the label window's text
// layout. Bars over columns 8 to 102 and rows 0 to 40; the pieces "6",
// "901028" and "095884" at x 0, 12 and 58 with their bottom row at 40.
TEST(DrawBarTest, Ean13ThreePieceTextAtBottomLeft) {
  Drawn d = DrawOn(130, 60, bcCodeEAN13, "6901028095884", 8, 0, 40, tsBarCode, tpBottomLeft, 0);
  const Picture &p = d.picture;
  for (int m = 0; m < 95; ++m) {
    const TColor want = kEan13Modules[m] == '1' ? kBar : kSpace;
    EXPECT_EQ(At(p, 8 + m, 0), want) << "module " << m;
    EXPECT_EQ(At(p, 8 + m, 10), want) << "module " << m;
  }
  // Above the text nothing right of the bars; below row 40 nothing at all
  // (the last piece may reach past the bars in its own rows).
  for (int y = 0; y < 20; ++y) EXPECT_EQ(At(p, 103, y), kBackground) << "row " << y;
  EXPECT_TRUE(BoxOf(p, kBar, QRect(0, 41, 130, 19)).isNull());
  EXPECT_TRUE(BoxOf(p, kCell, QRect(0, 41, 130, 19)).isNull());
  const QRect cells = BoxOf(p, kCell);
  EXPECT_EQ(cells.left(), 0);
  EXPECT_EQ(cells.bottom(), 40);
  EXPECT_EQ(BoxOf(p, kCell, QRect(9, 0, 40, 41)).left(), 12);
  // The last piece may overlap the middle one; its right edge shows where it starts.
  Picture probe(10, 10);
  probe.canvas().SetFont(Font("Tahoma", 10));
  EXPECT_EQ(cells.right(), 58 + probe.canvas().TextWidth("095884") - 1);
  EXPECT_EQ(BoxOf(p, kCell, QRect(0, 0, 8, 41)).right(), probe.canvas().TextWidth("6") - 1);
  EXPECT_EQ(d.font.Size(), 10) << "the caller's font keeps the size of the pieces";
}

TEST(DrawBarTest, CentredTextIsOnePieceInsideTheBars) {
  Drawn d = DrawOn(130, 60, bcCodeEAN13, "6901028095884", 8, 0, 40, tsBarCode, tpBottomCenter, 0);
  const QRect cell = BoxOf(d.picture, kCell);
  Picture probe(10, 10);
  probe.canvas().SetFont(Font("Tahoma", 9));
  const QSize size = probe.canvas().TextExtent("6901028095884");
  EXPECT_EQ(cell.left(), 8 + (95 - size.width()) / 2);
  EXPECT_EQ(cell.bottom(), 40);
  EXPECT_EQ(cell.height(), size.height());
  EXPECT_EQ(d.font.Size(), 9) << "only the three-piece layout resizes the font";
}

// The four right angles: where the drawing lies and where its first and
// last bar end up (W = 95, H = 40, Left = Top = 0).
TEST(DrawBarTest, RightAngles) {
  struct Case {
    double angle;
    QRect bars;                // everything the drawing covers
    QPoint firstBar, lastBar;  // a pixel of the first and of the last module
    bool rowsAlongPattern;     // the pattern runs down (true) or across
  } cases[] = {
      {0, QRect(QPoint(0, 0), QPoint(94, 40)), {0, 5}, {94, 5}, false},
      {90, QRect(QPoint(0, 1), QPoint(40, 95)), {5, 95}, {5, 1}, true},
      {180, QRect(QPoint(1, 0), QPoint(95, 40)), {95, 5}, {1, 5}, false},
      {270, QRect(QPoint(0, 0), QPoint(40, 94)), {5, 0}, {5, 94}, true},
  };
  for (const Case &k : cases) {
    Drawn d =
        DrawOn(120, 120, bcCodeEAN13, "6901028095884", 0, 0, 40, tsNone, tpBottomLeft, k.angle);
    const Picture &p = d.picture;
    const QRect all = BoxOf(p, kBar) | BoxOf(p, kSpace);
    EXPECT_EQ(all, k.bars) << "angle " << k.angle;
    EXPECT_EQ(At(p, k.firstBar.x(), k.firstBar.y()), kBar) << "angle " << k.angle;
    EXPECT_EQ(At(p, k.lastBar.x(), k.lastBar.y()), kBar) << "angle " << k.angle;
    // The module next to the first one is a space.
    const QPoint step =
        k.rowsAlongPattern ? QPoint(0, k.angle == 90 ? -1 : 1) : QPoint(k.angle == 180 ? -1 : 1, 0);
    const QPoint second = k.firstBar + step;
    EXPECT_EQ(At(p, second.x(), second.y()), kSpace) << "angle " << k.angle;
    // Every module across the whole bar height.
    for (int m = 0; m < 95; ++m) {
      const QPoint at = k.firstBar + step * m;
      const TColor want = kEan13Modules[m] == '1' ? kBar : kSpace;
      ASSERT_EQ(At(p, at.x(), at.y()), want) << "angle " << k.angle << " module " << m;
    }
  }
}

// PostNet "A" codes are short bars: the lower two fifths, from row
// H x 3 div 5 down to H.
TEST(DrawBarTest, ShortBarsCoverTheLowerTwoFifths) {
  // "1": "51" then "A1A1A15151" then "5": the first short bar at x 3.
  Drawn d = DrawOn(80, 50, bcCodePostNet, "1", 0, 0, 40, tsNone, tpBottomLeft, 0);
  for (int y = 0; y <= 45; ++y) {
    const TColor want = y < 24 ? kBackground : y <= 40 ? kBar : kBackground;
    EXPECT_EQ(At(d.picture, 3, y), want) << "row " << y;
  }
  EXPECT_EQ(At(d.picture, 0, 0), kBar) << "full bar";
}

TEST(DrawBarTest, TextShowChoosesTheText) {
  struct Case {
    TTextShow show;
    QString expected;
  } cases[] = {
      {tsBarCode, "A12B"},  // Codabar shows the data
      {tsBarType, "Codebar"},
      {tsBoth, "Codebar A12B"},
  };
  for (const Case &k : cases) {
    Drawn d = DrawOn(400, 60, bcCodeCodabar, "A12B", 0, 0, 40, k.show, tpTopLeft, 0);
    Picture probe(10, 10);
    probe.canvas().SetFont(Font("Tahoma", 9));
    EXPECT_EQ(BoxOf(d.picture, kCell).size(), probe.canvas().TextExtent(k.expected))
        << k.expected.toStdString();
    EXPECT_EQ(BoxOf(d.picture, kCell).topLeft(), QPoint(0, 0));
  }
  Drawn none = DrawOn(400, 60, bcCodeCodabar, "A12B", 0, 0, 40, tsNone, tpTopLeft, 0);
  EXPECT_TRUE(BoxOf(none.picture, kCell).isNull());
}

// At 180 degrees bottom text lands at the top of the turned drawing, and its
// cell turns with it, so it stays inside the drawing.
TEST(DrawBarTest, TurnedTextStaysWithTheBars) {
  for (double angle : {90.0, 180.0, 270.0}) {
    Drawn d = DrawOn(200, 200, bcCode128B, "Tarvel", 40, 40, 50, tsBarCode, tpBottomCenter, angle);
    const QRect bars = BoxOf(d.picture, kBar);
    const QRect cell = BoxOf(d.picture, kCell);
    ASSERT_FALSE(cell.isNull()) << angle;
    EXPECT_TRUE(bars.adjusted(-1, -1, 1, 1).contains(cell)) << angle;
  }
}

TEST(DrawBarTest, CanvasToolsAreGivenBack) {
  Picture p(200, 60);
  Canvas &c = p.canvas();
  c.pen().color = clRed;
  c.pen().width = 3;
  c.brush().color = clBlue;
  c.brush().style = bsClear;
  c.font().SetName("Courier New");
  c.font().SetSize(20);
  const Canvas::State before = c.SaveState();
  Font text("Tahoma", 9);
  H_DrawBar(c, bcCodeEAN13, "6901028095884", 1, 2.0, csNone, 10, 0, 40, text, tsBarCode,
            tpBottomLeft, clBlack, clWhite, clWhite, 90);
  EXPECT_EQ(c.pen(), before.pen);
  EXPECT_EQ(c.brush(), before.brush);
  EXPECT_EQ(c.font(), before.font);
}

// A refused request fails before anything is drawn.
TEST(DrawBarTest, RefusalsDrawNothing) {
  struct Case {
    TBarType type;
    QString data;
    int modul;
    int height;
    double angle;
    QString message;
  } cases[] = {
      {bcCodeEAN13, "12a", 1, 40, 0, "12a : Barcode must be numeric."},
      {bcCode93, "abc", 1, 40, 0, "abc : Code_93 bad data."},
      {bcCode128B, "x", 0, 40, 0, kMsgBarWidth},
      {bcCode128B, "x", 1, 40, qQNaN(), kMsgDrawRange},
      {bcCode128B, "x", 1, 40, qInf(), kMsgDrawRange},
      {bcCode128B, "x", 1, 1 << 30, 0, kMsgDrawRange},
      {bcCode128B, QString(200000, 'x'), 49, 40, 0, kMsgDrawRange},
  };
  for (const Case &k : cases) {
    Picture p(50, 50, kBackground);
    Font f("Tahoma", 9);
    try {
      H_DrawBar(p.canvas(), k.type, k.data, k.modul, 2.0, csNone, 0, 0, k.height, f, tsBarCode,
                tpBottomLeft, kBar, kSpace, kCell, k.angle);
      ADD_FAILURE() << "no error for " << k.message.toStdString();
    } catch (const Exception &e) {
      EXPECT_EQ(e.Message(), k.message);
    }
    EXPECT_TRUE(BoxOf(p, kBar).isNull() && BoxOf(p, kSpace).isNull()) << k.message.toStdString();
  }
}

TEST(DrawBarTest, Extents) {
  struct Case {
    double angle;
    int width, height;
  } cases[] = {
      {0, 40, 96},  // worked example: 40.5 and 95.5, halves to even
      // At the other right angles the computed sine or cosine is a tiny
      // number, not 0, and tips 40.5 over to 41.
      {90, 96, 41},
      {180, 41, 96},
      {270, 96, 41},
      {45, 96, 96},  // 95 x 0.707 + 40 x 0.707 + 0.5 = 95.96
  };
  for (const Case &k : cases) {
    EXPECT_EQ(H_GetCanvasWidth(bcCodeEAN13, "6901028095884", 1, 2.0, csNone, 40, k.angle), k.width)
        << k.angle;
    EXPECT_EQ(H_GetCanvasHeight(bcCodeEAN13, "6901028095884", 1, 2.0, csNone, 40, k.angle),
              k.height)
        << k.angle;
  }
  EXPECT_EQ(H_GetBarWidth(bcCodeEAN13, "6901028095884", 2, 2.0, csNone), 190);
  EXPECT_EQ(H_GetBarTypeName(bcCodeCodabar), "Codebar");
}

TEST(PrinterUnitsTest, ConversionsRoundHalvesToEven) {
  struct Case {
    TUnits unit;
    double value;
    int dpi;
    int pixels;
  } cases[] = {
      {utMillimeter, 0.33, 600, 8},                                                   // 7.80
      {utMillimeter, 25.4, 300, 300}, {utInch, 0.5, 600, 300}, {utInch, 1.25, 2, 2},  // 2.5
      {utInch, 1.75, 2, 4},                                                           // 3.5
  };
  for (const Case &k : cases)
    EXPECT_EQ(UnitsToPixels(k.unit, k.value, k.dpi), k.pixels) << k.value << " at " << k.dpi;
  EXPECT_EQ(PixelsToUnits(utMillimeter, 760, 600), 32);  // 32.17
  EXPECT_EQ(PixelsToUnits(utInch, 900, 600), 2);         // 1.5
  EXPECT_EQ(PixelsToUnits(utInch, 1500, 600), 2);        // 2.5
  EXPECT_THROW(UnitsToPixels(utInch, 1e300, 600), Exception);
}

class PrinterFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = SetPrinter(std::make_unique<PdfFileDevice>(dir_.filePath("bar.pdf"), 600));
  }
  void TearDown() override {
    if (Printer().Printing()) Printer().EndDoc();
    SetPrinter(std::move(previous_));
  }
  QTemporaryDir dir_;
  std::unique_ptr<PrinterDevice> previous_;
};

TEST_F(PrinterFormsTest, MeasurementsInMillimetresAndInches) {
  // Worked example: a 0.33 mm module is 8 pixels at 600 dpi, W = 760 pixels,
  // 32.17 mm rounded.
  EXPECT_EQ(H_GetPrnBarWidth(utMillimeter, bcCodeEAN13, "6901028095884", 0.33, 2.0, csNone), 32);
  EXPECT_EQ(H_GetPrnBarWidth(utInch, bcCodeEAN13, "6901028095884", 0.01, 2.0, csNone), 1);  // 0.95
  // 760 pixels of pattern and a 10 mm (236 pixel) height.
  EXPECT_EQ(H_PrnCanvasWidth(utMillimeter, bcCodeEAN13, "6901028095884", 0.33, 2.0, csNone, 10, 0),
            10);
  EXPECT_EQ(H_PrnCanvasHeight(utMillimeter, bcCodeEAN13, "6901028095884", 0.33, 2.0, csNone, 10, 0),
            32);
  EXPECT_EQ(H_PrnCanvasWidth(utMillimeter, bcCodeEAN13, "6901028095884", 0.33, 2.0, csNone, 10, 90),
            32);
}

TEST_F(PrinterFormsTest, PrintOutsideAJobIsRefused) {
  Font f("Tahoma", 9);
  EXPECT_THROW(H_PrintBar(utMillimeter, bcCodeEAN13, "6901028095884", 0.33, 2.0, csNone, 10, 10, 15,
                          f, tsBarCode, tpBottomCenter, clBlack, clWhite, clWhite, 0),
               Exception);
  ASSERT_TRUE(Printer().BeginDoc("bar"));
  H_PrintBar(utMillimeter, bcCodeEAN13, "6901028095884", 0.33, 2.0, csNone, 10, 10, 15, f,
             tsBarCode, tpBottomCenter, clBlack, clWhite, clWhite, 0);
  Printer().EndDoc();
}
