#pragma once
// The canvas the print object lays out, measures and draws on: the preview
// page image while a job is recorded or previewed, the printer's document
// while it prints. Holds the pen, brush and font state between operations,
// as a device context does, and measures text with a font whose pixel size
// comes from the canvas's own font resolution (a zoomed preview page gets
// zoomed text).
#include <QImage>
#include <QPainter>
#include <QString>

#include "print/PrintDr1.h"

class PageCanvas {
 public:
  // Draws on an image; its resolution is the image's dots per inch.
  explicit PageCanvas(QImage *image);
  // Draws through the one painter of a printer document, at the device's
  // resolution.
  PageCanvas(QPainter *painter, int dpiX, int dpiY);

  int PixelsPerInchX() const { return dpi_x_; }
  int PixelsPerInchY() const { return dpi_y_; }
  // Resolution at which point sizes become pixels; the zoomed preview sets it.
  int FontPixelsPerInch() const { return font_ppi_; }
  void SetFontPixelsPerInch(int ppi) { font_ppi_ = ppi; }

  TFont Font;
  TColor PenColor = clBlack;
  TPenStyle PenStyle = psSolid;
  TPenMode PenMode = pmCopy;
  int PenWidth = 1;
  TColor BrushColor = clWhite;
  TBrushStyle BrushStyle = bsSolid;
  // Rotation of text in tenths of a degree, counter-clockwise.
  int Escapement = 0;
  // Cell height of the font in pixels, when set; else from the point size.
  int FontHeightPixels = 0;

  QFont QtFont() const;
  int TextWidth(const QString &text) const;
  int TextHeight(const QString &text) const;

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  QPoint PenPos() const { return pen_pos_; }
  // Fills with the brush, right and bottom edges excluded.
  void FillRect(const QRect &r);
  // Text with the top-left corner of its cell at (x, y); the cell is filled
  // with the brush colour unless the brush is clear.
  void TextOut(int x, int y, const QString &text);

  QImage *Image() const { return image_; }

 private:
  template <typename F>
  void Paint(F &&draw);
  QPen Pen() const;

  QImage *image_ = nullptr;
  QPainter *painter_ = nullptr;
  int dpi_x_ = 96;
  int dpi_y_ = 96;
  int font_ppi_ = 96;
  QPoint pen_pos_;
};

// Qt colour of a colour value with red in the lowest byte.
QColor ToQColor(TColor c);
TColor FromQColor(const QColor &c);

// Logical pixels per inch of the screen (96 on a standard screen and offscreen).
int ScreenPixelsPerInch();
