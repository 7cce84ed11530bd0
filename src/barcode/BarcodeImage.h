#pragma once
// A barcode as a picture of its own: the whole drawing of the drawing core
// (turned bars, every text piece, the EAN-13 leading digit left of the bars)
// on white, with a quiet zone of a number of modules on every side, so that
// a scanner reads it as it is. Used by the command-line tool and the tests.
#include <QImage>
#include <QString>

#include "barcode/HBarCode.h"
#include "platform/Font.h"

namespace barcode {

struct BarcodeImageRequest {
  TBarType type = bcCodeEAN13;
  QString data;
  TCheckSum checkSum = csNone;
  int modul = 1;
  double ratio = 2.0;
  int height = 40;
  double angle = 0.0;
  TTextShow textShow = tsBarCode;
  TTextPosition textPosition = tpBottomCenter;
  platform::Font font{QStringLiteral("Sans Serif"), 9};
  int quietModules = 10;
};

// Pictures larger than this many pixels are refused with kMsgImageTooLarge.
constexpr long long kMaxBarcodeImagePixels = 25'000'000;
inline constexpr const char kMsgImageTooLarge[] = "Barcode image too large.";

// Throws platform::Exception: the encoder's and the drawing core's
// refusals, and kMsgImageTooLarge.
QImage DrawBarcodeImage(const BarcodeImageRequest &request);

}  // namespace barcode
