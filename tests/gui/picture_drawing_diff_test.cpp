// Picture drawing against a reference of how it was done before drawing went
// straight from the picture's buffer: a DibImage of the whole picture, drawn
// with DrawDibImage, and above 1000 pixels through a memory bitmap 10 pixels
// larger than the picture and one stretching copy. Random pictures, crops,
// places, scales and targets (memory bitmaps with and without clipping, a
// printer-flagged image, a painter as printers have) must give the same pixels.
#include "oracle/dib_draw.h"
#include "oracle/dib_image.h"
#include "render/page_drawing.h"
#include "platform/qt/gdi.h"
#include "support/painter_dc.h"
#include "support/test_support.h"
#include "geometry/page_math.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cstdlib>
#include <random>
#include <string>

namespace {

// How an item was drawn before: the whole picture as a DibImage. withCut
// false hands the full rectangles over; true cuts them to what shows first, as
// drawings that cannot be handed over whole are.
void ReferenceDraw(CDC* pDC, const PageItem& item, float scale, bool withCut) {
    pDC->SetMapMode(MM_TEXT);
    const int w = item.nSrcWidth, h = item.nSrcHeight;
    RECT target{}, dest{}, src{};
    pDC->GetClipBox(&target);
    if (withCut) {
        if (!VisiblePicturePart(ScaleRect64(item.rcPlace, scale), item.rcSource, w, h, target, dest,
                                src))
            return;
    } else {
        dest = ScaleRect(item.rcPlace, scale);
        src = item.rcSource;
    }
    HGLOBAL dib = MakeDibImage(24, w, h, item.pPixels.get());
    if (w <= 1000 && h <= 1000) {
        DrawDibImage(pDC, &dest, dib, &src);
    } else {
        CDC memDC;
        memDC.CreateCompatibleDC(pDC);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(pDC, w + 10, h + 10);
        memDC.SetMapMode(MM_TEXT);
        CBitmap* old = memDC.SelectObject(&bitmap);
        DrawDibImage(&memDC, &src, dib, &src);
        pDC->StretchBlt(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, &memDC,
                        src.left, src.top, src.right - src.left, src.bottom - src.top, SRCCOPY);
        memDC.SelectObject(old);
    }
    GlobalFree(dib);
}

enum class Target { Memory, ClippedMemory, ImagePrinter, Painter };

// Draws item into a fresh w x h image (filled with a pattern, so that stray
// writes show) through the given target kind.
template <class Draw> QImage DrawInto(Target kind, int w, int h, const RECT& clip, Draw draw) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, 90));
    if (kind == Target::Painter) {
        PainterDC dc(&image);
        draw(&dc);
        return image;
    }
    if (kind == Target::ImagePrinter) {
        CImagePrinterDC dc(&image, 600, 600);
        draw(&dc);
        return image;
    }
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bm;
    bm.CreateCompatibleBitmap(&dc, w, h);
    bm.Image() = image;
    CBitmap* old = dc.SelectObject(&bm);
    if (kind == Target::ClippedMemory)
        dc.IntersectClipRect(clip.left, clip.top, clip.right, clip.bottom);
    draw(&dc);
    dc.SelectObject(old);
    return bm.Image();
}

struct Case {
    PageItem item;
    float scale;
    Target target;
    int width, height;
    RECT clip;
    bool inPage; // the scaled place lies in the target and the crop in the picture
};

Case RandomCase(std::mt19937& rng) {
    auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Case c{};
    PageItem& item = c.item;
    item.nKind = ITEM_PICTURE;
    switch (in(0, 7)) {
    case 0: // large both ways
        item.nSrcWidth = in(1001, 1300);
        item.nSrcHeight = in(1001, 1200);
        break;
    case 1: // large one way only
        item.nSrcWidth = in(0, 1) ? in(1001, 1600) : in(1, 300);
        item.nSrcHeight = item.nSrcWidth > 1000 ? in(1, 300) : in(1001, 1600);
        break;
    default:
        item.nSrcWidth = in(1, 1000);
        item.nSrcHeight = in(1, in(0, 3) ? 400 : 1000);
        break;
    }
    const int w = item.nSrcWidth, h = item.nSrcHeight;
    const std::size_t bytes = static_cast<std::size_t>(w) * h * 3;
    unsigned char* pixels = AllocatePixels(item, bytes);
    for (std::size_t i = 0; i < bytes; ++i)
        pixels[i] = static_cast<unsigned char>(rng() >> 7);
    // Mostly crops inside the picture; some reach beyond it or are empty.
    if (in(0, 4)) {
        const int l = in(0, w - 1), t = in(0, h - 1);
        item.rcSource = RECT{l, t, in(l + 1, w), in(t + 1, h)};
    } else {
        item.rcSource = RECT{in(-40, w), in(-40, h), in(-40, w + 40), in(-40, h + 40)};
    }
    const float scales[] = {1.0f, 1.0f, 0.5f, 2.0f, 3.7f, 0.13f, 10.0f};
    c.scale = in(0, 1) ? scales[in(0, 6)] : std::uniform_real_distribution<float>(0.05f, 6.0f)(rng);
    c.target = static_cast<Target>(in(0, 3));
    c.width = in(40, 500);
    c.height = in(40, 500);
    // Places whose scaled rectangle lies inside (half of them), across the
    // edges or outside.
    const int pw = static_cast<int>(static_cast<float>(c.width) / c.scale);
    const int ph = static_cast<int>(static_cast<float>(c.height) / c.scale);
    if (in(0, 1) && pw > 1 && ph > 1) {
        const int l = in(0, pw - 2), t = in(0, ph - 2);
        item.rcPlace = RECT{l, t, in(l + 1, pw - 1), in(t + 1, ph - 1)};
    } else {
        const int l = in(-pw / 2, pw), t = in(-ph / 2, ph);
        item.rcPlace = RECT{l, t, l + in(1, pw + 1), t + in(1, ph + 1)};
    }
    c.clip = RECT{in(-20, c.width), in(-20, c.height), in(0, c.width + 20), in(0, c.height + 20)};
    const RECT d = ScaleRect(item.rcPlace, c.scale);
    const RECT& r = item.rcSource;
    c.inPage = c.target != Target::ClippedMemory && d.left >= 0 && d.top >= 0 &&
               d.right <= c.width && d.bottom <= c.height && r.left >= 0 && r.top >= 0 &&
               r.right <= w && r.bottom <= h;
    return c;
}

std::string Describe(const Case& c) {
    const PageItem& i = c.item;
    auto rect = [](const RECT& r) {
        return "{" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
               std::to_string(r.right) + ", " + std::to_string(r.bottom) + "}";
    };
    return "picture " + std::to_string(i.nSrcWidth) + " x " + std::to_string(i.nSrcHeight) +
           ", crop " + rect(i.rcSource) + ", place " + rect(i.rcPlace) + ", scale " +
           std::to_string(c.scale) + ", target " + std::to_string(static_cast<int>(c.target)) +
           " " + std::to_string(c.width) + " x " + std::to_string(c.height) + ", clip " +
           rect(c.clip);
}

TEST(PictureDrawingDifferential, EveryPixelAsTheWholeDibImageGaveIt) {
    std::mt19937 rng(20261209);
    int inPage = 0, beyond = 0, drawn = 0;
    for (int n = 0; n < 300; ++n) {
        Case c = RandomCase(rng);
        CPageDrawing drawing;
        drawing.SetSmoothPictures(false); // the original look, pixel for pixel
        const QImage now = DrawInto(c.target, c.width, c.height, c.clip,
                                    [&](CDC* dc) { drawing.DrawPageItem(c.item, dc, c.scale); });
        // A crop inside the picture keeps the full rectangles' mapping, also for
        // a place reaching beyond the page or the clip.
        const bool whole =
            WholePictureTransfer(ScaleRect64(c.item.rcPlace, c.scale), c.item.rcSource,
                                 c.item.nSrcWidth, c.item.nSrcHeight);
        const QImage before = DrawInto(c.target, c.width, c.height, c.clip, [&](CDC* dc) {
            ReferenceDraw(dc, c.item, c.scale, !whole);
        });
        ASSERT_EQ(now, before) << Describe(c);
        inPage += c.inPage;
        beyond += whole && !c.inPage;
        drawn += now != DrawInto(c.target, c.width, c.height, c.clip, [](CDC*) {});
    }
    // The table reaches every kind of case.
    EXPECT_GT(inPage, 50);
    EXPECT_GT(beyond, 30);
    EXPECT_GT(drawn, 150);
}

} // namespace
