// Device-context semantics the page drawing relies on, checked pixel by pixel
// on memory bitmaps and window surfaces.
#include "oracle/dib_draw.h"
#include "oracle/dib_image.h"
#include "platform/qt/gdi.h"
#include "platform/qt/wnd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

// A memory DC with its own bitmap of w x h, filled white.
struct MemoryCanvas {
    MemoryCanvas(int w, int h) {
        EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
        EXPECT_TRUE(bitmap.CreateCompatibleBitmap(&dc, w, h));
        old = dc.SelectObject(&bitmap);
        dc.PatBlt(0, 0, w, h, WHITENESS);
    }
    ~MemoryCanvas() { dc.SelectObject(old); }
    QRgb At(int x, int y) const { return bitmap.Image().pixel(x, y) & 0xFFFFFF; }
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

// A w x h picture whose pixel (x, y) encodes its own position: red x, green y.
std::vector<unsigned char> PositionPicture(int w, int h) {
    std::vector<unsigned char> px(static_cast<std::size_t>(w * h * 3));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char* p = &px[static_cast<std::size_t>((y * w + x) * 3)];
            p[0] = static_cast<unsigned char>(x);
            p[1] = static_cast<unsigned char>(y);
            p[2] = 200;
        }
    return px;
}

QRgb Rgb(int r, int g, int b) {
    return static_cast<QRgb>((r << 16) | (g << 8) | b);
}

TEST(DibDrawing, SourceRowsCountUpwardFromTheBottom) {
    auto px = PositionPicture(100, 80);
    HGLOBAL dib = MakeDibImage(24, 100, 80, px.data());
    ASSERT_NE(dib, nullptr);
    MemoryCanvas canvas(100, 40);
    // Source top 0 .. bottom 40 is the lower half of the picture, shown upright.
    RECT src{0, 0, 100, 40};
    RECT dest{0, 0, 100, 40};
    EXPECT_GT(DrawDibImage(&canvas.dc, &dest, dib, &src), 0);
    EXPECT_EQ(canvas.At(0, 0), Rgb(0, 40, 200));
    EXPECT_EQ(canvas.At(99, 39), Rgb(99, 79, 200));
    EXPECT_EQ(canvas.At(7, 20), Rgb(7, 60, 200));

    // The stretching path shows the same part of the picture.
    MemoryCanvas big(200, 80);
    RECT dest2{0, 0, 200, 80};
    EXPECT_GT(DrawDibImage(&big.dc, &dest2, dib, &src), 0);
    EXPECT_EQ(big.At(0, 0), Rgb(0, 40, 200));
    EXPECT_EQ(big.At(199, 79), Rgb(99, 79, 200));
    EXPECT_EQ(big.At(15, 41), Rgb(7, 60, 200));
    EXPECT_EQ(big.dc.GetStretchBltMode(), COLORONCOLOR);

    // Same size at another position: unstretched, moved.
    MemoryCanvas moved(130, 60);
    RECT dest3{30, 20, 130, 60};
    DrawDibImage(&moved.dc, &dest3, dib, &src);
    EXPECT_EQ(moved.At(29, 19), Rgb(255, 255, 255));
    EXPECT_EQ(moved.At(30, 20), Rgb(0, 40, 200));
    EXPECT_EQ(moved.At(129, 59), Rgb(99, 79, 200));
    GlobalFree(dib);
    EXPECT_EQ(DrawDibImage(&moved.dc, &dest3, nullptr, &src), 0);
}

TEST(DibDrawing, ShrinkingPicksNearestPixelsWithoutSmoothing) {
    auto px = PositionPicture(100, 80);
    HGLOBAL dib = MakeDibImage(24, 100, 80, px.data());
    MemoryCanvas canvas(50, 40);
    RECT src{0, 0, 100, 80}, dest{0, 0, 50, 40};
    DrawDibImage(&canvas.dc, &dest, dib, &src);
    // Every pixel is one of the picture's own colours: columns and rows are even or odd picks.
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x) {
            QRgb c = canvas.At(x, y);
            ASSERT_EQ(qBlue(c), 200);
            ASSERT_LE(std::abs(qRed(c) - 2 * x), 1);
            ASSERT_LE(std::abs(qGreen(c) - 2 * y), 1);
        }
    GlobalFree(dib);
}

TEST(Blits, StretchBltCopiesNearestAndRespectsClip) {
    MemoryCanvas src(4, 2);
    src.bitmap.Image().setPixel(0, 0, 0xFF112233);
    src.bitmap.Image().setPixel(3, 1, 0xFF445566);
    MemoryCanvas dst(8, 4);
    EXPECT_TRUE(dst.dc.StretchBlt(0, 0, 8, 4, &src.dc, 0, 0, 4, 2, SRCCOPY));
    EXPECT_EQ(dst.At(0, 0), 0x112233u);
    EXPECT_EQ(dst.At(1, 1), 0x112233u);
    EXPECT_EQ(dst.At(7, 3), 0x445566u);
    EXPECT_EQ(dst.At(5, 3), 0xFFFFFFu);

    MemoryCanvas clipped(8, 4);
    clipped.dc.IntersectClipRect(0, 0, 2, 4);
    RECT box;
    EXPECT_EQ(clipped.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 2, 4}));
    clipped.dc.StretchBlt(0, 0, 8, 4, &src.dc, 0, 0, 4, 2, SRCCOPY);
    EXPECT_EQ(clipped.At(1, 1), 0x112233u);
    EXPECT_EQ(clipped.At(7, 3), 0xFFFFFFu);
    clipped.dc.SelectClipRgn(nullptr);
    clipped.dc.BitBlt(6, 2, 2, 2, &src.dc, 2, 0, SRCCOPY);
    EXPECT_EQ(clipped.At(7, 3), 0x445566u);
}

TEST(DragRect, SecondDrawingRestoresEveryPixel) {
    auto px = PositionPicture(60, 50);
    HGLOBAL dib = MakeDibImage(24, 60, 50, px.data());
    MemoryCanvas canvas(60, 50);
    RECT all{0, 0, 60, 50};
    DrawDibImage(&canvas.dc, &all, dib, &all);
    GlobalFree(dib);
    const QImage before = canvas.bitmap.Image().copy();

    RECT rc{5, 7, 40, 30};
    canvas.dc.DrawDragRect(&rc, SIZE{3, 3}, nullptr, SIZE{3, 3});
    const QImage framed = canvas.bitmap.Image().copy();
    // Half of the frame's pixels are inverted, none outside it or in its middle.
    int inverted = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 60; ++x) {
            bool changed = framed.pixel(x, y) != before.pixel(x, y);
            bool inFrame =
                x >= 5 && x < 40 && y >= 7 && y < 30 && !(x >= 8 && x < 37 && y >= 10 && y < 27);
            if (!inFrame) {
                ASSERT_FALSE(changed) << x << "," << y;
            }
            if (changed) {
                ++inverted;
                EXPECT_EQ((framed.pixel(x, y) ^ before.pixel(x, y)) & 0xFFFFFF, 0xFFFFFFu);
            }
        }
    const int framePixels = 35 * 23 - 29 * 17;
    EXPECT_NEAR(inverted, framePixels / 2, 2); // a 50 % pattern
    // Corners are inverted once, not twice.
    EXPECT_NE(framed.pixel(5, 7), before.pixel(5, 7));

    canvas.dc.DrawDragRect(&rc, SIZE{3, 3}, nullptr, SIZE{3, 3});
    EXPECT_EQ(canvas.bitmap.Image(), before);
}

TEST(Lines, DottedAndSolidPens) {
    MemoryCanvas canvas(40, 10);
    CPen dot(PS_DOT, 1, RGB(192, 192, 224));
    CPen* old = canvas.dc.SelectObject(&dot);
    canvas.dc.MoveTo(0, 2);
    canvas.dc.LineTo(40, 2);
    int on = 0;
    for (int x = 0; x < 40; ++x)
        on += canvas.At(x, 2) == Rgb(192, 192, 224);
    EXPECT_GT(on, 10);
    EXPECT_LT(on, 30);
    CPen solid(PS_SOLID, 1, RGB(192, 192, 224));
    canvas.dc.SelectObject(&solid);
    canvas.dc.MoveTo(3, 0);
    canvas.dc.LineTo(3, 10);
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(canvas.At(3, y), Rgb(192, 192, 224)) << y;
    // The end point is not drawn.
    canvas.dc.MoveTo(10, 5);
    canvas.dc.LineTo(20, 5);
    EXPECT_EQ(canvas.At(19, 5), Rgb(192, 192, 224));
    EXPECT_EQ(canvas.At(20, 5), Rgb(255, 255, 255));
    canvas.dc.SelectObject(old);
}

// The rows (top, bottom) that hold pixels of colour c.
std::pair<int, int> InkRows(const QImage& img, QRgb c, const QRect& area) {
    int top = -1, bottom = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == c) {
                if (top < 0)
                    top = y;
                bottom = y;
            }
    return {top, bottom};
}

TEST(Text, LinesBreakOnlyAtLineBreaksCentredAndClipped) {
    MemoryCanvas canvas(300, 120);
    CFont font;
    font.CreateFont(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 4, "Liberation Sans");
    CFont* old = canvas.dc.SelectObject(&font);
    canvas.dc.SetTextColor(RGB(0, 0, 255));
    canvas.dc.SetBkMode(TRANSPARENT);
    RECT box{50, 10, 250, 60};
    int h = canvas.dc.DrawText("Wide text that never wraps\r\nTwo", -1, &box, DT_CENTER);
    EXPECT_GT(h, 40);
    const QImage& img = canvas.bitmap.Image();
    // Nothing outside the box, the first line starts at its top.
    auto [top, bottom] = InkRows(img, 0x0000FF, img.rect());
    EXPECT_GE(top, 10);
    EXPECT_LT(top, 20);
    EXPECT_LE(bottom, 59);
    for (int y = 0; y < 120; ++y) {
        EXPECT_EQ(canvas.At(49, y), 0xFFFFFFu);
        EXPECT_EQ(canvas.At(250, y), 0xFFFFFFu);
    }
    // The second line is centred: its ink is balanced around the box's middle.
    int left = 300, right = 0;
    for (int y = 35; y < 60; ++y)
        for (int x = 50; x < 250; ++x)
            if (canvas.At(x, y) == 0x0000FFu) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LT(left, right);
    EXPECT_NEAR((left + right) / 2.0, 150.0, 4.0);
    canvas.dc.SelectObject(old);
}

TEST(Text, CharacterHeightIsTheEmHeight) {
    // A 40-pixel em makes capitals about 0.7 em tall in the metric-compatible faces.
    MemoryCanvas canvas(200, 100);
    CFont font;
    font.CreateFont(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 4, "Arial");
    canvas.dc.SelectObject(&font);
    canvas.dc.SetTextColor(0);
    canvas.dc.SetBkMode(TRANSPARENT);
    RECT box{0, 0, 200, 100};
    canvas.dc.DrawText("H", -1, &box, DT_CENTER);
    auto [top, bottom] = InkRows(canvas.bitmap.Image(), 0, canvas.bitmap.Image().rect());
    ASSERT_GE(top, 0);
    EXPECT_NEAR(bottom - top + 1, 29, 2);
}

TEST(Dib, GetDIBitsTopDownRowsPadded) {
    MemoryCanvas canvas(3, 2);
    canvas.bitmap.Image().setPixel(0, 0, 0xFF102030);
    canvas.bitmap.Image().setPixel(2, 1, 0xFF405060);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 3;
    bmi.bmiHeader.biHeight = -2;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    std::vector<unsigned char> bits(24, 0xAA);
    EXPECT_EQ(GetDIBits(&canvas.dc, &canvas.bitmap, 0, 2, bits.data(), &bmi, DIB_RGB_COLORS), 2);
    EXPECT_EQ(bmi.bmiHeader.biSizeImage, 24u); // rows of 12 bytes for 9 bytes of pixels
    EXPECT_EQ(bits[0], 0x30);
    EXPECT_EQ(bits[1], 0x20);
    EXPECT_EQ(bits[2], 0x10);
    EXPECT_EQ(bits[9], 0); // padding
    EXPECT_EQ(bits[12 + 6], 0x60);
    EXPECT_EQ(bits[12 + 8], 0x40);
}

TEST(Failures, CompatibleObjectsCanFail) {
    CDC dc;
    FailNextCreateCompatibleDC();
    EXPECT_FALSE(dc.CreateCompatibleDC(nullptr));
    EXPECT_FALSE(dc.PatBlt(0, 0, 1, 1, WHITENESS));
    EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bm;
    CBitmap::FailNextCreate();
    EXPECT_FALSE(bm.CreateCompatibleBitmap(&dc, 10, 10));
    EXPECT_TRUE(bm.CreateCompatibleBitmap(&dc, 10, 10));
    EXPECT_FALSE(bm.CreateCompatibleBitmap(&dc, 0, 10));
}

// A window that records its paint calls and copies a fixed colour.
class PaintRecorder : public CWnd {
public:
    void OnPaint() override {
        CPaintDC dc(this);
        RECT box;
        dc.GetClipBox(&box);
        boxes.push_back(box);
        dc.PatBlt(0, 0, width(), height(), BLACKNESS);
    }
    std::vector<RECT> boxes;
};

TEST(Window, UpdateWindowPaintsOnlyTheInvalidRegion) {
    PaintRecorder w;
    w.resize(50, 40);
    CClientDC(&w).PatBlt(0, 0, 50, 40, WHITENESS);
    w.ValidateRect(nullptr);
    w.UpdateWindow();
    EXPECT_TRUE(w.boxes.empty()); // nothing invalid, nothing painted

    w.Invalidate(FALSE);
    RECT keep{10, 10, 20, 20};
    w.ValidateRect(&keep);
    w.UpdateWindow();
    ASSERT_EQ(w.boxes.size(), 1u);
    EXPECT_EQ(w.boxes[0], (RECT{0, 0, 50, 40}));
    EXPECT_EQ(w.Surface().pixel(15, 15) & 0xFFFFFF, 0xFFFFFFu); // validated: kept
    EXPECT_EQ(w.Surface().pixel(5, 5) & 0xFFFFFF, 0u);
    EXPECT_TRUE(w.UpdateRegion().isEmpty());

    CClientDC(&w).PatBlt(0, 0, 50, 40, WHITENESS);
    RECT part{30, 5, 40, 15};
    w.InvalidateRect(&part, FALSE);
    w.UpdateWindow();
    ASSERT_EQ(w.boxes.size(), 2u);
    EXPECT_EQ(w.boxes[1], part);
    EXPECT_EQ(w.Surface().pixel(35, 10) & 0xFFFFFF, 0u);
    EXPECT_EQ(w.Surface().pixel(25, 10) & 0xFFFFFF, 0xFFFFFFu);
}

} // namespace
