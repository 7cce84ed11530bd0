#pragma once
// A font as the program describes it: face name, height, style, colour and
// the rotation of its lines. The height is kept in pixels of a surface with
// PixelsPerInch pixels per inch; the size in points follows from it. Assigning
// a font to a surface of another resolution keeps the point size, so the same
// 10-point text is 13 pixels high on a 96-dpi screen and 83 on a 600-dpi page.
#include <QFont>
#include <QString>

#include "platform/Color.h"

namespace platform {

enum FontStyle : unsigned { fsBold = 1u, fsItalic = 2u, fsUnderline = 4u, fsStrikeOut = 8u };
using FontStyles = unsigned;

class Font {
 public:
  Font() = default;
  Font(const QString &name, int size, FontStyles style = 0, TColor color = clBlack);

  const QString &Name() const { return name_; }
  void SetName(const QString &name) { name_ = name; }

  // Points, from the height: -height x 72 / PixelsPerInch, rounded.
  int Size() const;
  void SetSize(int points);
  // Negative: character height in pixels (without internal leading);
  // positive: cell height in pixels.
  int Height() const { return height_; }
  void SetHeight(int pixels) { height_ = pixels; }
  int PixelsPerInch() const { return pixels_per_inch_; }
  // Keeps the height in pixels (the point size changes), as when a font is
  // created for a surface.
  void SetPixelsPerInch(int ppi) { pixels_per_inch_ = ppi > 0 ? ppi : 96; }

  FontStyles Style() const { return style_; }
  void SetStyle(FontStyles style) { style_ = style; }
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }

  // Angle of the text line and of each character, tenths of a degree,
  // counter-clockwise.
  int Escapement() const { return escapement_; }
  void SetEscapement(int tenths) { escapement_ = tenths; }
  int Orientation() const { return orientation_; }
  void SetOrientation(int tenths) { orientation_ = tenths; }

  // Takes over everything of source but its own PixelsPerInch; when the
  // resolutions differ the point size is carried over instead of the height.
  void Assign(const Font &source);

  // Qt font for drawing on a surface of PixelsPerInch, sized in pixels.
  QFont ToQFont() const;

  bool operator==(const Font &o) const;
  bool operator!=(const Font &o) const { return !(*this == o); }

 private:
  QString name_ = QStringLiteral("Tahoma");
  int height_ = -11;  // 8 points at 96 pixels per inch
  int pixels_per_inch_ = 96;
  FontStyles style_ = 0;
  TColor color_ = clBlack;
  int escapement_ = 0;
  int orientation_ = 0;
};

}  // namespace platform
