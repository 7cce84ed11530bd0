// The independent judge: barcodes drawn by the drawing core, at module widths
// 1 to 3 and the four right angles, with a quiet zone around them, must be
// read back by zbar as the data they were drawn from.
#include <gtest/gtest.h>
#include "ZbarScan.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "barcode/BarcodeImage.h"
#include "barcode/HBarCode_draw.h"
#include "platform/PrinterDevice.h"

using namespace barcode;

namespace {

// Every symbol zbar finds, as "TYPE:data" joined by "|". zbar's edge filter
// misses elements narrower than three pixels, so the picture is enlarged by
// whole pixels (no smoothing) until the module is three pixels wide; the
// drawing itself is not changed.
std::string Decode(const QImage &drawn, int modul) {
  const int scale = (3 + modul - 1) / modul;
  const QImage big =
      drawn.scaled(drawn.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation)
          .convertToFormat(QImage::Format_Grayscale8);
  std::vector<unsigned char> pixels(size_t(big.width()) * big.height());
  for (int y = 0; y < big.height(); ++y)
    std::copy_n(big.constScanLine(y), big.width(), pixels.begin() + size_t(y) * big.width());

  return ZbarScan(pixels, big.width(), big.height(), false);
}

struct Case {
  TBarType type;
  const char *data;
  TCheckSum check;
  TTextPosition position;
  const char *read;  // what zbar reports
  const char *why;
};

const Case kCases[] = {
    {bcCodeEAN13, "6901028095884", csNone, tpBottomCenter, "EAN-13:6901028095884",
     "worked example"},
    {bcCodeEAN13, "690102809588", csModulo10, tpBottomLeft, "EAN-13:6901028095884",
     "check digit appended; the label layout's three-piece text"},
    {bcCodeEAN8, "96385074", csNone, tpBottomCenter, "EAN-8:96385074", "valid check digit 4"},
    {bcCodeEAN8, "9638507", csModulo10, tpTopLeft, "EAN-8:96385074", "check digit appended"},
    {bcCodeUPC_A, "036000291459", csModulo10, tpBottomCenter, "UPC-A:036000291452",
     "the check digit 2 replaces the twelfth digit"},
    // UPC-E with the check switch on takes the check digit of the six digits
    // themselves, not of the expanded UPC-A number as the standard does, so a
    // scanner refuses it; drawn here with the standard check digit given.
    {bcCodeUPC_E0, "1234565", csNone, tpBottomCenter, "UPC-E:01234565",
     "expands to 0-12345-00006, check 5"},
    {bcCode128A, "AB12", csNone, tpBottomCenter, "CODE-128:AB12", "set A example"},
    // Set A has no lower-case letters: they are drawn as spaces.
    {bcCode128A, "Ab c", csNone, tpBottomCenter, "CODE-128:A   ", "lower case drawn as spaces"},
    {bcCode128B, "Hello, World 123", csNone, tpBottomCenter, "CODE-128:Hello, World 123", "set B"},
    {bcCode128C, "12345", csNone, tpBottomCenter, "CODE-128:012345",
     "odd length gets a 0 in front"},
    {bcCode39, "CODE-39 $5", csNone, tpBottomCenter, "CODE-39:CODE-39 $5", "plain Code 39"},
    {bcCode39, "ABC123", csModulo10, tpTopCenter, "CODE-39:ABC123$",
     "check sum 39 gives the character $, read as data by a scanner that does not check it"},
    // zbar reports the full-ASCII pairs as they are drawn.
    {bcCode39Extended, "Tag-1", csNone, tpBottomCenter, "CODE-39:T+A+G/M1", "full ASCII pairs"},
    {bcCode93, "CODE 93", csNone, tpBottomCenter, "CODE-93:CODE 93", "plain Code 93"},
    {bcCode93Extended, "Code93", csNone, tpBottomCenter, "CODE-93:Code93", "full ASCII shifts"},
    {bcCode_2_5_interleaved, "12345678", csNone, tpBottomCenter, "I2/5:12345678", "even length"},
    // Start and stop are always A and B.
    {bcCodeCodabar, "40156", csNone, tpBottomCenter, "Codabar:A40156B", "start A, stop B"},
};

}  // namespace

TEST(DecodeTest, EverySymbologyZbarReadsAtEveryAngleAndModule) {
  for (const Case &k : kCases)
    for (int modul = 1; modul <= 3; ++modul)
      for (double angle : {0.0, 90.0, 180.0, 270.0}) {
        BarcodeImageRequest r;
        r.type = k.type;
        r.data = QString::fromUtf8(k.data);
        r.checkSum = k.check;
        r.modul = modul;
        r.height = 40 * modul;
        r.angle = angle;
        r.textShow = tsBarCode;
        r.textPosition = k.position;
        const QImage img = DrawBarcodeImage(r);
        EXPECT_EQ(Decode(img, modul), k.read)
            << BCdata[k.type].Name << " \"" << k.data << "\" modul " << modul << " angle " << angle
            << " (" << k.why << ")";
      }
}

// The quiet zone is ten modules of white on every side of the drawing.
TEST(DecodeTest, QuietZoneOfTenModules) {
  BarcodeImageRequest r;
  r.type = bcCode128B;
  r.data = "quiet";
  r.modul = 2;
  r.textShow = tsNone;
  const QImage img = DrawBarcodeImage(r);
  const int w = 11 * 7 + 13;  // start, five characters, check, stop: modules
  EXPECT_EQ(img.width(), w * 2 + 2 * 20);
  EXPECT_EQ(img.height(), 41 + 2 * 20);
  EXPECT_EQ(img.pixel(19, 30) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(img.pixel(20, 30) & 0xFFFFFF, 0u) << "first bar right after the quiet zone";
}

// On the printer: a 0.33 mm module on a 600-dpi PDF page, rendered by
// pdftoppm and read by zbar.
TEST(DecodeTest, PrintedBarcodeScans) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString pdf = dir.filePath("bar.pdf");
  auto previous = platform::SetPrinter(std::make_unique<platform::PdfFileDevice>(pdf, 600));
  platform::Font font(QStringLiteral("Tahoma"), 9);
  ASSERT_TRUE(platform::Printer().BeginDoc("bar"));
  H_PrintBar(utMillimeter, bcCodeEAN13, "6901028095884", 0.33, 2.0, csNone, 20, 20, 15, font,
             tsBarCode, tpBottomLeft, platform::clBlack, platform::clWhite, platform::clWhite, 0);
  H_PrintBar(utInch, bcCode128B, "Label 42", 0.013, 2.0, csNone, 1, 2, 0.6, font, tsBarCode,
             tpBottomCenter, platform::clBlack, platform::clWhite, platform::clWhite, 90);
  platform::Printer().EndDoc();
  platform::SetPrinter(std::move(previous));

  QProcess render;
  render.start("pdftoppm",
               {"-r", "300", "-gray", "-png", "-singlefile", pdf, dir.filePath("page")});
  ASSERT_TRUE(render.waitForFinished(60000));
  QImage page(dir.filePath("page.png"));
  ASSERT_FALSE(page.isNull());
  const std::string read = Decode(page, 3);
  EXPECT_NE(read.find("EAN-13:6901028095884"), std::string::npos) << read;
  EXPECT_NE(read.find("CODE-128:Label 42"), std::string::npos) << read;
}
