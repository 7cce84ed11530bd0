// Drawing operations of the print object beyond lines and boxes: pictures,
// the shapes recorded in pixels of the recording page, the text box of a
// column, and clearing the caller's canvas in direct mode.
#include <QImage>
#include <QVector>
#include <algorithm>

#include "platform/Canvas.h"
#include "print/PrintDrv.h"

namespace {
// Pictures and pixel-recorded shapes are in screen pixels; a canvas of
// another resolution scales them by this factor.
float ScreenToCanvas(int ppiX, int ppiY) {
  return static_cast<float>(double(std::max(ppiX, ppiY)) / ScreenPixelsPerInch());
}
}  // namespace

// ----------------------------------------------------------- text in a box

void TMWPrintObject::TextColumnBox(float XTop, float YTop, float XBottom, float YBottom,
                                   std::uint16_t LineWidth, TColor Shading, const QString &Text,
                                   int Column, std::uint16_t Alignment, bool vv) {
  if (!PrintingOK) return;
  const TColor kept = GetBrushColor();
  SetBrushColor(Shading);
  FillRect(XTop, YTop, XBottom, YBottom);
  if (vv) {
    SetBrushColor(GetPenColor());
    DrawTheBox(XTop, YTop, XBottom, YBottom, LineWidth);
  }
  SetBrushColor(kept);
  const auto column = static_cast<std::uint16_t>(Column);
  switch (Alignment) {
    case 0:
      WriteLineColumn(column, -2, Text);
      break;
    case 1:
      WriteLineColumnCenter(column, -2, Text);
      break;
    case 2:
      WriteLineColumnRight(column, -2, Text);
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------- pictures

void TMWPrintObject::PrintGraphic(float X, float Y, float W, float H, const TPicture &thePicture) {
  if (!PrintingOK) return;
  X = ConvertH(X);
  Y = ConvertV(Y);
  W = ConvertH(W);
  H = ConvertV(H);
  if (Recording()) {
    // The record keeps a private copy; the caller may reuse its picture.
    JobPages->StoreGraphic(X, Y, W, H, thePicture);
    return;
  }
  platform::Canvas *canvas = Canvas();
  if (!canvas) return;
  const float f = ScreenToCanvas(PixelsPerInchHorizontal, PixelsPerInchVertical);

  const int w = W == -1 ? static_cast<int>(thePicture.Width() * f * ScaleByValue)
                        : InchesToPixelsHorizontal(W);
  W = PixelsToInchesHorizontal(w) / ScaleByValue;
  int x;
  if (X == -1) {
    const int pw = InchesToPixelsHorizontal(W);
    x = pw < TotalPageWidthPixels
            ? static_cast<int>(TotalPageWidthPixels * ScaleByValue - pw - GutterLeft) / 2
            : 0;
  } else {
    x = InchesToPixelsHorizontal(X) - GutterLeft;
  }

  const int h = H == -1 ? static_cast<int>(thePicture.Height() * f * ScaleByValue)
                        : InchesToPixelsVertical(H);
  H = PixelsToInchesVertical(h) / ScaleByValue;
  int y;
  if (Y == -1) {
    const int ph = InchesToPixelsVertical(H);
    y = ph < TotalPageHeightPixels
            ? static_cast<int>(TotalPageHeightPixels * ScaleByValue - ph - GutterTop) / 2
            : 0;
  } else {
    y = InchesToPixelsVertical(Y) - GutterTop;
  }

  if (ImagePrinting)
    canvas->StretchDraw(QRect(x, y, w, h), thePicture);
  else if (!thePicture.IsEmpty())
    PrintBitmap(*canvas, x, y, w, h, thePicture);
}

void TMWPrintObject::PrintBitmap(platform::Canvas &canvas, int x, int y, int w, int h,
                                 const TPicture &bitmap) {
  if (bitmap.IsEmpty() || w <= 0 || h <= 0) return;
  if (canvas.Image()) {
    // A page image is scaled pixel by pixel by the painter already.
    canvas.StretchDraw(QRect(x, y, w, h), bitmap);
    return;
  }
  // On a printer the bitmap should reach the page without smoothing, every
  // bar ending on a device pixel. Rasterisers draw a one-bit image that is
  // enlarged four times or more pixel by pixel, so such a bitmap is handed
  // over as it is (a page of them stays small and quick to write); below
  // that some rasterisers smooth, so the bitmap is taken to device pixels
  // here, by nearest neighbour, and handed over at its final size.
  const QImage &source = bitmap.Image();
  if (source.format() == QImage::Format_Mono && w >= 4 * source.width() &&
      h >= 4 * source.height()) {
    canvas.StretchDraw(QRect(x, y, w, h), source);
    return;
  }
  const QImage sized = platform::ScaledNearest(source, w, h);
  canvas.StretchDraw(QRect(x, y, w, h), sized);
}

// ------------------------------------------------- pixel-recorded shapes

float TMWPrintObject::ShapeToPixelsH(float value) const {
  return Converting() ? static_cast<float>(UnitToPixelsH(value)) : value;
}
float TMWPrintObject::ShapeToPixelsV(float value) const {
  return Converting() ? static_cast<float>(UnitToPixelsV(value)) : value;
}

// In direct mode the values are already pixels of the caller's canvas, so
// they are not scaled a second time by its resolution.
int TMWPrintObject::ShapeX(float value) const {
  const float f =
      ImagePrinting ? 1.0f : ScreenToCanvas(PixelsPerInchHorizontal, PixelsPerInchVertical);
  return static_cast<int>(value * f * ScaleByValue) - GutterLeft;
}
int TMWPrintObject::ShapeY(float value) const {
  const float f =
      ImagePrinting ? 1.0f : ScreenToCanvas(PixelsPerInchHorizontal, PixelsPerInchVertical);
  return static_cast<int>(value * f * ScaleByValue) - GutterTop;
}

void TMWPrintObject::Ellipse(float X1, float Y1, float X2, float Y2) {
  X1 = ShapeToPixelsH(X1);
  Y1 = ShapeToPixelsV(Y1);
  X2 = ShapeToPixelsH(X2);
  Y2 = ShapeToPixelsV(Y2);
  if (Recording()) JobPages->StoreEllipse(X1, Y1, X2, Y2);
  if (platform::Canvas *canvas = Canvas())
    canvas->Ellipse(ShapeX(X1), ShapeY(Y1), ShapeX(X2), ShapeY(Y2));
}

void TMWPrintObject::Arc(float X1, float Y1, float X2, float Y2, float X3, float Y3, float X4,
                         float Y4) {
  X1 = ShapeToPixelsH(X1), Y1 = ShapeToPixelsV(Y1), X2 = ShapeToPixelsH(X2);
  Y2 = ShapeToPixelsV(Y2), X3 = ShapeToPixelsH(X3), Y3 = ShapeToPixelsV(Y3);
  X4 = ShapeToPixelsH(X4), Y4 = ShapeToPixelsV(Y4);
  if (Recording()) JobPages->StoreArc(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  if (platform::Canvas *canvas = Canvas())
    canvas->Arc(ShapeX(X1), ShapeY(Y1), ShapeX(X2), ShapeY(Y2), ShapeX(X3), ShapeY(Y3), ShapeX(X4),
                ShapeY(Y4));
}

void TMWPrintObject::Pie(float X1, float Y1, float X2, float Y2, float X3, float Y3, float X4,
                         float Y4) {
  X1 = ShapeToPixelsH(X1), Y1 = ShapeToPixelsV(Y1), X2 = ShapeToPixelsH(X2);
  Y2 = ShapeToPixelsV(Y2), X3 = ShapeToPixelsH(X3), Y3 = ShapeToPixelsV(Y3);
  X4 = ShapeToPixelsH(X4), Y4 = ShapeToPixelsV(Y4);
  if (Recording()) JobPages->StorePie(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  if (platform::Canvas *canvas = Canvas())
    canvas->Pie(ShapeX(X1), ShapeY(Y1), ShapeX(X2), ShapeY(Y2), ShapeX(X3), ShapeY(Y3), ShapeX(X4),
                ShapeY(Y4));
}

void TMWPrintObject::FillRect(float X1, float Y1, float X2, float Y2) {
  X1 = ShapeToPixelsH(X1);
  Y1 = ShapeToPixelsV(Y1);
  X2 = ShapeToPixelsH(X2);
  Y2 = ShapeToPixelsV(Y2);
  if (Recording()) JobPages->StoreFillRect(X1, Y1, X2, Y2);
  platform::Canvas *canvas = Canvas();
  if (!canvas) return;
  const int x1 = ShapeX(X1), y1 = ShapeY(Y1), x2 = ShapeX(X2), y2 = ShapeY(Y2);
  canvas->FillRect(QRect(x1, y1, x2 - x1, y2 - y1));
}

void TMWPrintObject::FrameRect(float X1, float Y1, float X2, float Y2) {
  X1 = ShapeToPixelsH(X1);
  Y1 = ShapeToPixelsV(Y1);
  X2 = ShapeToPixelsH(X2);
  Y2 = ShapeToPixelsV(Y2);
  if (Recording()) JobPages->StoreFrameRect(X1, Y1, X2, Y2);
  platform::Canvas *canvas = Canvas();
  if (!canvas) return;
  const int x1 = ShapeX(X1), y1 = ShapeY(Y1), x2 = ShapeX(X2), y2 = ShapeY(Y2);
  if (x2 <= x1 || y2 <= y1) return;
  // A one-pixel border in the brush, inside the box.
  canvas->FillRect(QRect(x1, y1, x2 - x1, 1));
  canvas->FillRect(QRect(x1, y2 - 1, x2 - x1, 1));
  canvas->FillRect(QRect(x1, y1, 1, y2 - y1));
  canvas->FillRect(QRect(x2 - 1, y1, 1, y2 - y1));
}

void TMWPrintObject::FloodFill(float X, float Y, TColor Color, TFillStyle FillStyle) {
  X = ShapeToPixelsH(X);
  Y = ShapeToPixelsV(Y);
  if (Recording()) JobPages->StoreFloodFill(X, Y, Color, FillStyle);
  if (platform::Canvas *canvas = Canvas()) canvas->FloodFill(ShapeX(X), ShapeY(Y), Color, FillStyle);
}

void TMWPrintObject::MoveTo(float X1, float Y1) {
  X1 = ShapeToPixelsH(X1);
  Y1 = ShapeToPixelsV(Y1);
  if (Recording()) JobPages->StoreMoveTo(X1, Y1);
  if (platform::Canvas *canvas = Canvas()) canvas->MoveTo(ShapeX(X1), ShapeY(Y1));
}

void TMWPrintObject::LineTo(float X1, float Y1) {
  X1 = ShapeToPixelsH(X1);
  Y1 = ShapeToPixelsV(Y1);
  if (Recording()) JobPages->StoreLineTo(X1, Y1);
  if (platform::Canvas *canvas = Canvas()) canvas->LineTo(ShapeX(X1), ShapeY(Y1));
}

namespace {
// A recorded poly-line holds 50 points; longer ones keep their first 50, so
// that what is drawn now and what is replayed later are the same shape.
std::vector<float> PointValues(const std::vector<float> &points) {
  std::vector<float> values(points.begin(),
                            points.begin() + std::min<std::size_t>(points.size() & ~std::size_t(1),
                                                                   TMWPolygon::kCapacity));
  return values;
}
}  // namespace

void TMWPrintObject::PolyLine(const std::vector<float> &Points) {
  std::vector<float> values = PointValues(Points);
  for (std::size_t i = 0; i < values.size(); i += 2) {
    values[i] = ShapeToPixelsH(values[i]);
    values[i + 1] = ShapeToPixelsV(values[i + 1]);
  }
  if (Recording()) JobPages->StorePolyLine(values);
  platform::Canvas *canvas = Canvas();
  if (!canvas) return;
  QVector<QPoint> pts;
  for (std::size_t i = 0; i < values.size(); i += 2)
    pts.append(QPoint(ShapeX(values[i]), ShapeY(values[i + 1])));
  canvas->Polyline(pts);
}

void TMWPrintObject::Polygon(const std::vector<float> &Points) {
  std::vector<float> values = PointValues(Points);
  for (std::size_t i = 0; i < values.size(); i += 2) {
    values[i] = ShapeToPixelsH(values[i]);
    values[i + 1] = ShapeToPixelsV(values[i + 1]);
  }
  if (Recording()) JobPages->StorePolygon(values);
  platform::Canvas *canvas = Canvas();
  if (!canvas) return;
  QVector<QPoint> pts;
  for (std::size_t i = 0; i < values.size(); i += 2)
    pts.append(QPoint(ShapeX(values[i]), ShapeY(values[i + 1])));
  canvas->Polygon(pts);
}

// ------------------------------------------------------ direct-mode clear

void TMWPrintObject::ClearCanvas(TColor iColor) {
  if (!ImagePrinting) return;
  platform::Canvas *canvas = Canvas();
  if (!canvas) return;
  const platform::Brush kept = canvas->brush();
  canvas->SetBrush({iColor, platform::bsSolid});
  canvas->FillRect(QRect(0, 0, RightMargin, BottomMargin));
  canvas->SetBrush(kept);
}

void TMWPrintObject::ClearCanvasArea(int XTop, int YTop, int XBottom, int YBottom, TColor iColor) {
  if (!ImagePrinting) return;
  platform::Canvas *canvas = Canvas();
  if (!canvas) return;
  const int x1 = UnitToPixelsH(static_cast<float>(XTop));
  const int y1 = UnitToPixelsV(static_cast<float>(YTop));
  const int x2 = UnitToPixelsH(static_cast<float>(XBottom));
  const int y2 = UnitToPixelsV(static_cast<float>(YBottom));
  const platform::Brush kept = canvas->brush();
  canvas->SetBrush({iColor, platform::bsSolid});
  canvas->FillRect(QRect(x1, y1, x2 - x1, y2 - y1));
  canvas->SetBrush(kept);
}
