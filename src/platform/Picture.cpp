#include "platform/Picture.h"

#include "platform/Canvas.h"

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

Canvas &Picture::canvas() {
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

}  // namespace platform
