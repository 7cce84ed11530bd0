#include "print/PageCanvas.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

QColor ToQColor(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
TColor FromQColor(const QColor &c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

PageCanvas::PageCanvas(QImage *image) : image_(image) {
  dpi_x_ = qRound(image->dotsPerMeterX() * 0.0254);
  dpi_y_ = qRound(image->dotsPerMeterY() * 0.0254);
  font_ppi_ = dpi_y_;
}

PageCanvas::PageCanvas(QPainter *painter, int dpiX, int dpiY)
    : painter_(painter), dpi_x_(dpiX), dpi_y_(dpiY), font_ppi_(dpiY) {}

QFont PageCanvas::QtFont() const {
  QFont f(Font.Name);
  // Point size to pixels as the desktop platform does: rounded Size * ppi / 72.
  const int pixels = FontHeightPixels > 0 ? FontHeightPixels
                                          : static_cast<int>(std::lround(Font.Size * font_ppi_ / 72.0));
  f.setPixelSize(std::max(1, pixels));
  f.setBold(Font.Style & fsBold);
  f.setItalic(Font.Style & fsItalic);
  f.setUnderline(Font.Style & fsUnderline);
  f.setStrikeOut(Font.Style & fsStrikeOut);
  return f;
}

int PageCanvas::TextWidth(const QString &text) const {
  return QFontMetrics(QtFont()).horizontalAdvance(text);
}

int PageCanvas::TextHeight(const QString &) const { return QFontMetrics(QtFont()).height(); }

template <typename F>
void PageCanvas::Paint(F &&draw) {
  if (painter_) {
    painter_->save();
    draw(*painter_);
    painter_->restore();
  } else if (image_) {
    QPainter p(image_);
    draw(p);
  }
}

QPen PageCanvas::Pen() const {
  if (PenStyle == psClear) return Qt::NoPen;
  QPen pen(ToQColor(PenColor));
  pen.setWidth(std::max(1, PenWidth));
  pen.setCapStyle(Qt::FlatCap);
  switch (PenStyle) {
    case psDash: pen.setStyle(Qt::DashLine); break;
    case psDot: pen.setStyle(Qt::DotLine); break;
    case psDashDot: pen.setStyle(Qt::DashDotLine); break;
    case psDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
    default: break;
  }
  return pen;
}

void PageCanvas::MoveTo(int x, int y) { pen_pos_ = QPoint(x, y); }

void PageCanvas::LineTo(int x, int y) {
  const QPoint from = pen_pos_;
  const QPoint to(x, y);
  Paint([&](QPainter &p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Pen());
    p.drawLine(from, to);
  });
  pen_pos_ = to;
}

void PageCanvas::FillRect(const QRect &r) {
  if (BrushStyle == bsClear) return;
  Paint([&](QPainter &p) { p.fillRect(r.normalized(), ToQColor(BrushColor)); });
}

void PageCanvas::TextOut(int x, int y, const QString &text) {
  const QFont font = QtFont();
  const QFontMetrics metrics(font);
  Paint([&](QPainter &p) {
    p.translate(x, y);
    if (Escapement != 0) p.rotate(-Escapement / 10.0);
    const QRect cell(0, 0, metrics.horizontalAdvance(text), metrics.height());
    if (BrushStyle != bsClear) p.fillRect(cell, ToQColor(BrushColor));
    p.setFont(font);
    p.setPen(ToQColor(Font.Color));
    p.drawText(0, metrics.ascent(), text);
  });
}

int ScreenPixelsPerInch() {
  const QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}
