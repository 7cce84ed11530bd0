#include "platform/Picture.h"

#include "platform/Canvas.h"

#include <QHash>
#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {

Picture::Picture() = default;

Picture::Picture(int width, int height, TColor fill) {
  SetSize(width, height, fill);
}

Picture::Picture(const QImage &image) {
  SetImage(image);
}

Picture::~Picture() = default;

Picture::Picture(const Picture &other) : image_(other.image_.copy()) {}

Picture &Picture::operator=(const Picture &other) {
  if (this != &other) {
    DropCanvas();
    image_ = other.image_.copy();
  }
  return *this;
}

void Picture::DropCanvas() {
  // The painter must be closed before the image it paints on goes away.
  canvas_.reset();
}

void Picture::SetSize(int width, int height, TColor fill) {
  DropCanvas();
  if (width <= 0 || height <= 0) {
    image_ = QImage();
    return;
  }
  image_ = QImage(width, height, QImage::Format_RGB32);
  if (image_.isNull()) return;  // too large to allocate: stays empty
  image_.fill(ToQColor(fill));
}

void Picture::Clear() {
  DropCanvas();
  image_ = QImage();
}

void Picture::SetImage(const QImage &image) {
  DropCanvas();
  image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
}

QImage ScaledNearest(const QImage &image, int width, int height) {
  if (image.isNull() || width <= 0 || height <= 0) return QImage();
  if (image.size() == QSize(width, height)) return image;
  if (image.format() != QImage::Format_Mono)
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  QImage out(width, height, QImage::Format_Mono);
  if (out.isNull()) return out;
  out.setColorTable(image.colorTable());
  const int sw = image.width(), sh = image.height();
  // Source column of every target column: the pixel whose span holds the
  // target pixel's centre.
  std::vector<int> column(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x)
    column[static_cast<size_t>(x)] =
        std::min(sw - 1, static_cast<int>((static_cast<qint64>(2 * x + 1) * sw) / (2 * width)));
  const size_t bytes = static_cast<size_t>(out.bytesPerLine());
  int previous = -1;
  for (int y = 0; y < height; ++y) {
    const int sy = std::min(sh - 1, static_cast<int>((static_cast<qint64>(2 * y + 1) * sh) / (2 * height)));
    uchar *dst = out.scanLine(y);
    if (sy == previous) {
      std::memcpy(dst, out.constScanLine(y - 1), bytes);
      continue;
    }
    previous = sy;
    const uchar *src = image.constScanLine(sy);
    std::memset(dst, 0, bytes);
    for (int x = 0; x < width; ++x) {
      const int sx = column[static_cast<size_t>(x)];
      if (src[sx >> 3] & (0x80 >> (sx & 7))) dst[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7));
    }
  }
  return out;
}

Picture Picture::Packed() const {
  if (canvas_) canvas_->End();
  Picture packed;
  if (image_.isNull() || image_.format() != QImage::Format_RGB32) {
    packed.image_ = image_;
    return packed;
  }
  // Collect the palette; give up past 256 colours.
  QList<QRgb> palette;
  QHash<QRgb, int> index;
  const int w = image_.width(), h = image_.height();
  for (int y = 0; y < h; ++y) {
    const QRgb *line = reinterpret_cast<const QRgb *>(image_.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      const QRgb c = line[x] | 0xFF000000u;
      if (std::find(palette.begin(), palette.begin() + std::min<qsizetype>(palette.size(), 4), c) !=
          palette.begin() + std::min<qsizetype>(palette.size(), 4))
        continue;
      if (index.contains(c)) continue;
      if (palette.size() == 256) {
        packed.image_ = image_;
        return packed;
      }
      index.insert(c, static_cast<int>(palette.size()));
      palette.append(c);
    }
  }
  const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
  const bool blackAndWhite =
      std::all_of(palette.begin(), palette.end(), [&](QRgb c) { return c == black || c == white; });
  if (blackAndWhite) {
    // Black first, white second: the form printer documents keep as one bit.
    QImage mono(w, h, QImage::Format_Mono);
    mono.setColorTable({black, white});
    for (int y = 0; y < h; ++y) {
      const QRgb *line = reinterpret_cast<const QRgb *>(image_.constScanLine(y));
      uchar *out = mono.scanLine(y);
      std::memset(out, 0, static_cast<size_t>(mono.bytesPerLine()));
      for (int x = 0; x < w; ++x)
        if ((line[x] | 0xFF000000u) == white) out[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7));
    }
    packed.image_ = mono;
    return packed;
  }
  QImage indexed(w, h, QImage::Format_Indexed8);
  indexed.setColorTable(palette);
  for (int y = 0; y < h; ++y) {
    const QRgb *line = reinterpret_cast<const QRgb *>(image_.constScanLine(y));
    uchar *out = indexed.scanLine(y);
    for (int x = 0; x < w; ++x) out[x] = static_cast<uchar>(index.value(line[x] | 0xFF000000u));
  }
  packed.image_ = indexed;
  return packed;
}

Canvas &Picture::canvas() {
  if (!canvas_ && !image_.isNull() && image_.format() != QImage::Format_RGB32)
    image_ = image_.convertToFormat(QImage::Format_RGB32);  // unpack before drawing
  if (!canvas_) canvas_ = std::make_unique<Canvas>(&image_);
  return *canvas_;
}

bool Picture::SaveToFile(const QString &fileName) const {
  if (canvas_) canvas_->End();
  return !image_.isNull() && image_.save(fileName);
}

bool Picture::LoadFromFile(const QString &fileName) {
  QImage loaded;
  if (!loaded.load(fileName)) return false;
  SetImage(loaded);
  return true;
}

PackedPicture::PackedPicture(const Picture &picture) {
  if (picture.IsEmpty()) return;
  const QImage image = picture.Packed().Image();
  size_ = image.size();
  format_ = image.format();
  colours_ = image.colorTable();
  // Rows without their padding, so equal pictures give equal bytes.
  const qsizetype row = (static_cast<qsizetype>(image.width()) * image.depth() + 7) / 8;
  QByteArray raw;
  raw.reserve(row * image.height());
  for (int y = 0; y < image.height(); ++y)
    raw.append(reinterpret_cast<const char *>(image.constScanLine(y)), row);
  bytes_ = qCompress(raw, 1);
  bytes_.squeeze();  // qCompress leaves room for the worst case
}

Picture PackedPicture::Unpacked() const {
  if (IsEmpty()) return Picture();
  QImage image(size_, format_);
  if (image.isNull()) return Picture();
  image.setColorTable(colours_);
  const QByteArray raw = qUncompress(bytes_);
  const qsizetype row = (static_cast<qsizetype>(image.width()) * image.depth() + 7) / 8;
  if (raw.size() != row * image.height()) return Picture();
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(image.scanLine(y), raw.constData() + row * y, static_cast<size_t>(row));
  Picture picture;
  picture.image_ = image;
  return picture;
}

}  // namespace platform
