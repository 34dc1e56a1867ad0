// The page view: geometry from printer and screen, the two-layer rendering,
// the selection frame and the per-step repaint of a dragged item.
#include "document/zelbrin_doc.h"
#include "oracle/dib_draw.h"
#include "oracle/dib_image.h"
#include "imaging/jpeg_reader.h"
#include "imaging/jpeg_writer.h"
#include "platform/qt/frame_host.h"
#include "platform/qt/gdi.h"
#include "support/painter_dc.h"
#include "support/test_support.h"
#include "geometry/page_math.h"
#include "view/zelbrin_view.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPainter>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// A picture item owning a solid-colour buffer of w x h.
PageItem SolidPicture(int w, int h, QRgb c, RECT place) {
    PageItem item{};
    item.nKind = ITEM_PICTURE;
    item.nSrcWidth = w;
    item.nSrcHeight = h;
    unsigned char* pixels = AllocatePixels(item, static_cast<std::size_t>(w * h * 3));
    for (int i = 0; i < w * h; ++i) {
        pixels[3 * i] = static_cast<unsigned char>(qRed(c));
        pixels[3 * i + 1] = static_cast<unsigned char>(qGreen(c));
        pixels[3 * i + 2] = static_cast<unsigned char>(qBlue(c));
    }
    item.rcPlace = place;
    item.rcSource = RECT{0, 0, w, h};
    return item;
}

// A picture whose pixel (x, y) holds red x % 256, green y % 256, blue x / 256 * 64.
PageItem PositionPicture(int w, int h, RECT place) {
    PageItem item = SolidPicture(w, h, 0, place);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            auto* p = const_cast<unsigned char*>(item.pPixels.get()) + 3 * (y * w + x);
            p[0] = static_cast<unsigned char>(x % 256);
            p[1] = static_cast<unsigned char>(y % 256);
            p[2] = static_cast<unsigned char>((x / 256) * 64);
        }
    return item;
}

PageItem Text(const char* text, int lines, COLORREF color, RECT place) {
    PageItem item{};
    item.nKind = ITEM_TEXT;
    item.nSrcWidth = 100;
    item.nSrcHeight = 25;
    std::strcpy(item.szText, text);
    item.nLines = lines;
    std::strcpy(item.szFontName, "Arial");
    item.crColor = color;
    item.bBold = 1;
    item.rcPlace = place;
    item.rcSource = RECT{0, 0, 100, 25};
    return item;
}

QRgb At(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFF;
}

int CountColour(const QImage& img, QRgb c, const RECT& rc) {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += At(img, x, y) == c;
    return n;
}

// A frame that adds 10 pixels of width and 100 of height around the client area.
class FakeFrame : public CFrameHost {
public:
    explicit FakeFrame(CZelbrinView*& view) : m_view(view) {}
    void FitToClient(int w, int h) override {
        m_rect.right = m_rect.left + w + 10;
        m_rect.bottom = m_rect.top + h + 100;
        m_view->resize(w, h);
    }
    RECT GetFrameRect() const override { return m_rect; }
    void MoveFrameTo(int x, int y) override {
        m_rect = RECT{x, y, x + m_rect.right - m_rect.left, y + m_rect.bottom - m_rect.top};
    }
    RECT m_rect{100, 100, 200, 200};

private:
    CZelbrinView*& m_view;
};

// A view on a 1024 x 768 screen for a printer of 2400 x 3150 dots at 300 dpi
// (an 8.0 x 10.5 inch page).
class PageView : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenMetricsOverride(1024, 768);
        doc.OnNewDocument();
        view = new CZelbrinView;
        SetPrinter(2400, 3150, 300, 300);
        view->AttachDocument(&doc);
    }
    void TearDown() override {
        AfxSetFrameHost(nullptr);
        delete view;
        ClearScreenMetricsOverride();
    }
    void SetPrinter(int horz, int vert, int dpiX, int dpiY) {
        QImage tiny(1, 1, QImage::Format_RGB32);
        CImagePrinterDC printer(&tiny, dpiX, dpiY);
        printer.SetDeviceCaps(horz, vert, dpiX, dpiY);
        view->LoadPrinterMetrics(&printer);
    }
    void Start() {
        view->OnInitialUpdate();
        QCoreApplication::processEvents();
    }
    const QImage& Window() { return view->Surface(); }
    const QImage& Background() { return view->OffscreenBitmap()->Image(); }

    CZelbrinDoc doc;
    CZelbrinView* view = nullptr;
};

TEST_F(PageView, GeometryFromPrinterAndScreen) {
    EXPECT_FLOAT_EQ(view->m_fPageWidthInches, 8.0f);
    EXPECT_FLOAT_EQ(view->m_fPageHeightInches, 10.5f);
    EXPECT_EQ(view->m_nPrinterDpi, 300);
    EXPECT_EQ(view->m_nPixelsPerInch, 72);
    FakeFrame frame(view);
    AfxSetFrameHost(&frame);
    Start();
    EXPECT_EQ(view->m_nPixelsPerInch, 60);
    int h = 0, w = 0;
    view->GetClientExtent(h, w);
    EXPECT_EQ(w, 480);
    EXPECT_EQ(h, 630);
    EXPECT_EQ(frame.m_rect, (RECT{267, 2, 757, 732})); // 490 x 730, centred
    EXPECT_EQ(view->m_nGridStepX, 60);
    EXPECT_EQ(view->m_nGridStepY, 60);
    EXPECT_EQ(view->m_nGridLinesX, 8);
    EXPECT_EQ(view->m_nGridLinesY, 10);
    EXPECT_EQ(view->m_bFirstUpdate, 0);
    // The background holds at least 1200 x 1200.
    EXPECT_GE(view->OffscreenBitmap()->Width(), 1200);
    EXPECT_GE(view->OffscreenBitmap()->Height(), 1200);

    // Turned to landscape: the pixels per inch stay, the frame keeps its corner.
    frame.MoveFrameTo(300, 40);
    SetPrinter(3150, 2400, 300, 300);
    view->UpdatePageLayout();
    EXPECT_EQ(view->m_nPixelsPerInch, 60);
    EXPECT_EQ(frame.m_rect, (RECT{300, 40, 940, 620})); // 640 x 580
    view->GetClientExtent(h, w);
    EXPECT_EQ(w, 630);
    EXPECT_EQ(h, 480);

    // A second initial update changes nothing.
    SetScreenMetricsOverride(1600, 1200);
    view->OnInitialUpdate();
    EXPECT_EQ(view->m_nPixelsPerInch, 60);
}

TEST_F(PageView, PrinterWithNonSquarePixelsDividesByItsHorizontalResolution) {
    SetPrinter(2400, 6300, 300, 600);
    EXPECT_FLOAT_EQ(view->m_fPageHeightInches, 21.0f);
    EXPECT_FLOAT_EQ(view->m_fPageWidthInches, 8.0f);
}

TEST_F(PageView, FixedPixelsPerInch) {
    CZelbrinView::SetFixedPixelsPerInch(50);
    Start();
    CZelbrinView::SetFixedPixelsPerInch(0);
    EXPECT_EQ(view->m_nPixelsPerInch, 50);
    EXPECT_EQ(view->width(), 400);
    EXPECT_EQ(view->height(), 525);
}

TEST_F(PageView, BackgroundCoversAPageLargerThan1200Pixels) {
    SetScreenMetricsOverride(1600, 2000); // ppi 178: a 1424 x 1869 page
    Start();
    ASSERT_GT(view->height(), 1200);
    EXPECT_GE(view->OffscreenBitmap()->Width(), view->width());
    EXPECT_GE(view->OffscreenBitmap()->Height(), view->height());
    doc.AppendItem(SolidPicture(40, 40, qRgb(0, 200, 0), RECT{1300, 1700, 1340, 1740}));
    doc.AppendItem(Text("x", 1, 0, RECT{0, 0, 10, 10}));
    view->RedrawPage();
    EXPECT_EQ(At(Window(), 1320, 1720), 0x00C800u);
    EXPECT_EQ(At(Background(), 1320, 1720), 0x00C800u);
}

TEST_F(PageView, TextLiesAbovePicturesEverywhere) {
    Start();
    // The text comes first in the array, the picture after it and over it.
    doc.AppendItem(Text("HHHH", 1, RGB(0, 0, 255), RECT{20, 20, 220, 100}));
    doc.AppendItem(SolidPicture(100, 50, qRgb(255, 0, 0), RECT{0, 0, 300, 150}));
    view->RedrawPage();
    const RECT area{20, 20, 220, 100};
    EXPECT_GT(CountColour(Background(), 0x0000FF, area), 200);
    EXPECT_GT(CountColour(Window(), 0x0000FF, area), 200);
    // Floating the picture still keeps the text above it on the window.
    view->SelectTopItem();
    EXPECT_EQ(doc.GetLastItem().nKind, ITEM_PICTURE);
    EXPECT_GT(CountColour(Window(), 0x0000FF, area), 200);
    EXPECT_GT(CountColour(Background(), 0x0000FF, area), 200);
    EXPECT_EQ(At(Background(), 250, 130), 0xFFFFFFu); // the floating picture is not in it
}

TEST_F(PageView, GridlinesDottedUpTo24AndSolidFrom25) {
    Start();
    view->m_bShowGrid = 1;
    view->m_nGridStepX = 20;
    view->m_nGridStepY = 26;
    view->m_nGridLinesX = 24;
    view->m_nGridLinesY = 24;
    view->RedrawPage();
    const QRgb grid = 0xC0C0E0;
    auto rowCount = [&](const QImage& img, int y) {
        RECT r{0, y, 480, y + 1};
        return CountColour(img, grid, r);
    };
    // Row 13 lies between horizontal lines: the vertical lines at 0, 20, ... 460
    // cross it (the one at 480 lies beyond the page).
    EXPECT_EQ(rowCount(Background(), 13), 24);
    const int dotted = rowCount(Background(), 26);
    EXPECT_GT(dotted, 100);
    EXPECT_LT(dotted, 400);
    EXPECT_EQ(rowCount(Window(), 26), dotted);

    view->m_nGridLinesY = 25;
    view->RedrawPage();
    EXPECT_EQ(rowCount(Background(), 26), 480);
    EXPECT_EQ(rowCount(Window(), 26), 480);

    view->m_bShowGrid = 0;
    view->RedrawPage();
    EXPECT_EQ(rowCount(Background(), 26), 0);
}

TEST(PageMath, TextHeightsScalesAndSources) {
    EXPECT_EQ(TextCharHeight(60, 2), 24);
    EXPECT_EQ(TextCharHeight(60, 3), 16);
    EXPECT_EQ(TextCharHeight(10, 1), 8);
    EXPECT_EQ(TextCharHeight(10, 0), 8);
    EXPECT_EQ(ScaleRect(RECT{12, 30, 57, 91}, 10.0f), (RECT{120, 300, 570, 910}));
    EXPECT_EQ(ScaleRect(RECT{-3, 7, 9, 11}, 1.5f), (RECT{-4, 10, 13, 16}));
    EXPECT_EQ(FullSizeSource(RECT{0, 0, 51, 38}, 101, 75), (RECT{0, 0, 101, 75}));
    EXPECT_EQ(FullSizeSource(RECT{10, 4, 40, 30}, 100, 80), (RECT{20, 8, 80, 60}));
    EXPECT_EQ(ComputePixelsPerInch(768, 10.5f), 60);
    GridGeometry g = ComputeGridGeometry(480, 630, 1.0f, 1.0f, 8.0f, 10.5f);
    EXPECT_EQ(g.stepX, 60);
    EXPECT_EQ(g.linesY, 10);
    GridGeometry none = ComputeGridGeometry(480, 630, 0.0f, 0.001f, 8.0f, 10.5f);
    EXPECT_EQ(none.stepX, 0);
    EXPECT_EQ(none.linesX, 0);
    EXPECT_EQ(none.linesY, 0);
}

// A white w x h memory canvas.
struct Canvas {
    Canvas(int w, int h) {
        dc.CreateCompatibleDC(nullptr);
        bm.CreateCompatibleBitmap(&dc, w, h);
        old = dc.SelectObject(&bm);
        dc.PatBlt(0, 0, w, h, WHITENESS);
    }
    ~Canvas() { dc.SelectObject(old); }
    CDC dc;
    CBitmap bm;
    CBitmap* old;
};

// Draws item into a fresh white w x h memory canvas at scale.
QImage DrawAlone(CZelbrinView& view, const PageItem& item, int w, int h, float scale) {
    Canvas canvas(w, h);
    view.DrawPageItem(item, &canvas.dc, scale);
    return canvas.bm.Image().copy();
}

TEST_F(PageView, DrawPageItemPlacesScalesAndCrops) {
    PageItem pic = SolidPicture(20, 20, qRgb(0, 0, 200), RECT{12, 30, 57, 91});
    QImage img = DrawAlone(*view, pic, 600, 950, 10.0f);
    EXPECT_EQ(At(img, 120, 300), 0x0000C8u);
    EXPECT_EQ(At(img, 569, 909), 0x0000C8u);
    EXPECT_EQ(At(img, 119, 300), 0xFFFFFFu);
    EXPECT_EQ(At(img, 570, 910), 0xFFFFFFu);

    // The source {0, 0, 100, 40} of a 100 x 80 picture is its lower half.
    PageItem pos = PositionPicture(100, 80, RECT{0, 0, 100, 40});
    pos.rcSource = RECT{0, 0, 100, 40};
    img = DrawAlone(*view, pos, 100, 40, 1.0f);
    EXPECT_EQ(At(img, 0, 0), qRgb(0, 40, 0) & 0xFFFFFF);
    EXPECT_EQ(At(img, 99, 39), qRgb(99, 79, 0) & 0xFFFFFF);

    // A text with no lines is drawn as one line.
    PageItem empty = Text("X", 0, RGB(0, 0, 0), RECT{0, 0, 100, 50});
    img = DrawAlone(*view, empty, 100, 50, 1.0f);
    EXPECT_GT(CountColour(img, 0, RECT{0, 0, 100, 50}), 20);
}

TEST_F(PageView, LargePicturesTakeTheMemoryPathWithTheSamePixels) {
    // 1001 wide takes the large-picture path; compare with the direct transfer.
    view->PageDrawing().SetSmoothPictures(false);
    PageItem big = PositionPicture(1001, 500, RECT{5, 7, 505, 257});
    big.rcSource = RECT{100, 50, 900, 450};
    QImage viaMemory = DrawAlone(*view, big, 520, 270, 1.0f);

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bm;
    bm.CreateCompatibleBitmap(&dc, 520, 270);
    CBitmap* old = dc.SelectObject(&bm);
    dc.PatBlt(0, 0, 520, 270, WHITENESS);
    HGLOBAL dib = MakeDibImage(24, 1001, 500, big.pPixels.get());
    DrawDibImage(&dc, &big.rcPlace, dib, &big.rcSource);
    GlobalFree(dib);
    dc.SelectObject(old);
    EXPECT_EQ(viaMemory, bm.Image());
    EXPECT_NE(At(viaMemory, 10, 10), 0xFFFFFFu);

    // On a printer, when its bitmap cannot be made the item is left out with a message.
    MessageBoxRecorder boxes;
    QImage failed(520, 270, QImage::Format_RGB32);
    failed.fill(Qt::white);
    {
        PainterDC printer(&failed);
        CBitmap::FailNextCreate();
        view->DrawPageItem(big, &printer, 1.0f);
        EXPECT_EQ(boxes.texts(),
                  std::vector<std::string>{"Not enough memory to create offscreen bitmap"});
        FailNextCreateCompatibleDC();
        view->DrawPageItem(big, &printer, 1.0f);
        EXPECT_EQ(boxes.texts().back(), "Failed to create offscreen dc");
    }
    EXPECT_EQ(At(failed, 10, 10), 0xFFFFFFu);
}

TEST_F(PageView, BackgroundFailuresAreReported) {
    MessageBoxRecorder boxes;
    FailNextCreateCompatibleDC();
    Start();
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Failed to create offscreen dc"});
    // The view goes on without a background.
    doc.AppendItem(Text("x", 1, 0, RECT{0, 0, 50, 20}));
    view->RedrawPage();
    view->SelectTopItem();

    CZelbrinView second;
    second.AttachDocument(&doc);
    CBitmap::FailNextCreate();
    second.OnInitialUpdate();
    EXPECT_EQ(boxes.texts().back(), "Failed to create offscreen bitmap");
    view->AttachDocument(&doc);
}

TEST_F(PageView, SelectionFloatsAboveTheBackground) {
    Start();
    doc.AppendItem(SolidPicture(10, 10, qRgb(255, 0, 0), RECT{10, 10, 110, 110}));
    doc.AppendItem(SolidPicture(10, 10, qRgb(0, 255, 0), RECT{200, 10, 300, 110}));
    doc.AppendItem(SolidPicture(10, 10, qRgb(0, 0, 255), RECT{10, 200, 110, 300}));
    view->RedrawPage();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(view->IsItemDrawn(i));

    view->SelectItem(0); // the red one
    EXPECT_EQ(doc.GetLastItem().rcPlace.left, 10);
    EXPECT_EQ(doc.GetLastItem().rcPlace.top, 10);
    EXPECT_FALSE(view->IsItemDrawn(2));
    EXPECT_TRUE(view->IsItemDrawn(0));
    EXPECT_EQ(At(Background(), 60, 60), 0xFFFFFFu);
    EXPECT_EQ(At(Window(), 60, 60), 0xFF0000u);
    EXPECT_EQ(At(Background(), 250, 60), 0x00FF00u);
    EXPECT_EQ(At(Window(), 250, 60), 0x00FF00u);
    // The selection frame lies inside the item: half its pixels inverted (cyan).
    EXPECT_EQ(CountColour(Window(), 0x00FFFF, RECT{10, 10, 110, 13}), 150);

    // Drawing the frame again removes it; a third time brings it back.
    const QImage framed = Window().copy();
    view->DrawSelectionFrame();
    EXPECT_EQ(CountColour(Window(), 0x00FFFF, RECT{10, 10, 110, 110}), 0);
    view->DrawSelectionFrame();
    EXPECT_EQ(Window(), framed);

    // The paint handler restores everything from the background but the item.
    view->Invalidate(TRUE);
    RECT keep = doc.GetLastItem().rcPlace;
    view->ValidateRect(&keep);
    view->UpdateWindow();
    EXPECT_EQ(Window(), framed);
}

TEST_F(PageView, SelectingTheFloatingTextAgainKeepsOneFrame) {
    Start();
    doc.AppendItem(SolidPicture(10, 10, qRgb(0, 160, 0), RECT{0, 0, 200, 200}));
    doc.AppendItem(Text("Tt", 1, RGB(0, 0, 255), RECT{50, 50, 250, 120}));
    view->SelectTopItem();
    const QImage once = Window().copy();
    // Its frame is on the window already; selecting it again (as after the
    // page is redrawn or reopened) must not cancel it.
    view->RedrawPage();
    view->SelectTopItem();
    EXPECT_EQ(Window(), once);
    EXPECT_EQ(CountColour(Window(), 0xFFFFFF ^ 0x00A000, RECT{50, 50, 200, 53}), 150 * 3 / 2);
}

TEST_F(PageView, DragStepRedrawsOnlyTheFloatingItem) {
    Start();
    doc.AppendItem(Text("TTT", 1, RGB(0, 0, 255), RECT{100, 150, 200, 230}));
    doc.AppendItem(SolidPicture(10, 10, qRgb(0, 160, 0), RECT{300, 300, 400, 400}));
    doc.AppendItem(SolidPicture(10, 10, qRgb(255, 0, 0), RECT{10, 10, 110, 110}));
    view->SelectTopItem();
    const QImage background = Background().copy();

    PageItem moving = doc.GetLastItem();
    moving.rcPlace = RECT{100, 120, 200, 220};
    doc.SetLastItem(moving);
    {
        CClientDC dc(view);
        view->RepaintFloatingItem(moving, &dc);
    }
    EXPECT_EQ(Background(), background);
    EXPECT_EQ(At(Window(), 30, 30), 0xFFFFFFu);   // the old place is clean again
    EXPECT_EQ(At(Window(), 120, 140), 0xFF0000u); // the new place shows the item
    EXPECT_EQ(At(Window(), 350, 350), 0x00A000u); // the rest comes from the background
    // The text stays above the moved picture.
    EXPECT_GT(CountColour(Window(), 0x0000FF, RECT{100, 150, 200, 220}), 20);
}

TEST_F(PageView, PrinterRereadsPicturesAtFullSize) {
    TempDir dir;
    // Columns alternate black and white: full size keeps them, half size greys them.
    std::vector<unsigned char> px(101 * 75 * 3);
    for (int y = 0; y < 75; ++y)
        for (int x = 0; x < 101; ++x)
            std::memset(&px[static_cast<std::size_t>((y * 101 + x) * 3)], x % 2 ? 255 : 0, 3);
    const std::string path = dir.File("stripes.jpg");
    ASSERT_TRUE(WriteJpegPicture(px.data(), path.c_str(), 101, 75, 90));
    PageItem item{};
    item.nKind = ITEM_PICTURE;
    unsigned char* pixels = nullptr;
    ASSERT_TRUE(ReadJpegPicture(path.c_str(), &pixels, &item.nSrcWidth, &item.nSrcHeight, 2));
    item.pPixels = AdoptPixels(pixels);
    EXPECT_EQ(item.nSrcWidth, 51);
    std::strcpy(item.szPath, path.c_str());
    item.rcSource = RECT{0, 0, 51, 38};
    item.rcPlace = RECT{0, 0, 101, 75};

    auto contrast = [](const QImage& img) {
        int sum = 0;
        for (int x = 10; x < 90; ++x)
            sum += std::abs(qRed(img.pixel(x, 37)) - qRed(img.pixel(x + 1, 37)));
        return sum / 80;
    };
    QImage page(101, 75, QImage::Format_RGB32);
    page.fill(Qt::white);
    CImagePrinterDC printer(&page, 600, 600);
    view->DrawPageItem(item, &printer, 1.0f);
    EXPECT_GT(contrast(page), 150);

    QImage screen = DrawAlone(*view, item, 101, 75, 1.0f);
    EXPECT_LT(contrast(screen), 150);

    // A picture that can no longer be read prints from its half-size pixels.
    std::remove(path.c_str());
    page.fill(Qt::white);
    view->DrawPageItem(item, &printer, 1.0f);
    EXPECT_NE(At(page, 50, 37), 0xFFFFFFu);
}

TEST_F(PageView, PrintingScalesByPrinterResolutionAndDrawsNoGrid) {
    Start();
    view->m_bShowGrid = 1;
    ASSERT_EQ(view->m_nPixelsPerInch, 60); // 600 dpi: scale 10.0
    const struct {
        RECT place, printed;
    } rows[] = {{{12, 30, 57, 91}, {120, 300, 570, 910}},
                {{10, 20, 110, 95}, {100, 200, 1100, 950}}};
    for (const auto& row : rows) {
        doc.OnNewDocument();
        doc.AppendItem(SolidPicture(10, 10, qRgb(255, 0, 0), row.place));
        QImage page(1200, 1000, QImage::Format_RGB32);
        CImagePrinterDC printer(&page, 600, 600);
        printer.SetDeviceCaps(4800, 6300, 600, 600);
        view->m_nPrinterDpi = 600;
        view->OnDraw(&printer);
        const RECT& r = row.printed;
        EXPECT_EQ(At(page, r.left, r.top), 0xFF0000u);
        EXPECT_EQ(At(page, r.left - 1, r.top), 0xFFFFFFu);
        EXPECT_EQ(At(page, r.right - 1, r.bottom - 1), 0xFF0000u);
        EXPECT_EQ(At(page, r.right, r.bottom - 1), 0xFFFFFFu);
        EXPECT_EQ(At(page, r.right - 1, r.bottom), 0xFFFFFFu);
        EXPECT_EQ(At(page, 0, 0), 0xFFFFFFu); // no gridline at 0
    }
    EXPECT_FLOAT_EQ(view->m_fPageWidthInches, 8.0f);
    EXPECT_FLOAT_EQ(view->m_fPageHeightInches, 10.5f);
}

} // namespace
