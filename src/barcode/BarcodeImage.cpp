#include "barcode/BarcodeImage.h"

#include <cmath>

#include "barcode/HBarCode_draw.h"
#include "platform/Exception.h"
#include "platform/Picture.h"

namespace barcode {

namespace {
constexpr QRgb kMarker = 0xFFFF00FF;  // never drawn: bars black, the rest white
}

QImage DrawBarcodeImage(const BarcodeImageRequest &r) {
  // Refusals of the encoder first, before anything is allocated.
  const BarPattern p = MakeBarPattern(r.type, r.data, r.modul, r.ratio, r.checkSum);
  const long long w = PatternWidth(p.pattern);
  if (r.height < 0 || r.height > kMaxDrawExtent || !std::isfinite(r.angle) || r.quietModules < 0 ||
      r.quietModules > 1000)
    throw platform::Exception(QLatin1String(kMsgDrawRange));

  // Room for text pieces that reach past the bars on any side.
  platform::Picture probe(1, 1);
  probe.canvas().SetFont(r.font);
  const QString longest = H_GetBarTypeName(r.type) + QLatin1Char(' ') + p.text;
  const long long pad = probe.canvas().TextWidth(longest) + probe.canvas().TextHeight(longest) + 64;

  const double a = r.angle / 180.0 * M_PI;
  const double s = std::fabs(std::sin(a)), c = std::fabs(std::cos(a));
  const long long ew = (long long)std::ceil(w * c + r.height * s) + 2 + 2 * pad;
  const long long eh = (long long)std::ceil(w * s + r.height * c) + 2 + 2 * pad;
  if (ew * eh > kMaxBarcodeImagePixels || ew > kMaxDrawExtent || eh > kMaxDrawExtent)
    throw platform::Exception(QLatin1String(kMsgImageTooLarge));

  QImage scratch(int(ew), int(eh), QImage::Format_RGB32);
  if (scratch.isNull()) throw platform::Exception(QLatin1String(kMsgImageTooLarge));
  scratch.fill(kMarker);
  {
    platform::Canvas canvas(&scratch);
    platform::Font font = r.font;
    font.SetColor(platform::clBlack);
    H_DrawBar(canvas, r.type, r.data, r.modul, r.ratio, r.checkSum, int(pad), int(pad), r.height,
              font, r.textShow, r.textPosition, platform::clBlack, platform::clWhite,
              platform::clWhite, r.angle);
  }

  QRect box;
  for (int y = 0; y < scratch.height(); ++y) {
    const QRgb *line = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
    int first = -1, last = -1;
    for (int x = 0; x < scratch.width(); ++x)
      if (line[x] != kMarker) {
        if (first < 0) first = x;
        last = x;
      }
    if (first >= 0) box |= QRect(first, y, last - first + 1, 1);
  }
  const int quiet = r.quietModules * r.modul;
  QImage out(box.width() + 2 * quiet, box.height() + 2 * quiet, QImage::Format_RGB32);
  if (out.isNull()) throw platform::Exception(QLatin1String(kMsgImageTooLarge));
  out.fill(Qt::white);
  for (int y = 0; y < box.height(); ++y) {
    const QRgb *from = reinterpret_cast<const QRgb *>(scratch.constScanLine(box.top() + y));
    QRgb *to = reinterpret_cast<QRgb *>(out.scanLine(quiet + y));
    for (int x = 0; x < box.width(); ++x) {
      const QRgb v = from[box.left() + x];
      to[quiet + x] = v == kMarker ? 0xFFFFFFFF : v;
    }
  }
  return out;
}

}  // namespace barcode
