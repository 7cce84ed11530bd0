#pragma once
// The drawing core: one barcode, its pattern and its human-readable text, on
// any canvas at a given place, bar height and angle, and the room such a
// drawing takes. Stateless: every call gets the whole description. The
// barcode control's drawing, painting, printing and measuring end up here.
//
// Rotation: a point (x, y) of the upright drawing (x along the pattern, y
// down the bars) lands at (Left + ox + round(x·cos a + y·sin a),
// Top + oy + round(−x·sin a + y·cos a)), halves to even, with the offset
// (ox, oy) keeping the turned drawing right of and below (Left, Top).
#include <QPoint>
#include <QString>

#include "barcode/HBarCode.h"
#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Font.h"

namespace barcode {

using platform::TColor;

// Positions, heights and pattern widths beyond this many pixels are refused
// with kMsgDrawRange before anything is drawn, as are angles that are not
// finite numbers.
constexpr int kMaxDrawExtent = 1 << 22;
inline constexpr const char kMsgDrawRange[] = "Barcode drawing out of range.";
// Drawing on the printer outside a print job.
inline constexpr const char kMsgNotPrinting[] = "Printing not in progress.";

// The turn of one drawing: sine, cosine and the offset of the four sign
// cases, for a pattern width w and a bar height h.
struct BarRotation {
  double s = 0, c = 1;
  int ox = 0, oy = 0;
  BarRotation(double angleDegrees, int w, int h);
  // Where the upright point (x, y) lands for a drawing at (left, top).
  QPoint Place(int left, int top, int x, int y) const;
};

// Draws. textFont is read, except that the EAN-13 three-piece text at
// tpBottomLeft sets its size to 10 points (the caller keeps that size). The
// canvas's font, pen and brush are given back as they were. Encoder errors
// pass through before anything is drawn.
void H_DrawBar(platform::Canvas &canvas, TBarType type, const QString &code, int modul,
               double ratio, TCheckSum checkSum, int left, int top, int height,
               platform::Font &textFont, TTextShow textShow, TTextPosition textPosition,
               TColor barColor, TColor spcColor, TColor backColor, double angle);

// The pattern width W in pixels, unrotated.
int H_GetBarWidth(TBarType type, const QString &code, int modul, double ratio, TCheckSum checkSum);
// round(W·|sin a| + H·|cos a| + 0.5): at angle 0 the bar height.
int H_GetCanvasWidth(TBarType type, const QString &code, int modul, double ratio,
                     TCheckSum checkSum, int height, double angle);
// round(W·|cos a| + H·|sin a| + 0.5): at angle 0 the pattern width plus one
// half, rounded to even.
int H_GetCanvasHeight(TBarType type, const QString &code, int modul, double ratio,
                      TCheckSum checkSum, int height, double angle);

// The program's printer, in millimetres or inches: left and module width go
// across, top and height down, each rounded to whole printer pixels (halves
// to even); then drawn as by H_DrawBar on the page of the job in progress.
void H_PrintBar(TUnits unit, TBarType type, const QString &code, double modul, double ratio,
                TCheckSum checkSum, double left, double top, double height,
                platform::Font &textFont, TTextShow textShow, TTextPosition textPosition,
                TColor barColor, TColor spcColor, TColor backColor, double angle);
// Printer measurements, in whole millimetres or whole inches.
double H_GetPrnBarWidth(TUnits unit, TBarType type, const QString &code, double modul, double ratio,
                        TCheckSum checkSum);
double H_PrnCanvasWidth(TUnits unit, TBarType type, const QString &code, double modul, double ratio,
                        TCheckSum checkSum, double height, double angle);
double H_PrnCanvasHeight(TUnits unit, TBarType type, const QString &code, double modul,
                         double ratio, TCheckSum checkSum, double height, double angle);

// The symbology's name from the symbology table ("Codebar" for Codabar).
QString H_GetBarTypeName(TBarType type);

// Length in printer pixels and back, for a resolution of dpi pixels per inch:
// every result rounded to the nearest whole number, halves to even. Fails
// with kMsgDrawRange for results that are not numbers or too large.
int UnitsToPixels(TUnits unit, double value, int dpi);
double PixelsToUnits(TUnits unit, double pixels, int dpi);

}  // namespace barcode
