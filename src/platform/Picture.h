#pragma once
// A picture holder: empty, or holding a bitmap of a fixed size (set when the
// bitmap is made). It has its own canvas for drawing into the bitmap.
#include <QImage>
#include <QString>
#include <memory>

#include "platform/Color.h"

namespace platform {

class Canvas;

// The image scaled to width x height by nearest neighbour, without any
// smoothing; one-bit images stay one-bit and are scaled a row at a time.
QImage ScaledNearest(const QImage &image, int width, int height);

class Picture {
 public:
  Picture();
  // A bitmap of width x height filled with fill.
  Picture(int width, int height, TColor fill = clWhite);
  explicit Picture(const QImage &image);
  ~Picture();
  // Copies are private copies of the bitmap.
  Picture(const Picture &other);
  Picture &operator=(const Picture &other);

  bool IsEmpty() const { return image_.isNull(); }
  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }

  // Makes a new bitmap of this size, filled with fill; a size of 0 or less
  // in either direction empties the picture.
  void SetSize(int width, int height, TColor fill = clWhite);
  void Clear();
  void SetImage(const QImage &image);
  const QImage &Image() const { return image_; }

  // The same pixels in the smallest lossless form: one bit per pixel for a
  // black-and-white bitmap, a palette of up to 256 colours otherwise. A job
  // keeps thousands of recorded copies of label pictures, so they are kept
  // packed. Drawing on a packed picture unpacks it first.
  Picture Packed() const;

  // The canvas of the bitmap. On an empty picture it draws nothing.
  Canvas &canvas();

  bool SaveToFile(const QString &fileName) const;
  bool LoadFromFile(const QString &fileName);

 private:
  void DropCanvas();

  QImage image_;
  std::unique_ptr<Canvas> canvas_;
};

}  // namespace platform
