#pragma once
// A picture holder: empty, or holding a bitmap of a fixed size (set when the
// bitmap is made). It has its own canvas for drawing into the bitmap.
#include <QByteArray>
#include <QImage>
#include <QList>
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
  friend class PackedPicture;

  QImage image_;
  std::unique_ptr<Canvas> canvas_;
};

// A picture stored compressed: the packed pixels (see Picture::Packed),
// deflated. For pictures kept long and drawn seldom, such as the thousands a
// label job records; Unpacked gives the same pixels back.
class PackedPicture {
 public:
  PackedPicture() = default;
  explicit PackedPicture(const Picture &picture);
  bool IsEmpty() const { return size_.isEmpty(); }
  Picture Unpacked() const;
  // Bytes held, for the curious.
  qsizetype StoredBytes() const { return bytes_.size(); }

 private:
  QSize size_;
  QImage::Format format_ = QImage::Format_Invalid;
  QList<QRgb> colours_;
  QByteArray bytes_;
};

}  // namespace platform
