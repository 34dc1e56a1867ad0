// Turned pictures as drawn: a cropped picture shows the same part after a
// quarter turn, and a printer gets the full-size pixels upright.
#include "document/zelbrin_doc.h"
#include "imaging/orientation.h"
#include "platform/qt/gdi.h"
#include "render/page_drawing.h"
#include "support/test_support.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

QImage DrawAlone(const PageItem& item, int w, int h) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, w, h);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.PatBlt(0, 0, w, h, WHITENESS);
    CPageDrawing drawing;
    drawing.SetSmoothPictures(false);
    drawing.DrawPageItem(item, &dc, 1.0f);
    dc.SelectObject(old);
    return bitmap.Image();
}

int Difference(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

} // namespace

TEST(TurnedPicture, ACroppedPictureShowsTheSamePartAfterATurn) {
    TempDir dir;
    MakeJpeg(dir.File("land.jpg"), 400, 300);
    CZelbrinDoc doc;
    doc.OnNewDocument();
    ASSERT_TRUE(doc.AddPicture(dir.File("land.jpg").c_str()));
    PageItem item = doc.GetLastItem();
    item.rcPlace = RECT{100, 100, 260, 220}; // 160 x 120, the crop's own size
    item.rcSource = RECT{20, 10, 180, 130};
    doc.SetLastItem(item);
    const QImage before = DrawAlone(doc.GetLastItem(), 400, 400);
    for (int turn : {1, -1}) {
        SCOPED_TRACE(turn);
        doc.SetLastItem(item);
        ASSERT_TRUE(doc.RotateSelected(turn));
        const PageItem turned = doc.GetLastItem();
        const QImage after = DrawAlone(turned, 400, 400);
        // Each pixel of the old place lands a quarter turn away in the new one.
        long long worst = 0;
        for (int v = 0; v < 120; ++v)
            for (int u = 0; u < 160; ++u) {
                const int x = turn == 1 ? 119 - v : v, y = turn == 1 ? u : 159 - u;
                worst = std::max<long long>(worst, Difference(before.pixel(100 + u, 100 + v),
                                                              after.pixel(turned.rcPlace.left + x,
                                                                          turned.rcPlace.top + y)));
            }
        EXPECT_LE(worst, 3);
    }
}

TEST(TurnedPicture, APrinterGetsTheFullSizePixelsUpright) {
    TempDir dir;
    // Stored lying on its side (tag 6): left half red, right half blue when upright.
    const int w = 32, h = 64; // stored; upright 64 x 32
    std::vector<unsigned char> stored(3u * w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char* p = &stored[3u * (y * w + x)];
            const bool red = y >= h / 2; // tag 6: the stored top row is the upright right side
            p[0] = red ? 220 : 20;
            p[1] = 20;
            p[2] = red ? 20 : 220;
        }
    WriteJpegWithExif(dir.File("phone.jpg"), stored.data(), w, h, ExifOrientationBlock(6));
    CZelbrinDoc doc;
    doc.OnNewDocument();
    ASSERT_TRUE(doc.AddPicture(dir.File("phone.jpg").c_str()));
    PageItem item = doc.GetLastItem();
    ASSERT_EQ(item.nOrientation, 6);
    item.rcPlace = RECT{0, 0, 64, 32};
    QImage page(80, 40, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        CImagePrinterDC printer(&page, 96, 96);
        CPageDrawing drawing(&doc);
        drawing.DrawPageItem(item, &printer, 1.0f);
        EXPECT_TRUE(drawing.TakeReducedPictures().empty()); // read again at full size
    }
    EXPECT_GT(qRed(page.pixel(10, 16)), 180);
    EXPECT_GT(qBlue(page.pixel(54, 16)), 180);
}
