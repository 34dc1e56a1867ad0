// Texts drawn from their kept images give the pixels of texts drawn
// directly, over a picture, in every style, wherever their boxes lie.
#include "document/zelbrin_doc.h"
#include "platform/qt/gdi.h"
#include "render/page_drawing.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstring>

namespace {

// A page of a picture with texts over it: styles, colours, two lines, a
// line wider than its box, boxes at odd and even places.
void FillPage(CZelbrinDoc& doc) {
    doc.AppendItem(PatternPictureItem(120, 90, RECT{0, 0, 300, 220}));
    struct Text {
        const char* text;
        RECT place;
        int bold, italic, underline, lines;
        COLORREF colour;
    };
    const Text texts[] = {
        {"Summer 1998", {10, 10, 150, 40}, 0, 0, 0, 1, RGB(0, 0, 0)},
        {"Summer 1998", {11, 51, 151, 81}, 1, 1, 1, 1, RGB(200, 30, 60)},
        {"Two\r\nlines", {40, 90, 140, 150}, 0, 1, 0, 2, RGB(20, 120, 250)},
        {"A line far wider than its box", {161, 20, 201, 60}, 1, 0, 0, 1, RGB(250, 250, 0)},
        {"A line far wider than its box", {160, 120, 201, 160}, 0, 0, 1, 1, RGB(0, 90, 0)},
    };
    for (const Text& t : texts) {
        PageItem item = TextItem(t.text, t.place);
        item.bBold = t.bold;
        item.bItalic = t.italic;
        item.bUnderline = t.underline;
        item.nLines = t.lines;
        item.crColor = t.colour;
        doc.AppendItem(item);
    }
}

QImage DrawPage(CPageDrawing& drawing, float scale) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(nullptr, 320, 240);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.PatBlt(0, 0, 320, 240, WHITENESS);
    drawing.DrawPage(&dc, scale);
    dc.SelectObject(old);
    return bitmap.Image().copy();
}

} // namespace

TEST(TextImages, KeptTextsGiveThePixelsOfTextsDrawnDirectly) {
    CZelbrinDoc doc;
    doc.OnNewDocument();
    FillPage(doc);
    for (float scale : {1.0f, 0.75f}) {
        SCOPED_TRACE(scale);
        CPageDrawing direct(&doc);
        const QImage expected = DrawPage(direct, scale);
        CPageDrawing kept(&doc);
        kept.SetTextImages(true);
        // Once drawn into their images, once copied from them.
        EXPECT_EQ(DrawPage(kept, scale), expected);
        EXPECT_EQ(DrawPage(kept, scale), expected);
    }
}

TEST(TextImages, ALineWiderThanItsBoxMovesWithIt) {
    // Moved by a pixel, a box shows its line a pixel further, however the
    // centring rounds.
    const auto draw = [](int left, int width) {
        QImage image(300, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.Image() = image;
        CBitmap* old = dc.SelectObject(&bitmap);
        RECT box{left, 0, left + width, 40};
        dc.DrawText("Wider than the box", -1, &box, DT_CENTER);
        dc.SelectObject(old);
        return bitmap.Image().copy(QRect(left, 0, width, 40));
    };
    for (int width : {21, 22})
        for (int left = 0; left < 150; ++left)
            ASSERT_EQ(draw(left, width), draw(left + 1, width)) << left;
}
