// The drawing core: bars as polygons, the text pieces with their anchors and
// pixel nudges, the extents, and the printer forms in millimetres or inches.
#include "barcode/HBarCode_draw.h"

#include <cmath>
#include <string>

#include "platform/Exception.h"
#include "platform/PrinterDevice.h"

namespace barcode {

namespace {

[[noreturn]] void FailRange() {
  throw platform::Exception(QLatin1String(kMsgDrawRange));
}

int Round(double v) {
  const double r = std::nearbyint(v);  // halves to even
  if (!(std::fabs(r) <= double(kMaxDrawExtent) * 4)) FailRange();
  return int(r);
}

void CheckExtent(long long v) {
  if (v < -kMaxDrawExtent || v > kMaxDrawExtent) FailRange();
}

QString ChosenText(TTextShow show, TBarType type, const QString &shown) {
  switch (show) {
    case tsBarCode:
      return shown;
    case tsBarType:
      return H_GetBarTypeName(type);
    case tsBoth:
      return H_GetBarTypeName(type) + QLatin1Char(' ') + shown;
    case tsNone:
      break;
  }
  return QString();
}

bool IsTop(TTextPosition p) {
  return p == tpTopLeft || p == tpTopRight || p == tpTopCenter;
}
bool IsRight(TTextPosition p) {
  return p == tpTopRight || p == tpBottomRight;
}
bool IsCenter(TTextPosition p) {
  return p == tpTopCenter || p == tpBottomCenter;
}

// One text piece: anchored in the upright W x H box at the piece's left and
// top, turned with the drawing, nudged by a pixel where the turn needs it,
// and written with the cell filled in backColor.
void DrawTextPiece(platform::Canvas &canvas, const QString &t, TTextPosition pos, int w, int h,
                   int left, int top, double angle, const platform::Font &textFont,
                   TColor backColor) {
  canvas.SetFont(textFont);
  const int tw = canvas.TextWidth(t);
  const int th = canvas.TextHeight(t);
  int x = 0;
  if (IsRight(pos)) x = w - tw - 1;
  if (IsCenter(pos)) x = (w - tw) / 2;  // toward zero
  const int y = IsTop(pos) ? 0 : h - th;

  const BarRotation rot(angle, w, h);
  QPoint at = rot.Place(left, top, x, y);

  // Whole degrees, the remainder keeping the sign of the angle.
  const int g = int(std::fmod(std::nearbyint(angle), 360.0));
  if (g <= 45 || g > 315) {
    if (!IsTop(pos)) at.ry() += 1;
    if (IsRight(pos)) at.rx() += 1;
  }
  if (g > 135 && g <= 225 && IsTop(pos)) at.ry() += 1;
  if (g > 225 && g <= 315) at.rx() += 1;

  const platform::Font upright = canvas.font();
  // Tenths of a degree; a whole turn more or less is the same escapement.
  const int tenths = int(std::nearbyint(std::fmod(angle, 360.0) * 10));
  canvas.font().SetEscapement(tenths);
  canvas.font().SetOrientation(tenths);
  canvas.brush().color = backColor;
  canvas.brush().style = platform::bsSolid;
  canvas.TextOut(at.x(), at.y(), t);
  canvas.font() = upright;
}

}  // namespace

BarRotation::BarRotation(double angleDegrees, int w, int h) {
  const double a = angleDegrees / 180.0 * M_PI;
  s = std::sin(a);
  c = std::cos(a);
  if (s >= 0 && c >= 0) {
    ox = 0;
    oy = Round(w * s);
  } else if (s >= 0) {
    ox = -Round(w * c);
    oy = Round(w * s - h * c);
  } else if (c >= 0) {
    ox = -Round(h * s);
    oy = 0;
  } else {
    ox = -Round(w * c) - Round(h * s);
    oy = -Round(h * c);
  }
}

QPoint BarRotation::Place(int left, int top, int x, int y) const {
  return QPoint(left + ox + Round(x * c + y * s), top + oy + Round(-x * s + y * c));
}

void H_DrawBar(platform::Canvas &canvas, TBarType type, const QString &code, int modul,
               double ratio, TCheckSum checkSum, int left, int top, int height,
               platform::Font &textFont, TTextShow textShow, TTextPosition textPosition,
               TColor barColor, TColor spcColor, TColor backColor, double angle) {
  // 2. Pattern and width first: a refused request draws nothing.
  double effective = ratio;
  std::string pattern;
  QString shown;
  MakeBarPattern(type, code, modul, effective, checkSum, pattern, shown);
  const int w = PatternWidth(pattern);
  if (!std::isfinite(angle)) FailRange();
  CheckExtent(w);
  CheckExtent(height);
  // Placed points then stay a few extents from zero, well inside int.
  CheckExtent(left);
  CheckExtent(top);
  const BarRotation rot(angle, w, height);

  // 1. (after the checks, so that a refusal leaves the canvas alone)
  const platform::Canvas::State kept = canvas.SaveState();

  // 3. Bars and spaces, each a polygon over columns x .. x + w - 1 and rows
  // d .. H, both ends included.
  canvas.pen().width = 1;
  canvas.pen().style = platform::psSolid;
  canvas.pen().mode = platform::pmCopy;
  canvas.brush().style = platform::bsSolid;
  int x = 0;
  QVector<QPoint> corners(4);
  for (char element : pattern) {
    const BarElement e = ElementOf(element);
    if (e.width <= 0) continue;
    const TColor color = e.kind == ekSpace ? spcColor : barColor;
    canvas.pen().color = color;
    canvas.brush().color = color;
    const int d = e.kind == ekShortBar ? height * 3 / 5 : 0;
    corners[0] = rot.Place(left, top, x, d);
    corners[1] = rot.Place(left, top, x, height);
    corners[2] = rot.Place(left, top, x + e.width - 1, height);
    corners[3] = rot.Place(left, top, x + e.width - 1, d);
    canvas.Polygon(corners);
    x += e.width;
  }

  // 4. Text.
  if (textShow != tsNone) {
    const QString text = ChosenText(textShow, type, shown);
    if (type == bcCodeEAN13 && textPosition == tpBottomLeft) {
      // The leading digit left of the bars, then the two halves under them.
      textFont.SetSize(10);
      DrawTextPiece(canvas, text.left(1), tpBottomLeft, w, height, left - 8, top, angle, textFont,
                    backColor);
      DrawTextPiece(canvas, text.mid(1, 6), tpBottomLeft, w, height, left + 4, top, angle, textFont,
                    backColor);
      DrawTextPiece(canvas, text.mid(7), tpBottomLeft, w, height, left + 50, top, angle, textFont,
                    backColor);
    } else {
      DrawTextPiece(canvas, text, textPosition, w, height, left, top, angle, textFont, backColor);
    }
  }

  // 5.
  canvas.RestoreState(kept);
}

int H_GetBarWidth(TBarType type, const QString &code, int modul, double ratio, TCheckSum checkSum) {
  return PatternWidth(type, code, modul, ratio, checkSum);
}

namespace {
double RadiansOf(double angle) {
  if (!std::isfinite(angle)) FailRange();
  return angle / 180.0 * M_PI;
}
}  // namespace

int H_GetCanvasWidth(TBarType type, const QString &code, int modul, double ratio,
                     TCheckSum checkSum, int height, double angle) {
  const double w = H_GetBarWidth(type, code, modul, ratio, checkSum);
  const double a = RadiansOf(angle);
  return Round(w * std::fabs(std::sin(a)) + height * std::fabs(std::cos(a)) + 0.5);
}

int H_GetCanvasHeight(TBarType type, const QString &code, int modul, double ratio,
                      TCheckSum checkSum, int height, double angle) {
  const double w = H_GetBarWidth(type, code, modul, ratio, checkSum);
  const double a = RadiansOf(angle);
  return Round(w * std::fabs(std::cos(a)) + height * std::fabs(std::sin(a)) + 0.5);
}

// ------------------------------------------------------------ printer forms

int UnitsToPixels(TUnits unit, double value, int dpi) {
  const double v = unit == utMillimeter ? dpi * value / 25.4 : dpi * value;
  return Round(v);
}

double PixelsToUnits(TUnits unit, double pixels, int dpi) {
  if (dpi <= 0) FailRange();
  const double v = unit == utMillimeter ? pixels * 25.4 / dpi : pixels / dpi;
  const double r = std::nearbyint(v);
  if (!std::isfinite(r)) FailRange();
  return r;
}

void H_PrintBar(TUnits unit, TBarType type, const QString &code, double modul, double ratio,
                TCheckSum checkSum, double left, double top, double height,
                platform::Font &textFont, TTextShow textShow, TTextPosition textPosition,
                TColor barColor, TColor spcColor, TColor backColor, double angle) {
  platform::PrinterDevice &printer = platform::Printer();
  const int x = printer.LogicalDpiX(), y = printer.LogicalDpiY();
  const int pl = UnitsToPixels(unit, left, x);
  const int pm = UnitsToPixels(unit, modul, x);
  const int pt = UnitsToPixels(unit, top, y);
  const int ph = UnitsToPixels(unit, height, y);
  if (!printer.Painter()) throw platform::Exception(QLatin1String(kMsgNotPrinting));
  platform::Canvas canvas(printer.Painter());
  H_DrawBar(canvas, type, code, pm, ratio, checkSum, pl, pt, ph, textFont, textShow, textPosition,
            barColor, spcColor, backColor, angle);
}

double H_GetPrnBarWidth(TUnits unit, TBarType type, const QString &code, double modul, double ratio,
                        TCheckSum checkSum) {
  const int x = platform::Printer().LogicalDpiX();
  const int w = PatternWidth(type, code, UnitsToPixels(unit, modul, x), ratio, checkSum);
  return PixelsToUnits(unit, w, x);
}

double H_PrnCanvasWidth(TUnits unit, TBarType type, const QString &code, double modul, double ratio,
                        TCheckSum checkSum, double height, double angle) {
  const int x = platform::Printer().LogicalDpiX();
  const double w = PatternWidth(type, code, UnitsToPixels(unit, modul, x), ratio, checkSum);
  const double hp = UnitsToPixels(unit, height, x);
  const double a = RadiansOf(angle);
  const double v = std::nearbyint(w * std::fabs(std::sin(a)) + hp * std::fabs(std::cos(a)) + 0.5);
  return PixelsToUnits(unit, v, x);
}

double H_PrnCanvasHeight(TUnits unit, TBarType type, const QString &code, double modul,
                         double ratio, TCheckSum checkSum, double height, double angle) {
  platform::PrinterDevice &printer = platform::Printer();
  const int x = printer.LogicalDpiX(), y = printer.LogicalDpiY();
  const double w = PatternWidth(type, code, UnitsToPixels(unit, modul, x), ratio, checkSum);
  const double hp = UnitsToPixels(unit, height, x);
  const double a = RadiansOf(angle);
  const double v = std::nearbyint(w * std::fabs(std::cos(a)) + hp * std::fabs(std::sin(a)) + 0.5);
  return PixelsToUnits(unit, v, y);
}

QString H_GetBarTypeName(TBarType type) {
  if (!IsValidBarType(type)) return QString();
  return QString::fromLatin1(BCdata[type].Name);
}

}  // namespace barcode
