// libFuzzer target for the drawing core. The first ten bytes pick the
// request, the rest is the data (UTF-8):
//   [0] symbology, -1 to 23      [1] check switch
//   [2] module width, -2 to 61   [3] ratio, from a table of awkward values
//   [4] angle, from a table      [5] bar height, from a table
//   [6] text show, 0 to 4        [7] text position, 0 to 6
//   [8] left and top, from a table
//   [9] bit 0: also make the stand-alone picture (small requests only)
// Any request must draw, or fail with a platform::Exception; never crash,
// hang or allocate without bound.
#include <QGuiApplication>
#include <QImage>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>

#include "barcode/BarcodeImage.h"
#include "barcode/HBarCode_draw.h"
#include "platform/Canvas.h"
#include "platform/Exception.h"

using namespace barcode;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kRatios[8] = {kNaN, -1.0, 0.0, 1.0, 2.0, 2.6, 3.0, 1e300};
constexpr double kAngles[16] = {0,     90,   180,  270,  45,    -90,  359.95, 135.5,
                                1e300, -1e9, kNaN, kInf, -kInf, 12.3, 225,    315};
constexpr int kHeights[8] = {40, 0, -5, 1, 300, INT_MAX, INT_MIN, kMaxDrawExtent};
constexpr int kPlaces[8] = {0, 8, -50, 30, INT_MAX, INT_MIN, kMaxDrawExtent, -kMaxDrawExtent};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
  if (size < 10) return 0;
  const TBarType type = TBarType(int(bytes[0] % 25) - 1);
  const TCheckSum check = TCheckSum(bytes[1] % 3);
  const int modul = int(bytes[2] % 64) - 2;
  const double ratio = kRatios[bytes[3] % 8];
  const double angle = kAngles[bytes[4] % 16];
  const int height = kHeights[bytes[5] % 8];
  const TTextShow show = TTextShow(bytes[6] % 5);
  const TTextPosition position = TTextPosition(bytes[7] % 7);
  const int left = kPlaces[bytes[8] % 8], top = kPlaces[(bytes[8] >> 3) % 8];
  const QString data =
      QString::fromUtf8(reinterpret_cast<const char *>(bytes + 10), qsizetype(size - 10));

  QImage image(64, 64, QImage::Format_RGB32);
  image.fill(Qt::white);
  platform::Canvas canvas(&image);
  platform::Font font(QStringLiteral("Tahoma"), 9);
  try {
    H_DrawBar(canvas, type, data, modul, ratio, check, left, top, height, font, show, position,
              platform::clBlack, platform::clWhite, platform::clWhite, angle);
  } catch (const platform::Exception &) {
  }
  try {
    H_GetCanvasWidth(type, data, modul, ratio, check, height, angle);
    H_GetCanvasHeight(type, data, modul, ratio, check, height, angle);
  } catch (const platform::Exception &) {
  }
  if ((bytes[9] & 1) && data.size() <= 32 && modul <= 3 && height <= 300) {
    BarcodeImageRequest r;
    r.type = type;
    r.data = data;
    r.checkSum = check;
    r.modul = modul;
    r.ratio = ratio;
    r.height = height;
    r.angle = angle;
    r.textShow = show;
    r.textPosition = position;
    try {
      DrawBarcodeImage(r);
    } catch (const platform::Exception &) {
    }
  }
  return 0;
}
