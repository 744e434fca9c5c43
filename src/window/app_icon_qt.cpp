#include "window/app_icon_qt.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace pagelink {
namespace {

// Two pages joined by a link, on a rounded square.
QPixmap IconImage(int size) {
  QPixmap image(size, size);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x2b, 0x6c, 0xb0));
  painter.drawRoundedRect(QRectF(0, 0, 32, 32), 6, 6);
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(4, 7, 10, 14));
  painter.drawRect(QRectF(18, 11, 10, 14));
  painter.setPen(QPen(QColor(0xf2, 0xa9, 0x00), 2.5, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  QPainterPath link;
  link.moveTo(10, 16);
  link.cubicTo(13, 26, 19, 26, 22, 20);
  painter.drawPath(link);
  return image;
}

}  // namespace

QIcon ApplicationIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64}) icon.addPixmap(IconImage(size));
  return icon;
}

}  // namespace pagelink
