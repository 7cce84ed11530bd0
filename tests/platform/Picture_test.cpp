// Packed pictures keep every pixel in a fraction of the memory; nearest-
// neighbour scaling keeps every source pixel within one target pixel of its
// exact size.
#include <gtest/gtest.h>

#include <QPainter>
#include <QRandomGenerator>

#include "platform/Canvas.h"
#include "platform/Picture.h"

using platform::Picture;

namespace {

QImage Random(int w, int h, int colours, quint32 seed) {
  QRandomGenerator rng(seed);
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int c = static_cast<int>(rng.bounded(colours));
      img.setPixel(x, y, colours == 2 ? (c ? qRgb(255, 255, 255) : qRgb(0, 0, 0))
                                      : qRgb(c % 256, c / 256, 0));
    }
  return img;
}

bool SamePixels(const QImage &a, const QImage &b) {
  if (a.size() != b.size()) return false;
  const QImage ra = a.convertToFormat(QImage::Format_RGB32), rb = b.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if ((ra.pixel(x, y) & 0xFFFFFF) != (rb.pixel(x, y) & 0xFFFFFF)) return false;
  return true;
}

}  // namespace

TEST(PicturePacked, KeepsEveryPixelInTheSmallestForm) {
  struct Case {
    int colours;
    QImage::Format expected;
    const char *what;
  } cases[] = {{2, QImage::Format_Mono, "black and white: one bit"},
               {3, QImage::Format_Indexed8, "a few colours: a palette"},
               {256, QImage::Format_Indexed8, "256 colours still fit"},
               {257, QImage::Format_RGB32, "more colours: kept as they are"}};
  for (const Case &c : cases) {
    const Picture picture(Random(344, 142, c.colours, 7));
    const Picture packed = picture.Packed();
    EXPECT_EQ(packed.Image().format(), c.expected) << c.what;
    EXPECT_TRUE(SamePixels(packed.Image(), picture.Image())) << c.what;
    const Picture copy = packed;  // copies stay packed and equal
    EXPECT_EQ(copy.Image().format(), c.expected);
    EXPECT_TRUE(SamePixels(copy.Image(), picture.Image()));
  }
  // A label's barcode picture shrinks to a thirty-second of its size.
  const Picture bw(Random(344, 142, 2, 9));
  EXPECT_LE(bw.Packed().Image().sizeInBytes() * 30, bw.Image().sizeInBytes());
  // Only pure black and white go to one bit; two other colours keep their values.
  QImage two(10, 10, QImage::Format_RGB32);
  two.fill(qRgb(255, 0, 0));
  two.setPixel(3, 3, qRgb(0, 0, 255));
  const Picture p2 = Picture(two).Packed();
  EXPECT_TRUE(SamePixels(p2.Image(), two));
}

TEST(PicturePacked, DrawingOnAPackedPictureUnpacksIt) {
  Picture packed = Picture(Random(40, 20, 2, 3)).Packed();
  ASSERT_EQ(packed.Image().format(), QImage::Format_Mono);
  packed.canvas().SetPixel(5, 5, platform::clRed);
  packed.canvas().End();
  EXPECT_EQ(packed.Image().format(), QImage::Format_RGB32);
  EXPECT_EQ(packed.Image().pixel(5, 5) & 0xFFFFFF, 0xFF0000u);
}

TEST(ScaledNearest, EverySourcePixelBecomesARunWithinOnePixelOfItsExactWidth) {
  const QImage mono = Picture(Random(344, 142, 2, 11)).Packed().Image();
  ASSERT_EQ(mono.format(), QImage::Format_Mono);
  struct Case {
    int w, h;
  } cases[] = {{2150, 888}, {1075, 444}, {344, 142}, {4300, 1775}, {100, 50}};
  for (const Case &c : cases) {
    const QImage scaled = platform::ScaledNearest(mono, c.w, c.h);
    ASSERT_EQ(scaled.size(), QSize(c.w, c.h));
    EXPECT_EQ(scaled.format(), QImage::Format_Mono);
    if (c.w < mono.width()) continue;
    // Count the run of target columns each source column gets.
    const double exact = double(c.w) / mono.width();
    std::vector<int> run(static_cast<size_t>(mono.width()), 0);
    for (int x = 0; x < c.w; ++x) {
      const int sx = std::min(mono.width() - 1, static_cast<int>((2 * x + 1) * qint64(mono.width()) / (2 * c.w)));
      ++run[static_cast<size_t>(sx)];
    }
    for (int r : run) EXPECT_LE(std::abs(r - exact), 1.0) << c.w;
  }
  // At a whole factor every block repeats its source pixel.
  const QImage four = platform::ScaledNearest(mono, mono.width() * 4, mono.height() * 4);
  const QImage rgbFour = four.convertToFormat(QImage::Format_RGB32);
  const QImage rgb = mono.convertToFormat(QImage::Format_RGB32);
  int wrong = 0;
  for (int y = 0; y < four.height(); ++y)
    for (int x = 0; x < four.width(); ++x)
      wrong += rgbFour.pixel(x, y) != rgb.pixel(x / 4, y / 4);
  EXPECT_EQ(wrong, 0);
}

TEST(PackedPicture, GivesBackTheSamePixelsFromAFewHundredBytes) {
  for (int colours : {2, 3, 300}) {
    const Picture picture(Random(344, 142, colours, 21));
    const platform::PackedPicture packed(picture);
    EXPECT_TRUE(SamePixels(packed.Unpacked().Image(), picture.Image())) << colours;
  }
  // A label's barcode picture: white with a block of bars.
  Picture label(344, 142);
  for (int x = 0; x < 95; x += 2) label.canvas().SetPixel(x, 0, platform::clBlack);
  label.canvas().End();
  QImage img = label.Image();
  for (int y = 1; y < 40; ++y)
    for (int x = 0; x < 95; ++x) img.setPixel(x, y, img.pixel(x, 0));
  const Picture bars(img);
  const platform::PackedPicture packed(bars);
  EXPECT_LT(packed.StoredBytes(), 1024);
  EXPECT_TRUE(SamePixels(packed.Unpacked().Image(), bars.Image()));
  EXPECT_TRUE(platform::PackedPicture(Picture()).Unpacked().IsEmpty());
}
