#pragma once
// The window's pictures, drawn in code: the start picture of the design
// page, the banner of the direct-edit page and the two tree images.
#include <QPixmap>

namespace app {
QPixmap DecorativePicture(int width, int height);
QPixmap BannerPicture(int width, int height);
QPixmap TreeImage(int index);  // 0: root and categories, 1: templates
}  // namespace app
