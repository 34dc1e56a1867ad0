#include "platform/qt/dialog_units.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace {

// a * b / c rounded half away from zero, as MulDiv does.
int MulDiv(int a, int b, int c) {
    long long p = static_cast<long long>(a) * b;
    long long half = c / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}

} // namespace

QFont DialogFont(const char* faceName, int pointSize) {
    QString face = QString::fromUtf8(faceName ? faceName : "");
    QFont font;
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) {
        font = QFont(face);
    } else {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSize(pointSize > 0 ? pointSize : 8);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

DialogBaseUnits DialogBaseUnitsOf(const QFont& font) {
    QFontMetrics fm(font);
    int width = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogBaseUnits units;
    units.cx = (width / 26 + 1) / 2;
    units.cy = fm.height();
    if (units.cx < 1)
        units.cx = 1;
    if (units.cy < 1)
        units.cy = 1;
    return units;
}

int MapDialogX(const DialogBaseUnits& units, int x) {
    return MulDiv(x, units.cx, 4);
}
int MapDialogY(const DialogBaseUnits& units, int y) {
    return MulDiv(y, units.cy, 8);
}

QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy) {
    int left = MapDialogX(units, x);
    int top = MapDialogY(units, y);
    int right = MapDialogX(units, x + cx);
    int bottom = MapDialogY(units, y + cy);
    return QRect(left, top, right - left, bottom - top);
}
