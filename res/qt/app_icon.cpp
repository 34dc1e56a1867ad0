#include "res/qt/app_icon.h"

#include "res/resource.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap AppIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 64 x 64 grid, scaled to the size asked for.
    p.scale(size / 64.0, size / 64.0);

    // The album's back cover peeking out behind the page.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 62, 40));
    p.drawRoundedRect(QRectF(10, 5, 48, 56), 4, 4);

    // The page, with a soft shadow.
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRect(QRectF(8, 6, 46, 55));
    p.setBrush(QColor(252, 250, 242));
    p.setPen(QPen(QColor(150, 140, 120), 1.0));
    p.drawRect(QRectF(6, 3, 46, 55));

    // The photograph: sky, sun, hills, inside a white border.
    QRectF photo(12, 9, 34, 26);
    p.setPen(QPen(QColor(90, 90, 90), 0.8));
    p.setBrush(Qt::white);
    p.drawRect(photo.adjusted(-2, -2, 2, 2));
    QLinearGradient sky(photo.topLeft(), photo.bottomLeft());
    sky.setColorAt(0.0, QColor(70, 140, 220));
    sky.setColorAt(1.0, QColor(170, 210, 245));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(photo);
    p.save();
    p.setClipRect(photo);
    p.setBrush(QColor(255, 214, 64));
    p.drawEllipse(QPointF(38, 15), 4, 4);
    QPainterPath hills;
    hills.moveTo(photo.left(), photo.bottom());
    hills.lineTo(photo.left(), 27);
    hills.quadTo(20, 19, 28, 27);
    hills.quadTo(36, 21, photo.right(), 25);
    hills.lineTo(photo.right(), photo.bottom());
    hills.closeSubpath();
    p.setBrush(QColor(60, 150, 70));
    p.drawPath(hills);
    p.restore();

    // Two lines of caption text under the photograph.
    p.setBrush(QColor(110, 110, 110));
    p.drawRect(QRectF(12, 42, 30, 2.5));
    p.drawRect(QRectF(12, 48, 22, 2.5));
    return pixmap;
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : kAppIconSizes)
        icon.addPixmap(AppIconPixmap(size));
    return icon;
}

QIcon LoadIconResource(int resourceId) {
    if (resourceId == IDI_ZELBRIN)
        return AppIcon();
    return QIcon();
}
