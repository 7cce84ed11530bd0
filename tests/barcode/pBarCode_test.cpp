// The barcode control offscreen: initial values, the validating setters and
// their messages, synchronous painting, the frame metrics and placement.
#include "barcode/pBarCode.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "platform/Exception.h"

using namespace barcode;
using namespace platform;

namespace {

QString ErrorOf(const std::function<void()> &f) {
  try {
    f();
  } catch (const Exception &e) {
    return e.Message();
  }
  return QString();
}

// Pixels of the control's last painting in either of the two given colours.
QRect BoxOf(const TBarCode &c, TColor a, TColor b) {
  QRect box;
  const QImage &img = c.Surface().Image();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const TColor p = FromQRgb(img.pixel(x, y));
      if (p == a || p == b) box |= QRect(x, y, 1, 1);
    }
  return box;
}

}  // namespace

TEST(TBarCodeTest, InitialValues) {
  TBarCode c;
  EXPECT_EQ(c.BarType(), bcCode39);
  EXPECT_EQ(c.BarCode(), "");
  EXPECT_EQ(c.BarHeight(), 0);
  EXPECT_EQ(c.Modul(), 1);
  EXPECT_EQ(c.Ratio(), 2.0);
  EXPECT_EQ(c.CheckSum(), csNone);
  EXPECT_EQ(c.ColorSpc(), clWhite);
  EXPECT_EQ(c.ColorBar(), clBlack);
  EXPECT_EQ(c.Orientation(), toLeftRight);
  EXPECT_EQ(c.TextShow(), tsNone);
  EXPECT_EQ(c.TextPosition(), tpBottomCenter);
  EXPECT_EQ(c.TextColor(), clWhite);
  EXPECT_FALSE(c.AutoWidth());
  EXPECT_EQ(c.HMargin(), 0);
  EXPECT_FALSE(c.About().isEmpty());
  c.SetAbout("changed");
  EXPECT_NE(c.About(), "changed");
  EXPECT_EQ(c.Alignment(), taCenter);
  EXPECT_EQ(c.BevelInner(), bvNone);
  EXPECT_EQ(c.BevelOuter(), bvRaised);
  EXPECT_EQ(c.BevelWidth(), 1);
  EXPECT_EQ(c.BorderWidth(), 0);
  EXPECT_EQ(c.BorderStyle(), bsNone);
  EXPECT_EQ(c.Caption(), "");
  EXPECT_EQ(c.BarTypeName(), "Code39");
}

// The callers clear the text before they change the symbology.
TEST(TBarCodeTest, EmptyTextIsAcceptedByEverySymbology) {
  TBarCode c;
  for (int t = 0; t < kBarTypeCount; ++t) {
    c.SetBarCode("");
    c.SetBarType(TBarType(t));
    c.SetBarCode("1");
    EXPECT_EQ(ErrorOf([&] { c.SetBarCode(""); }), "") << BCdata[t].Name;
    EXPECT_EQ(c.BarCode(), "");
  }
}

// The refusal messages of the BarCode setter: "%s: %s" with the offered text,
// for digits-only symbologies before anything is stored and for the others
// after; the encoder's own "%s : %s" where the digits check let it through.
TEST(TBarCodeTest, BarCodeSetterRefusals) {
  struct Case {
    TBarType type;
    QString text;
    QString message;
    QString storedAfter;
    int changes;
  } cases[] = {
      {bcCodeEAN13, "12a", "12a: Barcode must be numeric.", "123", 0},
      // Blanks are trimmed for the check only; the encoder then refuses them.
      {bcCodeEAN13, " 123 ", " 123  : Barcode must be numeric.", " 123 ", 0},
      {bcCode93, "abc", "abc: Barcode must be numeric.", "abc", 0},
      {bcCode93, "ABC", "", "ABC", 1},
      {bcCodeEAN13, "", "", "", 1},
  };
  for (const Case &k : cases) {
    TBarCode c;
    c.SetBarType(k.type);
    c.SetBarCode("123");
    int changes = 0;
    c.SetOnChange([&](TBarCode *sender) {
      EXPECT_EQ(sender, &c);
      ++changes;
    });
    EXPECT_EQ(ErrorOf([&] { c.SetBarCode(k.text); }), k.message) << k.text.toStdString();
    EXPECT_EQ(c.BarCode(), k.storedAfter) << k.text.toStdString();
    EXPECT_EQ(changes, k.changes) << k.text.toStdString();
  }
}

TEST(TBarCodeTest, InvalidCharHandlerMayRepairTheText) {
  TBarCode c;
  c.SetBarType(bcCodeEAN13);
  QStringList offered;
  c.SetOnInvalidChar([&](TBarCode *, QString &t) {
    offered << t;
    t.remove(QRegularExpression("[^0-9]"));
  });
  c.SetBarCode("12a3");
  EXPECT_EQ(c.BarCode(), "123");
  EXPECT_EQ(offered, QStringList{"12a3"});

  // Non-digit symbologies: the handler sees the text after the drawing failed.
  offered.clear();
  c.SetBarType(bcCode93);
  c.SetOnInvalidChar([&](TBarCode *, QString &t) {
    offered << t;
    t = t.toUpper();
  });
  c.SetBarCode("abc");
  EXPECT_EQ(c.BarCode(), "ABC");
  EXPECT_EQ(offered, QStringList{"abc"});

  // A handler that gives the text back unchanged ends in the refusal.
  c.SetOnInvalidChar([](TBarCode *, QString &) {});
  EXPECT_EQ(ErrorOf([&] { c.SetBarCode("xyz"); }), "xyz: Barcode must be numeric.");
}

// A handler that keeps offering new refused texts is asked a bounded number
// of times, then the refusal comes out.
TEST(TBarCodeTest, EndlessHandlerDoesNotHang) {
  for (TBarType type : {bcCodeEAN13, bcCode93}) {
    TBarCode c;
    c.SetBarType(type);
    int calls = 0;
    c.SetOnInvalidChar([&](TBarCode *, QString &t) {
      ++calls;
      t = QStringLiteral("x%1").arg(calls);
    });
    EXPECT_EQ(ErrorOf([&] { c.SetBarCode("bad"); }), "bad: Barcode must be numeric.");
    EXPECT_GT(calls, 0);
    EXPECT_LT(calls, 100);
  }
}

TEST(TBarCodeTest, BarTypeSetterErrorsAndHandler) {
  TBarCode c;
  c.SetBarCode("AB12");
  EXPECT_EQ(ErrorOf([&] { c.SetBarType(bcCodeEAN13); }), "AB12 : Barcode must be numeric.");
  EXPECT_EQ(c.BarType(), bcCodeEAN13) << "the new type stays stored";

  TBarCode h;
  h.SetBarCode("AB12");
  QString seen;
  h.SetOnInvalidChar([&](TBarCode *, QString &t) {
    seen = t;
    t = "12";  // repairs the stored text itself
  });
  EXPECT_EQ(ErrorOf([&] { h.SetBarType(bcCodeEAN13); }), "");
  EXPECT_EQ(seen, "AB12");
  EXPECT_EQ(h.BarCode(), "12");
  EXPECT_EQ(h.BarType(), bcCodeEAN13);
}

TEST(TBarCodeTest, ModulAcceptsOneToFortyNine) {
  TBarCode c;
  int changes = 0;
  c.SetOnChange([&](TBarCode *) { ++changes; });
  for (int bad : {0, 50, -1}) c.SetModul(bad);
  EXPECT_EQ(c.Modul(), 1);
  EXPECT_EQ(changes, 0);
  c.SetModul(49);
  EXPECT_EQ(c.Modul(), 49);
  EXPECT_EQ(changes, 1);
}

TEST(TBarCodeTest, BarHeightLimits) {
  TBarCode c;
  c.resize(231, 41);
  EXPECT_EQ(c.HeightLimit(), 38);  // 41 - 2 x 1 - 0 - 1
  struct Case {
    int set, stored;
  } cases[] = {{-5, 0}, {39, 0}, {38, 38}, {20, 20}, {0, 0}};
  for (const Case &k : cases) {
    c.SetBarHeight(k.set);
    EXPECT_EQ(c.BarHeight(), k.stored) << k.set;
  }
  c.SetBarHeight(20);
  EXPECT_EQ(c.GetBarHeight(), 20);
  c.resize(231, 20);  // the limit shrinks below the stored height
  EXPECT_EQ(c.GetBarHeight(), 17);
  EXPECT_EQ(c.BarHeight(), 0);
  c.SetOrientation(toTopBottom);  // the limit now comes from the width
  EXPECT_EQ(c.GetBarHeight(), 228);
}

// The label window's sample: 231 x 41, raised outer bevel, EAN-13 at Modul 1:
// H = 38, Left = 68, Top = 1.
TEST(TBarCodeTest, PaintPlacesTheLabelWindowSample) {
  TBarCode c;
  c.resize(231, 41);
  c.SetColorSpc(clAqua);
  c.SetBarType(bcCodeEAN13);
  c.SetBarCode("6901028095884");
  EXPECT_EQ(BoxOf(c, clBlack, clAqua), QRect(QPoint(68, 1), QPoint(68 + 94, 1 + 38)));
  EXPECT_EQ(FromQRgb(c.Surface().Image().pixel(0, 0)), clWhite) << "raised bevel";
  EXPECT_EQ(FromQRgb(c.Surface().Image().pixel(230, 40)), clGray) << "raised bevel";
}

// Placement by orientation and alignment: the drawing's extent along the
// pattern begins at b for left-justified, ends at the far frame for
// right-justified, and is centred otherwise (the turned orientations sit one
// pixel further on, where their rotation puts the first column).
TEST(TBarCodeTest, PlacementTable) {
  const TOrientation orientations[] = {toLeftRight, toRightLeft, toTopBottom, toBottomTop};
  const TAlignment alignments[] = {taLeftJustify, taRightJustify, taCenter};
  for (TOrientation o : orientations)
    for (TAlignment a : alignments) {
      TBarCode c;
      c.resize(200, 180);
      c.SetBevelInner(bvLowered);
      c.SetBorderWidth(2);  // b = 4
      c.SetColorSpc(clAqua);
      c.SetAlignment(a);
      c.SetBarType(bcCodeEAN13);  // W = 95
      c.SetOrientation(o);
      const bool vertical = o == toTopBottom || o == toBottomTop;
      const int along = vertical ? 180 : 200, across = vertical ? 200 : 180;
      const int b = 4, w = 95, h = across - 2 * b - 1;
      const int nudge = (o == toRightLeft || o == toBottomTop) ? 1 : 0;
      int start = 0;
      if (a == taLeftJustify) start = b;
      if (a == taRightJustify) start = along - b - w;
      if (a == taCenter) start = (along - w) / 2 + nudge;
      const int acrossStart = (across - h) / 2;
      const QRect box = BoxOf(c, clBlack, clAqua);
      const QRect expected =
          vertical ? QRect(acrossStart, start, h + 1, w) : QRect(start, acrossStart, w, h + 1);
      EXPECT_EQ(box, expected) << "orientation " << o << " alignment " << a;
    }
}

TEST(TBarCodeTest, AutoWidthSetsTheExtentAlongThePattern) {
  TBarCode c;
  c.resize(300, 300);
  c.SetBarType(bcCodeEAN13);
  c.SetHMargin(5);  // no change step while AutoWidth is off
  EXPECT_EQ(c.Width(), 300);
  c.SetOrientation(toTopBottom);
  c.SetAutoWidth(true);
  EXPECT_EQ(c.Height(), 95 + 2 * (5 + 1 + 0));
  EXPECT_EQ(c.Width(), 300);
  c.SetOrientation(toLeftRight);
  EXPECT_EQ(c.Width(), 107);
  c.SetBorderStyle(bsSingle);  // e = 4 with Ctl3D
  EXPECT_EQ(c.AutoSetWidth(0), 95 + 2 * (1 + 4));
}

// The label window's format one: EAN-13 with its text at tpBottomLeft drawn
// at (8, 0), 40 high: bars over columns 8 to 102, and the control's font is
// 10 points afterwards.
TEST(TBarCodeTest, DrawOnAnotherCanvas) {
  TBarCode c;
  c.font().SetName("宋体");
  c.font().SetHeight(-14);
  c.SetBarType(bcCodeEAN13);
  c.SetTextShow(tsBarCode);
  c.SetTextPosition(tpBottomLeft);
  c.SetBarCode("6901028095884");
  Picture pic(130, 50, clSilver);
  c.Draw(pic.canvas(), 8, 0, 40);
  EXPECT_EQ(FromQRgb(pic.Image().pixel(8, 0)), clBlack);
  EXPECT_EQ(FromQRgb(pic.Image().pixel(102, 0)), clBlack);
  EXPECT_EQ(FromQRgb(pic.Image().pixel(103, 0)), clSilver);
  EXPECT_EQ(FromQRgb(pic.Image().pixel(8, 41)), clSilver);
  EXPECT_EQ(c.font().Size(), 10);
  EXPECT_EQ(c.font().Name(), "宋体");
}

TEST(TBarCodeTest, MeasuresWithItsSettings) {
  TBarCode c;
  c.SetBarType(bcCodeEAN13);
  c.SetBarCode("6901028095884");
  c.SetModul(2);
  EXPECT_EQ(c.BarWidth(), 190);
  EXPECT_EQ(c.GetCanvasWidth(40), 40);
  EXPECT_EQ(c.GetCanvasHeight(40), 190);  // 190.5 to even
  c.SetOrientation(toBottomTop);
  EXPECT_EQ(c.GetCanvasWidth(40), 190);
  EXPECT_EQ(c.GetCanvasWidth(40, 0), 40);
}

TEST(TBarCodeTest, AssignCopiesTheDescriptionOnly) {
  TBarCode a, b;
  int changes = 0;
  a.SetBarType(bcCode128B);
  a.SetBarCode("Tarvel");
  a.SetModul(3);
  a.SetRatio(2.5);
  a.SetCheckSum(csModulo10);
  a.SetColorBar(clNavy);
  a.SetColorSpc(clYellow);
  a.SetOrientation(toRightLeft);
  a.SetTextShow(tsBoth);
  a.SetTextPosition(tpTopRight);
  a.SetTextColor(clLime);
  a.SetHMargin(7);
  a.SetAutoWidth(true);
  a.SetOnInvalidChar([](TBarCode *, QString &) {});
  a.SetOnChange([&](TBarCode *) { ++changes; });
  changes = 0;
  b.Assign(&a);
  EXPECT_EQ(changes, 0) << "no change step";
  EXPECT_EQ(b.BarType(), bcCode128B);
  EXPECT_EQ(b.BarCode(), "Tarvel");
  EXPECT_EQ(b.Modul(), 3);
  EXPECT_EQ(b.Ratio(), 2.5);
  EXPECT_EQ(b.CheckSum(), csModulo10);
  EXPECT_EQ(b.ColorBar(), clNavy);
  EXPECT_EQ(b.ColorSpc(), clYellow);
  EXPECT_EQ(b.Orientation(), toRightLeft);
  EXPECT_EQ(b.TextShow(), tsBoth);
  EXPECT_EQ(b.TextPosition(), tpTopRight);
  EXPECT_EQ(b.TextColor(), clLime);
  EXPECT_EQ(b.HMargin(), 7);
  EXPECT_FALSE(b.AutoWidth());
  EXPECT_FALSE(b.OnInvalidChar());
  ASSERT_TRUE(b.OnChange());
  b.SetModul(2);
  EXPECT_EQ(changes, 1) << "OnChange was copied";
  QObject other;
  b.Assign(&other);  // ignored
  EXPECT_EQ(b.BarCode(), "Tarvel");
}

// Assignment without validation: an unencodable description only fails when
// it is next drawn.
TEST(TBarCodeTest, AssignDoesNotValidate) {
  TBarCode a, b;
  a.SetBarCode("AB");
  a.SetOnInvalidChar([](TBarCode *, QString &) {});  // swallows the refusal
  a.SetBarType(bcCodeEAN13);
  b.Assign(&a);
  EXPECT_EQ(b.BarType(), bcCodeEAN13);
  EXPECT_EQ(b.BarCode(), "AB");
  EXPECT_EQ(ErrorOf([&] { b.SetModul(2); }), "AB : Barcode must be numeric.");
}
