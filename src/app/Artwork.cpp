#include "app/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace app {

QPixmap DecorativePicture(int width, int height) {
  QPixmap pm(width, height);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  // A price tag: rounded card, a hole, a few text rules and a barcode.
  const QRectF card(10, 12, width - 20, height - 24);
  p.setPen(QPen(QColor(90, 90, 160), 2));
  p.setBrush(QColor(236, 236, 255));
  p.drawRoundedRect(card, 10, 10);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(card.left() + 16, card.top() + 16), 5, 5);
  p.setPen(QPen(QColor(150, 150, 200), 3));
  for (int i = 0; i < 3; ++i)
    p.drawLine(QPointF(card.left() + 34, card.top() + 16 + i * 14),
               QPointF(card.right() - 14 - i * 22, card.top() + 16 + i * 14));
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  const int bars[] = {1, 2, 1, 1, 3, 1, 2, 2, 1, 1, 2, 1, 3, 1, 1, 2, 1, 2, 1, 1, 3, 2, 1, 1};
  qreal x = card.left() + 20;
  const qreal top = card.top() + 64, h = card.height() - 84;
  bool bar = true;
  for (int w : bars) {
    if (bar) p.drawRect(QRectF(x, top, w * 2, h));
    x += w * 2;
    bar = !bar;
  }
  return pm;
}

QPixmap BannerPicture(int width, int height) {
  QPixmap pm(width, height);
  QPainter p(&pm);
  QLinearGradient g(0, 0, width, height);
  g.setColorAt(0, QColor(223, 223, 255));
  g.setColorAt(1, QColor(120, 120, 200));
  p.fillRect(pm.rect(), g);
  p.setPen(Qt::white);
  QFont f(QStringLiteral("Tahoma"), 16, QFont::Bold);
  p.setFont(f);
  p.drawText(pm.rect().adjusted(16, 0, 0, -height / 4), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Tarvel标签打印"));
  f.setPointSize(10);
  f.setBold(false);
  p.setFont(f);
  p.drawText(pm.rect().adjusted(16, height / 3, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("访问Tarvel网站"));
  return pm;
}

QPixmap TreeImage(int index) {
  QPixmap pm(20, 20);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  if (index == 0) {  // a folder
    p.setPen(QColor(160, 120, 20));
    p.setBrush(QColor(250, 210, 90));
    p.drawRect(2, 6, 16, 11);
    p.drawRect(2, 4, 7, 3);
  } else {  // a small tag with bars
    p.setPen(QColor(60, 60, 140));
    p.setBrush(Qt::white);
    p.drawRect(3, 3, 14, 14);
    for (int x : {5, 7, 8, 10, 13, 14}) p.drawLine(x, 6, x, 14);
  }
  return pm;
}

}  // namespace app
