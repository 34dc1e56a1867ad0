#include "res/cursors.h"

#include "platform/qt/cursor.h"

#include <QBitmap>
#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <vector>

namespace {

// A double-headed arrow along the x axis through the origin, reaching +-reach.
QPainterPath DoubleArrow(double reach) {
    const double head = reach - 5.5;
    QPolygonF poly;
    poly << QPointF(-reach, 0) << QPointF(-head, -5.5) << QPointF(-head, -1.5)
         << QPointF(head, -1.5) << QPointF(head, -5.5) << QPointF(reach, 0) << QPointF(head, 5.5)
         << QPointF(head, 1.5) << QPointF(-head, 1.5) << QPointF(-head, 5.5);
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

QPainterPath Rounded(double x, double y, double w, double h, double r) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

struct Drawing {
    QPainterPath outline;        // filled white, edged black
    std::vector<QLineF> creases; // black lines inside (between fingers)
};

Drawing Shape(unsigned nID) {
    Drawing d;
    switch (nID) {
    case IDC_HAND_POINT: {
        // The index finger up to the hot spot at (11, 9), the other fingers
        // folded on the palm, the thumb to the left.
        QPainterPath p = Rounded(9, 9, 5, 13, 2.5);
        p = p.united(Rounded(14, 15, 4, 7, 1.5));
        p = p.united(Rounded(17, 16, 4, 7, 1.5));
        p = p.united(Rounded(20, 17, 4, 7, 1.5));
        p = p.united(Rounded(9, 19, 15, 11, 3));
        p = p.united(Rounded(4, 18, 7, 5, 2));
        d.outline = p.simplified();
        d.creases = {QLineF(14, 19, 14, 22), QLineF(17, 19, 17, 22), QLineF(20, 20, 20, 23)};
        break;
    }
    case IDC_HAND_GRAB: {
        // A fist around (15, 15): four bent fingers on top, the thumb across.
        QPainterPath p = Rounded(7, 11, 17, 14, 3);
        for (int i = 0; i < 4; ++i)
            p = p.united(Rounded(8 + 4 * i, 7, 4.5, 7, 2));
        p = p.united(Rounded(4, 14, 8, 6, 2.5));
        d.outline = p.simplified();
        d.creases = {QLineF(12, 8, 12, 13), QLineF(16, 8, 16, 13), QLineF(20, 8, 20, 13),
                     QLineF(9, 17, 14, 17)};
        break;
    }
    case IDC_SIZE_NWSE:
        d.outline = QTransform().translate(16, 16).rotate(45).map(DoubleArrow(15));
        break;
    case IDC_SIZE_NESW:
        d.outline = QTransform().translate(16, 16).rotate(-45).map(DoubleArrow(15));
        break;
    case IDC_MOVE_CROP: {
        QPainterPath across = QTransform().translate(16, 15).map(DoubleArrow(14));
        QPainterPath upDown = QTransform().translate(16, 15).rotate(90).map(DoubleArrow(14));
        d.outline = across.united(upDown).simplified();
        break;
    }
    default:
        break;
    }
    return d;
}

QPoint HotSpot(unsigned nID) {
    switch (nID) {
    case IDC_HAND_POINT:
        return QPoint(11, 9);
    case IDC_MOVE_CROP:
        return QPoint(16, 15);
    case IDC_HAND_GRAB:
        return QPoint(15, 15);
    default:
        return QPoint(16, 16);
    }
}

QImage MonoImage() {
    QImage img(CURSOR_SIZE, CURSOR_SIZE, QImage::Format_Mono);
    img.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    img.fill(0);
    return img;
}

} // namespace

CursorShape DrawCursorShape(unsigned nID) {
    const Drawing d = Shape(nID);
    if (d.outline.isEmpty())
        return {};
    QImage canvas(CURSOR_SIZE, CURSOR_SIZE, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawPath(d.outline);
        for (const QLineF& line : d.creases)
            p.drawLine(line);
    }
    CursorShape shape{MonoImage(), MonoImage(), HotSpot(nID)};
    for (int y = 0; y < CURSOR_SIZE; ++y)
        for (int x = 0; x < CURSOR_SIZE; ++x) {
            const QRgb c = canvas.pixel(x, y);
            if (qAlpha(c) == 0)
                continue;
            shape.mask.setPixel(x, y, 1);
            shape.bits.setPixel(x, y, qGray(c) < 128 ? 1 : 0);
        }
    return shape;
}

void RegisterProgramCursors() {
    for (unsigned id :
         {IDC_HAND_POINT, IDC_SIZE_NWSE, IDC_MOVE_CROP, IDC_HAND_GRAB, IDC_SIZE_NESW}) {
        const CursorShape s = DrawCursorShape(id);
        AfxRegisterCursor(id, QCursor(QBitmap::fromImage(s.bits), QBitmap::fromImage(s.mask),
                                      s.hotSpot.x(), s.hotSpot.y()));
    }
}
