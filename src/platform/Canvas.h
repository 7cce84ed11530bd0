#pragma once
// The drawing surface of the program: a pen, a brush and a font, and the
// drawing calls the program uses, with the pixel rules it was written for.
// One class for every surface: an image in memory, a widget inside its
// paintEvent, and a printer page (through the document's painter).
//
// Pixel rules, kept the same on every surface:
// - nothing is antialiased;
// - a filled polygon covers its corner pixels and its edges inclusively
//   (the outline is drawn in the pen over the fill);
// - LineTo does not draw the last pixel of the line;
// - Rectangle, FillRect and Ellipse take a box whose right and bottom edges
//   are just outside what is painted;
// - TextOut puts the top-left corner of the text cell at the point; with a
//   rotated font the cell turns about that point. With a solid brush the
//   cell is filled in the brush colour behind the glyphs, with a clear brush
//   only the glyphs are drawn.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>
#include <memory>

#include "platform/Color.h"
#include "platform/Font.h"

class QPainter;
class QPaintDevice;

namespace platform {

class Picture;

enum TPenStyle : int {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame,
};
// How the pen and brush combine with what is already on the surface. The
// mixing modes work on images; on printers and PDF pages they draw as pmCopy.
enum TPenMode : int {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor,
};

struct Pen {
  TColor color = clBlack;
  int width = 1;
  TPenStyle style = psSolid;
  TPenMode mode = pmCopy;
  bool operator==(const Pen &o) const {
    return color == o.color && width == o.width && style == o.style && mode == o.mode;
  }
};

enum TBrushStyle : int {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross,
};

struct Brush {
  TColor color = clWhite;
  TBrushStyle style = bsSolid;
  bool operator==(const Brush &o) const { return color == o.color && style == o.style; }
};

enum TFillStyle : int { fsSurface, fsBorder };

class Canvas {
 public:
  // Draws on device; a painter is opened on first use and closed by End()
  // or the destructor. For a widget, construct it inside paintEvent.
  explicit Canvas(QPaintDevice *device);
  // Draws through a painter that someone else has opened and will close
  // (a printer document's painter). The painter's state is saved around
  // every call.
  explicit Canvas(QPainter *painter);
  ~Canvas();
  Canvas(const Canvas &) = delete;
  Canvas &operator=(const Canvas &) = delete;

  // Closes a painter this canvas opened. Later drawing opens it again.
  void End();

  // The surface's resolution, used for fonts. Follows the device; a zoomed
  // page image may set its own.
  int PixelsPerInch() const { return pixels_per_inch_; }
  void SetPixelsPerInch(int ppi);
  // Logical resolution of the device itself, which SetPixelsPerInch leaves
  // alone (a zoomed page image still has its screen resolution).
  int DevicePixelsPerInchX() const;
  int DevicePixelsPerInchY() const;

  Pen &pen() { return pen_; }
  const Pen &pen() const { return pen_; }
  void SetPen(const Pen &p) { pen_ = p; }
  Brush &brush() { return brush_; }
  const Brush &brush() const { return brush_; }
  void SetBrush(const Brush &b) { brush_ = b; }
  // The canvas font always has the canvas resolution.
  const Font &font() const { return font_; }
  Font &font() { return font_; }
  // Assigns (keeps the point size when resolutions differ).
  void SetFont(const Font &f) { font_.Assign(f); }

  // Kept font, pen and brush; restore with RestoreState.
  struct State {
    Font font;
    Pen pen;
    Brush brush;
  };
  State SaveState() const { return State{font_, pen_, brush_}; }
  void RestoreState(const State &s);

  QPoint PenPos() const { return pen_pos_; }
  void MoveTo(int x, int y) { pen_pos_ = QPoint(x, y); }
  // Line from the pen position to (x, y), without its last pixel.
  void LineTo(int x, int y);
  void Polyline(const QVector<QPoint> &points);
  void Polygon(const QVector<QPoint> &points);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const QRect &r) { Rectangle(r.left(), r.top(), r.right() + 1, r.bottom() + 1); }
  // Fills with the brush only; no outline.
  void FillRect(const QRect &r);
  void Ellipse(int x1, int y1, int x2, int y2);
  // Counter-clockwise from the ray towards (x3, y3) to the ray towards
  // (x4, y4), on the ellipse in the box.
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  // Fills in the brush: fsSurface replaces the area of colour c around
  // (x, y); fsBorder fills up to the border colour c. Images only; on other
  // surfaces it draws nothing.
  void FloodFill(int x, int y, TColor c, TFillStyle style);

  // Picture scaled into the box (right and bottom exclusive), without
  // smoothing; an empty picture draws nothing.
  void StretchDraw(const QRect &r, const Picture &picture);
  void Draw(int x, int y, const Picture &picture);
  void StretchDraw(const QRect &r, const QImage &image);

  void TextOut(int x, int y, const QString &text);
  int TextWidth(const QString &text) const;
  int TextHeight(const QString &text) const;
  QSize TextExtent(const QString &text) const;

  // Pixels: reading works on images (clNone elsewhere or outside).
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor c);

  // The image under this canvas, or nullptr on other surfaces.
  const QImage *Image() const;

 private:
  QPainter *Painter();
  void ApplyPen(QPainter &p) const;
  void ApplyBrush(QPainter &p) const;
  void ApplyMode(QPainter &p) const;
  QImage *MutableImage() const;

  QPaintDevice *device_ = nullptr;
  QPainter *external_ = nullptr;
  std::unique_ptr<QPainter> own_;
  int pixels_per_inch_ = 96;
  Pen pen_;
  Brush brush_;
  Font font_;
  QPoint pen_pos_;
};

}  // namespace platform
