#include "res/qt/toolbar.h"

#include "res/resource.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {

constexpr unsigned kButtons[] = {
    ID_FILE_NEW,       ID_OPEN_DOCUMENT, ID_FILE_OPEN,        ID_SEPARATOR,      ID_FILE_SAVE,
    ID_FILE_PRINT,     ID_SEPARATOR,     ID_DUPLICATE_OBJECT, ID_DELETE_OBJECT,  ID_SEPARATOR,
    ID_EDIT_UNDO,      ID_EDIT_REDO,     ID_SEPARATOR,        ID_NEW_TEXT_ITEM,  ID_TEXT_COLOR,
    ID_SEPARATOR,      ID_TEXT_BOLD,     ID_TEXT_ITALIC,      ID_TEXT_UNDERLINE, ID_SEPARATOR,
    ID_SHOW_GRIDLINES, ID_APP_ABOUT,
};

// The standard 16-colour palette.
const QList<QRgb>& Palette16() {
    static const QList<QRgb> colours = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    return colours;
}

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGray(128, 128, 128);
const QColor kSilver(192, 192, 192);
const QColor kNavy(0, 0, 128);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kLime(0, 255, 0);
const QColor kYellow(255, 255, 0);
const QColor kOlive(128, 128, 0);
const QColor kTeal(0, 128, 128);

// A sheet of paper with a folded top-right corner.
void DrawPage(QPainter& p, int x, int y, int w, int h) {
    const int fold = 4;
    QPolygon outline({QPoint(x, y), QPoint(x + w - fold, y), QPoint(x + w, y + fold),
                      QPoint(x + w, y + h), QPoint(x, y + h)});
    p.setPen(kBlack);
    p.setBrush(kWhite);
    p.drawPolygon(outline);
    p.setBrush(Qt::NoBrush);
    p.drawLine(x + w - fold, y, x + w - fold, y + fold);
    p.drawLine(x + w - fold, y + fold, x + w, y + fold);
}

void DrawNewPage(QPainter& p) {
    DrawPage(p, 4, 1, 11, 15);
}

void DrawOpenFolder(QPainter& p) {
    p.setPen(kBlack);
    // Back of the folder with its tab.
    p.setBrush(kOlive);
    p.drawPolygon(QPolygon(
        {QPoint(1, 4), QPoint(5, 4), QPoint(6, 5), QPoint(13, 5), QPoint(13, 15), QPoint(1, 15)}));
    // Front flap, opened towards the viewer.
    p.setBrush(kYellow);
    p.drawPolygon(QPolygon({QPoint(4, 8), QPoint(17, 8), QPoint(13, 15), QPoint(1, 15)}));
    // Arrow coming out of the folder.
    p.setPen(kBlack);
    p.drawLine(13, 1, 16, 1);
    p.drawLine(17, 2, 17, 5);
    p.drawLine(15, 4, 17, 6);
    p.drawLine(18, 5, 17, 6);
}

void DrawPicture(QPainter& p) {
    p.setPen(kBlack);
    p.setBrush(kWhite);
    p.drawRect(1, 2, 16, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRect(3, 4, 13, 10);
    // Sun and hills.
    p.setBrush(kYellow);
    p.drawEllipse(11, 5, 3, 3);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygon({QPoint(3, 14), QPoint(3, 11), QPoint(7, 7), QPoint(11, 11),
                            QPoint(13, 10), QPoint(16, 13), QPoint(16, 14)}));
}

void DrawSave(QPainter& p) {
    p.setPen(kBlack);
    p.setBrush(kNavy);
    p.drawRect(2, 1, 14, 15);
    // Label and shutter.
    p.setBrush(kWhite);
    p.drawRect(5, 2, 8, 6);
    p.setPen(kGray);
    p.drawLine(6, 4, 12, 4);
    p.drawLine(6, 6, 12, 6);
    p.setPen(kBlack);
    p.setBrush(kSilver);
    p.drawRect(5, 11, 8, 5);
    p.setBrush(kNavy);
    p.drawRect(7, 12, 2, 3);
}

void DrawPrinter(QPainter& p) {
    p.setPen(kBlack);
    // Paper sticking out at the top.
    p.setBrush(kWhite);
    p.drawRect(5, 1, 8, 7);
    // Body and paper tray.
    p.setBrush(kSilver);
    p.drawRect(1, 7, 16, 6);
    p.setBrush(kGray);
    p.drawRect(3, 13, 12, 3);
    p.setPen(kLime);
    p.drawPoint(14, 9);
    p.setPen(kBlack);
    p.drawLine(4, 10, 10, 10);
}

void DrawDuplicate(QPainter& p) {
    DrawPage(p, 1, 1, 10, 11);
    DrawPage(p, 7, 5, 10, 11);
}

void DrawDelete(QPainter& p) {
    QPen pen(kRed, 3);
    p.setPen(pen);
    p.drawLine(4, 3, 14, 13);
    p.drawLine(14, 3, 4, 13);
}

// A curved arrow turning back to the left (Undo), or mirrored (Redo).
void DrawTurnArrow(QPainter& p, bool back) {
    if (!back) {
        p.translate(TOOLBAR_IMAGE_WIDTH, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(kNavy, 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath arc;
    arc.moveTo(15, 15);
    arc.cubicTo(17, 6, 11, 4, 6, 7);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawPolygon(QPolygon({QPoint(2, 7), QPoint(8, 2), QPoint(8, 12)}));
}

void DrawLetters(QPainter& p, const QString& text, const QColor& colour, const QRect& box,
                 bool bold, bool italic, bool underline, const char* family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

void DrawText(QPainter& p) {
    // A text box with a line of writing and a caret.
    p.setPen(kBlack);
    p.setBrush(kWhite);
    p.drawRect(1, 3, 16, 11);
    DrawLetters(p, "ab", kBlack, QRect(2, 3, 12, 11), false, false, false, "Liberation Sans", 10);
    p.setPen(kNavy);
    p.drawLine(15, 5, 15, 12);
}

void DrawColour(QPainter& p) {
    p.setPen(kBlack);
    const QColor swatches[] = {kRed, kLime, kBlue, kYellow};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(swatches[i]);
        p.drawRect(2 + (i % 2) * 8, 1 + (i / 2) * 8, 6, 6);
    }
}

void DrawGrid(QPainter& p) {
    p.setPen(kTeal);
    for (int i = 0; i <= 4; ++i) {
        p.drawLine(2 + i * 4, 1, 2 + i * 4, 17);
        p.drawLine(1, 1 + i * 4, 18, 1 + i * 4);
    }
}

void DrawHelp(QPainter& p) {
    DrawLetters(p, "?", kNavy, QRect(0, 0, 19, 18), true, false, false, "Liberation Serif", 17);
}

} // namespace

std::span<const unsigned> GetToolBarButtons() {
    return kButtons;
}

QRgb ToolBarBackground() {
    return qRgb(192, 192, 192);
}

QImage MakeToolBarBitmap() {
    QImage strip(TOOLBAR_IMAGE_WIDTH * TOOLBAR_IMAGE_COUNT, TOOLBAR_IMAGE_HEIGHT,
                 QImage::Format_RGB32);
    strip.fill(ToolBarBackground());
    using Draw = void (*)(QPainter&);
    const Draw images[TOOLBAR_IMAGE_COUNT] = {
        DrawNewPage,
        DrawOpenFolder,
        DrawPicture,
        DrawSave,
        DrawPrinter,
        DrawDuplicate,
        DrawDelete,
        [](QPainter& p) { DrawTurnArrow(p, true); },
        [](QPainter& p) { DrawTurnArrow(p, false); },
        DrawText,
        DrawColour,
        [](QPainter& p) {
            DrawLetters(p, "B", kBlack, QRect(0, 0, 19, 18), true, false, false, "Liberation Serif",
                        15);
        },
        [](QPainter& p) {
            DrawLetters(p, "I", kBlack, QRect(0, 0, 19, 18), true, true, false, "Liberation Serif",
                        15);
        },
        [](QPainter& p) {
            DrawLetters(p, "U", kBlack, QRect(0, -1, 19, 18), true, false, true, "Liberation Serif",
                        14);
        },
        DrawGrid,
        DrawHelp,
    };
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < TOOLBAR_IMAGE_COUNT; ++i) {
        p.save();
        p.setClipRect(i * TOOLBAR_IMAGE_WIDTH, 0, TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT);
        p.translate(i * TOOLBAR_IMAGE_WIDTH, 0);
        images[i](p);
        p.restore();
    }
    p.end();
    // Every colour drawn is one of the palette's, so the conversion is exact.
    return strip.convertToFormat(QImage::Format_Indexed8, Palette16(), Qt::ThresholdDither);
}
