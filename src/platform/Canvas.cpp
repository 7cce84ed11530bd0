#include "platform/Canvas.h"

#include <QFontMetrics>
#include <QHash>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Picture.h"

namespace platform {

namespace {

Qt::PenStyle QtPenStyle(TPenStyle s) {
  switch (s) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    case psSolid:
    case psInsideFrame: break;
  }
  return Qt::SolidLine;
}

Qt::BrushStyle QtBrushStyle(TBrushStyle s) {
  switch (s) {
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    case bsSolid: break;
  }
  return Qt::SolidPattern;
}

// The mixing of the pen mode, for surfaces that support raster operations.
QPainter::CompositionMode QtMode(TPenMode m) {
  switch (m) {
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    default: break;
  }
  return QPainter::CompositionMode_SourceOver;
}

// Angle in degrees, counter-clockwise on the surface, of the ray from the
// centre of box towards (x, y).
qreal RayAngle(const QRectF &box, int x, int y) {
  const QPointF c = box.center();
  return qRadiansToDegrees(std::atan2(-(y - c.y()), x - c.x()));
}

// Box of a call that names its corners, right and bottom just outside, as the
// outline-drawing calls of Qt take it (they cover width + 1 pixels).
QRect OutlineBox(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  return QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

// Saves and restores the painter's state around one call, so that a
// borrowed painter is left as it was found.
class PainterCall {
 public:
  explicit PainterCall(QPainter *p) : p_(p) {
    if (!p_) return;
    p_->save();
    p_->setRenderHint(QPainter::Antialiasing, false);
    p_->setRenderHint(QPainter::TextAntialiasing, false);
    p_->setRenderHint(QPainter::SmoothPixmapTransform, false);
  }
  ~PainterCall() {
    if (p_) p_->restore();
  }
  explicit operator bool() const { return p_ != nullptr; }
  QPainter *operator->() const { return p_; }
  QPainter &operator*() const { return *p_; }

 private:
  QPainter *p_;
};

}  // namespace

Canvas::Canvas(QPaintDevice *device) : device_(device) {
  if (device_ && device_->logicalDpiY() > 0) pixels_per_inch_ = device_->logicalDpiY();
  font_.SetPixelsPerInch(pixels_per_inch_);
  font_.SetSize(8);
}

Canvas::Canvas(QPainter *painter) : external_(painter) {
  QPaintDevice *d = painter ? painter->device() : nullptr;
  if (d && d->logicalDpiY() > 0) pixels_per_inch_ = d->logicalDpiY();
  font_.SetPixelsPerInch(pixels_per_inch_);
  font_.SetSize(8);
}

Canvas::~Canvas() { End(); }

void Canvas::End() {
  if (own_) {
    own_->end();
    own_.reset();
  }
}

void Canvas::SetPixelsPerInch(int ppi) {
  if (ppi <= 0) return;
  const int points = font_.Size();
  pixels_per_inch_ = ppi;
  font_.SetPixelsPerInch(ppi);
  font_.SetSize(points);
}

int Canvas::DevicePixelsPerInchX() const {
  const QPaintDevice *d = external_ ? external_->device() : device_;
  return d && d->logicalDpiX() > 0 ? d->logicalDpiX() : pixels_per_inch_;
}

int Canvas::DevicePixelsPerInchY() const {
  const QPaintDevice *d = external_ ? external_->device() : device_;
  return d && d->logicalDpiY() > 0 ? d->logicalDpiY() : pixels_per_inch_;
}

void Canvas::RestoreState(const State &s) {
  font_ = s.font;
  pen_ = s.pen;
  brush_ = s.brush;
}

QPainter *Canvas::Painter() {
  if (external_) return external_->isActive() ? external_ : nullptr;
  if (own_) return own_.get();
  if (!device_) return nullptr;
  if (device_->devType() == QInternal::Image && static_cast<QImage *>(device_)->isNull())
    return nullptr;
  if (device_->width() <= 0 || device_->height() <= 0) return nullptr;
  auto p = std::make_unique<QPainter>();
  if (!p->begin(device_)) return nullptr;
  own_ = std::move(p);
  return own_.get();
}

QImage *Canvas::MutableImage() const {
  QPaintDevice *d = external_ ? external_->device() : device_;
  if (!d || d->devType() != QInternal::Image) return nullptr;
  QImage *img = static_cast<QImage *>(d);
  return img->isNull() ? nullptr : img;
}

const QImage *Canvas::Image() const { return MutableImage(); }

void Canvas::ApplyMode(QPainter &p) const {
  const TPenMode m = pen_.mode;
  if (m == pmCopy || m == pmBlack || m == pmWhite || m == pmNop) return;
  if (p.paintEngine() && p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
    p.setCompositionMode(QtMode(m));
}

void Canvas::ApplyPen(QPainter &p) const {
  if (pen_.style == psClear || pen_.mode == pmNop) {
    p.setPen(Qt::NoPen);
    return;
  }
  TColor c = pen_.color;
  if (pen_.mode == pmBlack) c = clBlack;
  if (pen_.mode == pmWhite) c = clWhite;
  QPen qp(ToQColor(c));
  qp.setStyle(QtPenStyle(pen_.style));
  if (pen_.width <= 1) {
    // One device pixel whatever the painter's scale, as a thin pen is.
    qp.setWidth(1);
    qp.setCosmetic(true);
  } else {
    qp.setWidth(pen_.width);
    qp.setCapStyle(Qt::RoundCap);
  }
  qp.setJoinStyle(Qt::MiterJoin);
  p.setPen(qp);
}

void Canvas::ApplyBrush(QPainter &p) const {
  if (brush_.style == bsClear) {
    p.setBrush(Qt::NoBrush);
    return;
  }
  TColor c = brush_.color;
  if (pen_.mode == pmBlack) c = clBlack;
  if (pen_.mode == pmWhite) c = clWhite;
  p.setBrush(QBrush(ToQColor(c), QtBrushStyle(brush_.style)));
}

namespace {
// The pixel before `to` on the line from `from`: a thin line stops there.
QPoint BeforeEnd(QPoint from, QPoint to) {
  const int dx = to.x() - from.x(), dy = to.y() - from.y();
  const int n = std::max(std::abs(dx), std::abs(dy));
  // The point of the major-axis step n - 1, rounded as the line is walked.
  const double t = double(n - 1) / n;
  return QPoint(from.x() + int(std::lround(dx * t)), from.y() + int(std::lround(dy * t)));
}
}  // namespace

void Canvas::LineTo(int x, int y) {
  const QPoint from = pen_pos_, to(x, y);
  pen_pos_ = to;
  if (from == to) return;
  PainterCall p(Painter());
  if (!p) return;
  ApplyPen(*p);
  ApplyMode(*p);
  if (pen_.width > 1) {
    p->drawLine(from, to);
    return;
  }
  // Both ends included up to the pixel before the end, whichever way the
  // line runs.
  QPen thin = p->pen();
  thin.setCapStyle(Qt::SquareCap);
  p->setPen(thin);
  const QPoint last = BeforeEnd(from, to);
  if (last == from)
    p->drawPoint(from);
  else
    p->drawLine(from, last);
}

void Canvas::Polyline(const QVector<QPoint> &points) {
  if (points.size() < 2) return;
  const QPoint kept = pen_pos_;
  pen_pos_ = points[0];
  for (int i = 1; i < points.size(); ++i) LineTo(points[i].x(), points[i].y());
  pen_pos_ = kept;
}

namespace {
// True when the points (4, or 5 with the first repeated) are the corners of
// an axis-aligned rectangle; box then covers it with both corners included.
bool AxisAlignedBox(const QVector<QPoint> &pts, QRect &box) {
  int n = static_cast<int>(pts.size());
  if (n == 5 && pts[4] == pts[0]) n = 4;
  if (n != 4) return false;
  for (int i = 0; i < 4; ++i) {
    const QPoint &a = pts[i], &b = pts[(i + 1) % 4];
    if (a.x() != b.x() && a.y() != b.y()) return false;  // a slanted side
  }
  int minX = pts[0].x(), maxX = minX, minY = pts[0].y(), maxY = minY;
  for (int i = 1; i < 4; ++i) {
    minX = std::min(minX, pts[i].x());
    maxX = std::max(maxX, pts[i].x());
    minY = std::min(minY, pts[i].y());
    maxY = std::max(maxY, pts[i].y());
  }
  // Every corner of the box must be one of the points (no degenerate zig-zag).
  for (const QPoint &c : {QPoint(minX, minY), QPoint(maxX, minY), QPoint(maxX, maxY), QPoint(minX, maxY)})
    if (std::find(pts.begin(), pts.begin() + 4, c) == pts.begin() + 4) return false;
  box = QRect(QPoint(minX, minY), QPoint(maxX, maxY));
  return true;
}
}  // namespace

void Canvas::Polygon(const QVector<QPoint> &points) {
  if (points.isEmpty()) return;
  PainterCall p(Painter());
  if (!p) return;
  ApplyPen(*p);
  ApplyBrush(*p);
  ApplyMode(*p);
  // All corners on one pixel: Qt draws nothing, the outline rule one pixel.
  if (std::all_of(points.begin(), points.end(), [&](const QPoint &q) { return q == points[0]; })) {
    p->drawPoint(points[0]);
    return;
  }
  // Bars are axis-aligned rectangles outlined and filled in one colour: the
  // same pixels, corners included, come from one fill.
  if (pen_.style == psSolid && pen_.width <= 1 && pen_.mode == pmCopy && brush_.style == bsSolid &&
      pen_.color == brush_.color) {
    QRect box;
    if (AxisAlignedBox(points, box)) {
      p->fillRect(box, ToQColor(brush_.color));
      return;
    }
  }
  p->drawPolygon(points.data(), static_cast<int>(points.size()));
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
  PainterCall p(Painter());
  if (!p) return;
  ApplyMode(*p);
  if (pen_.style == psClear || pen_.mode == pmNop) {
    if (brush_.style == bsClear) return;
    ApplyBrush(*p);
    p->fillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                      QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1)),
                p->brush());
    return;
  }
  ApplyPen(*p);
  ApplyBrush(*p);
  p->drawRect(OutlineBox(x1, y1, x2, y2));
}

void Canvas::FillRect(const QRect &r) {
  if (brush_.style == bsClear || r.isEmpty()) return;
  PainterCall p(Painter());
  if (!p) return;
  ApplyBrush(*p);
  ApplyMode(*p);
  p->fillRect(r, p->brush());
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
  PainterCall p(Painter());
  if (!p) return;
  ApplyPen(*p);
  ApplyBrush(*p);
  ApplyMode(*p);
  p->drawEllipse(OutlineBox(x1, y1, x2, y2));
}

namespace {
// Start and span (Qt's sixteenths of a degree) of the counter-clockwise arc
// from the ray towards (x3, y3) to the ray towards (x4, y4).
std::pair<int, int> ArcAngles(const QRect &box, int x3, int y3, int x4, int y4) {
  const QRectF f(box.x(), box.y(), box.width() + 1, box.height() + 1);
  const qreal a = RayAngle(f, x3, y3);
  const qreal b = RayAngle(f, x4, y4);
  qreal span = b - a;
  while (span <= 0) span += 360;  // equal rays: the whole ellipse
  return {qRound(a * 16), qRound(span * 16)};
}
}  // namespace

void Canvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  PainterCall p(Painter());
  if (!p) return;
  ApplyPen(*p);
  ApplyMode(*p);
  const QRect box = OutlineBox(x1, y1, x2, y2);
  const auto [start, span] = ArcAngles(box, x3, y3, x4, y4);
  p->drawArc(box, start, span);
}

void Canvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  PainterCall p(Painter());
  if (!p) return;
  ApplyPen(*p);
  ApplyBrush(*p);
  ApplyMode(*p);
  const QRect box = OutlineBox(x1, y1, x2, y2);
  const auto [start, span] = ArcAngles(box, x3, y3, x4, y4);
  p->drawPie(box, start, span);
}

void Canvas::FloodFill(int x, int y, TColor c, TFillStyle style) {
  QImage *img = MutableImage();
  if (!img || brush_.style == bsClear || !img->rect().contains(x, y)) return;
  const QRgb target = ToQColor(c).rgb() & 0xFFFFFF;
  auto color = [&](int px, int py) { return img->pixel(px, py) & 0xFFFFFF; };
  auto inside = [&](int px, int py) {
    const bool same = color(px, py) == target;
    return style == fsSurface ? same : !same;
  };
  if (!inside(x, y)) return;
  const int w = img->width(), h = img->height();
  // Four-way scanline fill over a visited mask, then the spans are painted
  // in the brush so that the pen mode and any painter transform apply.
  std::vector<unsigned char> seen(static_cast<size_t>(w) * h, 0);
  std::vector<QPoint> stack{QPoint(x, y)};
  std::vector<QRect> spans;
  while (!stack.empty()) {
    const QPoint s = stack.back();
    stack.pop_back();
    const int sy = s.y();
    int l = s.x();
    if (seen[static_cast<size_t>(sy) * w + l] || !inside(l, sy)) continue;
    while (l > 0 && !seen[static_cast<size_t>(sy) * w + l - 1] && inside(l - 1, sy)) --l;
    int r = s.x();
    while (r + 1 < w && !seen[static_cast<size_t>(sy) * w + r + 1] && inside(r + 1, sy)) ++r;
    for (int i = l; i <= r; ++i) seen[static_cast<size_t>(sy) * w + i] = 1;
    spans.push_back(QRect(l, sy, r - l + 1, 1));
    for (int ny : {sy - 1, sy + 1}) {
      if (ny < 0 || ny >= h) continue;
      for (int i = l; i <= r; ++i)
        if (!seen[static_cast<size_t>(ny) * w + i] && inside(i, ny)) stack.push_back(QPoint(i, ny));
    }
  }
  PainterCall p(Painter());
  if (!p) return;
  p->resetTransform();
  ApplyBrush(*p);
  ApplyMode(*p);
  for (const QRect &span : spans) p->fillRect(span, p->brush());
}

void Canvas::StretchDraw(const QRect &r, const QImage &image) {
  if (image.isNull() || r.isEmpty()) return;
  PainterCall p(Painter());
  if (!p) return;
  p->drawImage(r, image);
}

void Canvas::StretchDraw(const QRect &r, const Picture &picture) {
  StretchDraw(r, picture.Image());
}

void Canvas::Draw(int x, int y, const Picture &picture) {
  if (picture.IsEmpty()) return;
  PainterCall p(Painter());
  if (!p) return;
  p->drawImage(QPoint(x, y), picture.Image());
}

namespace {
QFontMetrics MetricsOn(const QFont &f, QPaintDevice *d) {
  return d ? QFontMetrics(f, d) : QFontMetrics(f);
}

// Shaping a text to measure it is costly, and print jobs measure the same
// few texts (rules, dots, captions) over and over: sizes are remembered per
// font, resolution and text.
QSize MeasuredText(const Font &font, QPaintDevice *d, const QString &text) {
  static QHash<QString, QSize> sizes;
  const QString key = font.Name() + QLatin1Char('|') + QString::number(font.Height()) +
                      QLatin1Char('|') + QString::number(font.PixelsPerInch()) + QLatin1Char('|') +
                      QString::number(font.Style()) + QLatin1Char('|') +
                      QString::number(d ? d->logicalDpiX() : 0) + QLatin1Char('|') +
                      QString::number(d ? d->logicalDpiY() : 0) + QLatin1Char('|') + text;
  auto it = sizes.constFind(key);
  if (it != sizes.constEnd()) return *it;
  if (sizes.size() > 20000) sizes.clear();
  const QFontMetrics fm = MetricsOn(font.ToQFont(), d);
  const QSize size(fm.horizontalAdvance(text), fm.height());
  sizes.insert(key, size);
  return size;
}
}  // namespace

void Canvas::TextOut(int x, int y, const QString &text) {
  PainterCall p(Painter());
  if (p) {
    const QFont qf = font_.ToQFont();
    const QFontMetrics fm = MetricsOn(qf, p->device());
    const QRect cell(QPoint(0, 0), MeasuredText(font_, p->device(), text));
    p->translate(x, y);
    // Escapement turns the whole line counter-clockwise about the cell's
    // top-left corner; the characters turn with it.
    if (font_.Escapement() % 3600 != 0) p->rotate(-font_.Escapement() / 10.0);
    if (brush_.style != bsClear && !text.isEmpty())
      p->fillRect(cell, ToQColor(brush_.color));
    p->setFont(qf);
    p->setPen(ToQColor(font_.Color()));
    p->drawText(0, fm.ascent(), text);
  }
  pen_pos_ = QPoint(x + TextWidth(text), y);
}

int Canvas::TextWidth(const QString &text) const { return TextExtent(text).width(); }

int Canvas::TextHeight(const QString &text) const { return TextExtent(text).height(); }

QSize Canvas::TextExtent(const QString &text) const {
  QPaintDevice *d = external_ ? external_->device() : device_;
  return MeasuredText(font_, d, text);
}

TColor Canvas::Pixel(int x, int y) const {
  const QImage *img = MutableImage();
  if (!img || !img->rect().contains(x, y)) return clNone;
  return FromQRgb(img->pixel(x, y));
}

void Canvas::SetPixel(int x, int y, TColor c) {
  PainterCall p(Painter());
  if (!p) return;
  p->setCompositionMode(QPainter::CompositionMode_Source);
  p->fillRect(QRect(x, y, 1, 1), ToQColor(c));
}

}  // namespace platform
