// Cost of one drag step (RepaintFloatingItem) and of a selection change
// (SelectItem) for a 1000 x 750 picture on pages with 1, 50 and 200 other
// items. A drag step must not depend on the other items: the ratio of the
// 200-item and 1-item figures should stay near 1.
//
// Then whole drag steps through the window system's mouse events (press,
// moves, release on the shown view): pictures of 400 x 300, 1000 x 750 and
// 3000 x 2000 pixels in memory (a 24-megapixel photograph decoded at half
// size) at the same place, each on pages with 1 and 200 other items. Drawing
// should cost what it shows: the 3000 x 2000 step within 1.5 x the 400 x 300
// step, the 200-item step within 1.1 x the 1-item step.
//
// Last, SelectItem on a page of six 3000 x 2000 pictures and a text, against
// a drag step of one of those pictures (target: at most 5 x).

#include "document/zelbrin_doc.h"
#include "platform/qt/gdi.h"
#include "view/zelbrin_view.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

PageItem Picture(int w, int h, RECT place, unsigned seed) {
    PageItem item{};
    item.nKind = ITEM_PICTURE;
    item.nSrcWidth = w;
    item.nSrcHeight = h;
    auto* pixels = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(w * h * 3)));
    for (int i = 0; i < w * h * 3; ++i) {
        seed = seed * 1103515245u + 12345u;
        pixels[i] = static_cast<unsigned char>(seed >> 24);
    }
    item.pPixels = AdoptPixels(pixels);
    item.rcPlace = place;
    item.rcSource = RECT{0, 0, w, h};
    return item;
}

PageItem Text(RECT place) {
    PageItem item{};
    item.nKind = ITEM_TEXT;
    item.nSrcWidth = 100;
    item.nSrcHeight = 25;
    std::strcpy(item.szText, "Summer\r\n1998");
    item.nLines = 2;
    std::strcpy(item.szFontName, "Arial");
    item.rcPlace = place;
    item.rcSource = RECT{0, 0, 100, 25};
    return item;
}

struct Figures {
    double stepMs;
    double selectMs;
};

// Others: mostly small pictures, every fifth a text item.
void AddOthers(CZelbrinDoc& doc, int others) {
    for (int i = 0; i < others; ++i) {
        RECT r{(i * 37) % 500, (i * 53) % 700, (i * 37) % 500 + 80, (i * 53) % 700 + 60};
        doc.AppendItem(i % 5 == 4 ? Text(r) : Picture(160, 120, r, static_cast<unsigned>(i)));
    }
}

// A new page in a view, shown in a window when asked (shown says whether it came up).
struct BenchPage {
    explicit BenchPage(bool show) {
        doc.OnNewDocument();
        view.AttachDocument(&doc);
        view.OnInitialUpdate();
        if (show) {
            view.show();
            shown = QTest::qWaitForWindowExposed(&view);
        }
    }
    CZelbrinDoc doc;
    CZelbrinView view;
    bool shown = true;
};

Figures Measure(int others) {
    BenchPage page(false);
    CZelbrinDoc& doc = page.doc;
    CZelbrinView& view = page.view;
    AddOthers(doc, others);
    doc.AppendItem(Picture(1000, 750, RECT{20, 20, 420, 320}, 7));
    view.SelectTopItem();

    constexpr int kSteps = 200;
    PageItem item = doc.GetLastItem();
    auto t0 = Clock::now();
    for (int s = 0; s < kSteps; ++s) {
        item.rcPlace = RECT{20 + s % 50, 20 + s % 30, 420 + s % 50, 320 + s % 30};
        doc.SetLastItem(item);
        CClientDC dc(&view);
        view.RepaintFloatingItem(item, &dc);
    }
    auto t1 = Clock::now();
    constexpr int kSelects = 10;
    for (int s = 0; s < kSelects; ++s)
        view.SelectTopItem();
    auto t2 = Clock::now();
    return {std::chrono::duration<double, std::milli>(t1 - t0).count() / kSteps,
            std::chrono::duration<double, std::milli>(t2 - t1).count() / kSelects};
}

// Milliseconds per mouse move of a drag of the last item of a page shown in view.
double MouseDragOnPage(CZelbrinView& view, CZelbrinDoc& doc, int mode) {
    QWindow* win = view.windowHandle();
    const RECT r = doc.GetLastItem().rcPlace;
    // A press inside moves, on the bottom-right corner sizes, on the right edge crops.
    const QPoint press = mode == DRAG_MOVE ? QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2)
                         : mode == DRAG_CROP ? QPoint(r.right, (r.top + r.bottom) / 2)
                                             : QPoint(r.right, r.bottom);
    QTest::mousePress(win, Qt::LeftButton, {}, press);
    if (view.CurrentDrag() != mode)
        return -1;
    constexpr int kSteps = 100;
    auto t0 = Clock::now();
    for (int s = 0; s < kSteps; ++s)
        QTest::mouseMove(win, press + QPoint(-(s % 40), s % 30));
    auto t1 = Clock::now();
    QTest::mouseRelease(win, Qt::LeftButton, {}, press);
    return std::chrono::duration<double, std::milli>(t1 - t0).count() / kSteps;
}

// Milliseconds per mouse move of a drag of a w x h picture among others.
double MeasureMouseDrag(int w, int h, int others, int mode) {
    BenchPage page(true);
    if (!page.shown)
        return -1;
    AddOthers(page.doc, others);
    page.doc.AppendItem(Picture(w, h, RECT{20, 20, 420, 320}, 7));
    page.view.SelectTopItem();
    return MouseDragOnPage(page.view, page.doc, mode);
}

// SelectItem on six 3000 x 2000 pictures and a text, and a drag step of one
// of the pictures on that page.
Figures MeasureSixPictures() {
    BenchPage page(true);
    if (!page.shown)
        return {-1, -1};
    CZelbrinDoc& doc = page.doc;
    CZelbrinView& view = page.view;
    for (int i = 0; i < 6; ++i) {
        const int x = 10 + (i % 2) * 210, y = 10 + (i / 2) * 180;
        doc.AppendItem(Picture(3000, 2000, RECT{x, y, x + 200, y + 133}, 11u + i));
    }
    doc.AppendItem(Text(RECT{100, 560, 300, 600}));
    view.SelectTopItem();
    constexpr int kSelects = 20;
    auto t0 = Clock::now();
    for (int s = 0; s < kSelects; ++s)
        view.SelectItem(s % 6);
    auto t1 = Clock::now();
    const double selectMs = std::chrono::duration<double, std::milli>(t1 - t0).count() / kSelects;
    return {MouseDragOnPage(view, doc, DRAG_MOVE), selectMs};
}

} // namespace

// Qt's note that the offscreen platform cannot grab the pointer is not a result.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (!msg.contains("does not support grabbing the mouse"))
        qt_message_output(type, context, msg);
}

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietHandler);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetScreenMetricsOverride(1024, 768);
    std::printf("%-14s %14s %14s\n", "other items", "drag step ms", "SelectItem ms");
    Figures base{};
    Figures last{};
    for (int n : {1, 50, 200}) {
        Figures f = Measure(n);
        std::printf("%-14d %14.3f %14.3f\n", n, f.stepMs, f.selectMs);
        if (n == 1)
            base = f;
        last = f;
    }
    std::printf("drag step ratio 200 / 1 items: %.2f\n", last.stepMs / base.stepMs);
    std::printf("SelectItem ratio 200 / 1 items: %.2f\n", last.selectMs / base.selectMs);

    std::printf("\nmouse drag step, ms per move (press, moves, release on the window)\n");
    std::printf("%-12s %-12s %10s %10s %10s\n", "picture", "other items", "move", "size", "crop");
    double move[3][2] = {};
    const QSize pictures[3] = {QSize(400, 300), QSize(1000, 750), QSize(3000, 2000)};
    for (int p = 0; p < 3; ++p)
        for (int k = 0; k < 2; ++k) {
            const int n = k == 0 ? 1 : 200;
            const QSize picture = pictures[p];
            std::printf("%-12s %-12d",
                        QStringLiteral("%1 x %2")
                            .arg(picture.width())
                            .arg(picture.height())
                            .toUtf8()
                            .constData(),
                        n);
            for (int mode : {DRAG_MOVE, DRAG_SIZE_BOTTOMRIGHT, DRAG_CROP}) {
                const double ms = MeasureMouseDrag(picture.width(), picture.height(), n, mode);
                if (mode == DRAG_MOVE)
                    move[p][k] = ms;
                std::printf(" %10.3f", ms);
            }
            std::printf("\n");
        }
    std::printf("move step 3000 x 2000 / 400 x 300, 1 other item:    %.2f (target <= 1.5)\n",
                move[2][0] / move[0][0]);
    std::printf("move step 3000 x 2000 / 400 x 300, 200 other items: %.2f (target <= 1.5)\n",
                move[2][1] / move[0][1]);
    std::printf("move step 200 / 1 other items, 3000 x 2000:         %.2f (target <= 1.1)\n",
                move[2][1] / move[2][0]);
    std::printf("move step 200 / 1 other items, 400 x 300:           %.2f (target <= 1.1)\n",
                move[0][1] / move[0][0]);

    const Figures six = MeasureSixPictures();
    std::printf("\nsix 3000 x 2000 pictures and a text: SelectItem %.3f ms, move step %.3f ms, "
                "ratio %.2f (target <= 5)\n",
                six.selectMs, six.stepMs, six.selectMs / six.stepMs);
    return 0;
}
