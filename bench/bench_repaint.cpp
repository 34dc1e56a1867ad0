// Cost of one drag step (RepaintFloatingItem) and of a selection change
// (SelectItem) for a 1000 x 750 picture on pages with 1, 50 and 200 other
// items. A drag step must not depend on the other items: the ratio of the
// 200-item and 1-item figures should stay near 1.

#include "document/zelbrin_doc.h"
#include "platform/qt/gdi.h"
#include "view/zelbrin_view.h"

#include <QApplication>

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
    item.pPixels = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(w * h * 3)));
    for (int i = 0; i < w * h * 3; ++i) {
        seed = seed * 1103515245u + 12345u;
        item.pPixels[i] = static_cast<unsigned char>(seed >> 24);
    }
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

Figures Measure(int others) {
    CZelbrinDoc doc;
    doc.OnNewDocument();
    CZelbrinView view;
    view.AttachDocument(&doc);
    view.OnInitialUpdate();
    // Others: mostly small pictures, every fifth a text item.
    for (int i = 0; i < others; ++i) {
        RECT r{(i * 37) % 500, (i * 53) % 700, (i * 37) % 500 + 80, (i * 53) % 700 + 60};
        doc.AppendItem(i % 5 == 4 ? Text(r) : Picture(160, 120, r, static_cast<unsigned>(i)));
    }
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

} // namespace

int main(int argc, char** argv) {
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
    return 0;
}
