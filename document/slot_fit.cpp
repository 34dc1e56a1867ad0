#include "document/slot_fit.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Truncation toward zero, held within the 32-bit range; not-a-number gives 0.
long long Trunc(double v) {
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(INT32_MAX))
        return INT32_MAX;
    if (v <= static_cast<double>(INT32_MIN))
        return INT32_MIN;
    return static_cast<long long>(v);
}

bool Fits32(long long v) {
    return v >= INT32_MIN && v <= INT32_MAX;
}

// The fit shared by slots and rectangles: the box's width when the item is
// wider than the box, else its height; centred on (cx, cy) with integer
// halves (an odd size loses one pixel).
bool FitAround(long long cx, long long cy, long long boxW, long long boxH, double aspect,
               RECT& out) {
    if (!std::isfinite(aspect) || aspect <= 0)
        return false;
    long long width, height;
    if (boxH > 0 && aspect > static_cast<double>(boxW) / static_cast<double>(boxH)) {
        width = boxW;
        height = Trunc(static_cast<double>(boxW) / aspect);
    } else {
        height = boxH;
        width = Trunc(static_cast<double>(boxH) * aspect);
    }
    const long long l = cx - width / 2, t = cy - height / 2, r = cx + width / 2,
                    b = cy + height / 2;
    if (!Fits32(l) || !Fits32(t) || !Fits32(r) || !Fits32(b))
        return false;
    out = RECT{static_cast<LONG>(l), static_cast<LONG>(t), static_cast<LONG>(r),
               static_cast<LONG>(b)};
    return true;
}

} // namespace

RECT SlotRect(const TemplateSlot& s, int pageWidth, int pageHeight) {
    const float W = static_cast<float>(pageWidth), H = static_cast<float>(pageHeight);
    const double x = s.fCenterX * W;
    const double y = s.fCenterY * H;
    const double halfW = static_cast<double>(s.fWidth * W) * 0.5;
    const double halfH = static_cast<double>(s.fHeight * H) * 0.5;
    return RECT{static_cast<LONG>(Trunc(x - halfW)), static_cast<LONG>(Trunc(y - halfH)),
                static_cast<LONG>(Trunc(x + halfW)), static_cast<LONG>(Trunc(y + halfH))};
}

bool InsideSlotRect(const RECT& rc, long long x, long long y) {
    return rc.left <= x && x < rc.right && rc.top <= y && y < rc.bottom;
}

bool CropAspect(const PageItem& item, double& aspect) {
    const long long w = static_cast<long long>(item.rcSource.right) - item.rcSource.left;
    const long long h = static_cast<long long>(item.rcSource.bottom) - item.rcSource.top;
    if (w <= 0 || h <= 0)
        return false;
    aspect = static_cast<double>(w) / static_cast<double>(h);
    return true;
}

bool FitIntoSlot(const TemplateSlot& s, double aspect, int pageWidth, int pageHeight, RECT& out) {
    const float W = static_cast<float>(pageWidth), H = static_cast<float>(pageHeight);
    return FitAround(Trunc(W * s.fCenterX), Trunc(H * s.fCenterY), Trunc(W * s.fWidth),
                     Trunc(H * s.fHeight), aspect, out);
}

bool FitIntoRect(const RECT& box, double aspect, RECT& out) {
    const long long w = static_cast<long long>(box.right) - box.left;
    const long long h = static_cast<long long>(box.bottom) - box.top;
    if (w <= 0 || h <= 0)
        return false;
    return FitAround(box.left + w / 2, box.top + h / 2, w, h, aspect, out);
}

RECT CascadePlace(double aspect, int pageWidth, int pageHeight, int n) {
    const int w2 = pageWidth - 40;
    const int h2 = pageHeight - 40;
    // In 64 bits and held within the 32-bit range: the aspect of a crop read
    // from a file can be anything from 1/2^32 to 2^32.
    long long width, height;
    if (Trunc(h2 * aspect) >= w2) {
        width = Trunc(w2 * 0.5);
        height = Trunc(static_cast<double>(width) / aspect);
    } else {
        height = Trunc(h2 * 0.5);
        width = Trunc(static_cast<double>(height) * aspect);
    }
    const long long at = 10ll * n;
    auto hold = [](long long v) { return static_cast<LONG>(Trunc(static_cast<double>(v))); };
    return RECT{hold(at), hold(at), hold(at + width), hold(at + height)};
}

int CountTextLines(const char* text) {
    int n = 0;
    const char* p = text;
    while (*p) {
        const char* lf = std::strchr(p, '\n');
        const std::size_t len = lf ? static_cast<std::size_t>(lf - p) : std::strlen(p);
        if (len > 0)
            ++n;
        if (!lf)
            break;
        p = lf + 1;
    }
    return n;
}
