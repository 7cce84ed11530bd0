#include "platform/Font.h"

#include <QFontMetrics>
#include <cmath>

#include "platform/Fonts.h"

namespace platform {

namespace {
// a x b / c rounded half away from zero, as the platform's scaling does.
int MulDiv(int a, int b, int c) {
  const long long p = static_cast<long long>(a) * b;
  const long long r = (std::llabs(p) * 2 + c) / (2LL * c);
  return static_cast<int>(p < 0 ? -r : r);
}
}  // namespace

Font::Font(const QString &name, int size, FontStyles style, TColor color)
    : name_(name), style_(style), color_(color) {
  SetSize(size);
}

int Font::Size() const {
  return -MulDiv(height_, 72, pixels_per_inch_);
}

void Font::SetSize(int points) {
  height_ = -MulDiv(points, pixels_per_inch_, 72);
}

void Font::Assign(const Font &source) {
  const int ppi = pixels_per_inch_;
  *this = source;
  pixels_per_inch_ = ppi;
  if (ppi != source.pixels_per_inch_) SetSize(source.Size());
}

QFont Font::ToQFont() const {
  InstallFontSubstitutions();
  QFont f(name_);
  int pixels = std::abs(height_);
  if (pixels < 1) pixels = 1;
  f.setPixelSize(pixels);
  if (height_ > 0) {
    // A positive height is the whole cell; scale the em so the cell fits it.
    const int cell = QFontMetrics(f).height();
    if (cell > 0 && cell != pixels) f.setPixelSize(std::max(1, pixels * pixels / cell));
  }
  f.setBold(style_ & fsBold);
  f.setItalic(style_ & fsItalic);
  f.setUnderline(style_ & fsUnderline);
  f.setStrikeOut(style_ & fsStrikeOut);
  // Glyph positions in whole device pixels, so that measured and drawn
  // widths agree on every surface.
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

bool Font::operator==(const Font &o) const {
  return name_ == o.name_ && height_ == o.height_ && pixels_per_inch_ == o.pixels_per_inch_ &&
         style_ == o.style_ && color_ == o.color_ && escapement_ == o.escapement_ &&
         orientation_ == o.orientation_;
}

}  // namespace platform
