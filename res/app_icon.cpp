#include "res/app_icon.h"

#include <QPainter>
#include <QPainterPath>

QImage MakeAppIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Drawn on a 32 x 32 grid.
    p.scale(size / 32.0, size / 32.0);

    // Album cover behind the page.
    p.setPen(QPen(QColor(60, 20, 20), 1));
    p.setBrush(QColor(150, 30, 40));
    p.drawRoundedRect(QRectF(2.5, 4.5, 24, 26), 2, 2);
    // The page, a little turned.
    p.save();
    p.translate(17, 16);
    p.rotate(6);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(-11, -14, 22, 27));
    // The photo: sky, sun and a hill.
    QRectF photo(-8, -11, 16, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 140, 230));
    p.drawRect(photo);
    p.setBrush(QColor(255, 210, 40));
    p.drawEllipse(QPointF(4, -7.5), 2, 2);
    QPainterPath hill;
    hill.moveTo(-8, 1);
    hill.lineTo(-8, -3);
    hill.quadTo(-3, -8, 2, -3);
    hill.quadTo(5, -5, 8, -2);
    hill.lineTo(8, 1);
    hill.closeSubpath();
    p.setBrush(QColor(40, 150, 60));
    p.drawPath(hill);
    // Two lines of caption text.
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.drawLine(QPointF(-7, 5), QPointF(7, 5));
    p.drawLine(QPointF(-7, 8.5), QPointF(3, 8.5));
    p.restore();
    p.end();
    return image;
}

QIcon MakeAppIcon() {
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(MakeAppIconImage(size)));
    return icon;
}
