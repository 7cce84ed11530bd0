#pragma once
// Colours as the program stores them: a 32-bit value with red in the lowest
// byte, green in the next and blue in the third ($00BBGGRR). The top byte is
// zero for plain colours; clNone and clDefault are markers, not colours.
#include <QColor>
#include <cstdint>

namespace platform {

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = 0xF0F0F0;  // the panel background on our screens
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor RGBColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(TColor c) {
  return c & 0xFF;
}
constexpr int GreenOf(TColor c) {
  return (c >> 8) & 0xFF;
}
constexpr int BlueOf(TColor c) {
  return (c >> 16) & 0xFF;
}

// Opaque QColor of the low three bytes (markers give black).
inline QColor ToQColor(TColor c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
// Alpha is dropped.
inline TColor FromQColor(const QColor &c) {
  return RGBColor(c.red(), c.green(), c.blue());
}
inline TColor FromQRgb(QRgb c) {
  return RGBColor(qRed(c), qGreen(c), qBlue(c));
}

}  // namespace platform
