#include "geometry/page_math.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

int ComputePixelsPerInch(int vertRes, float pageHeightInches) {
    if (!(pageHeightInches > 0.0f))
        return 72;
    return static_cast<int>(static_cast<float>(vertRes - 130) / pageHeightInches);
}

bool PageFromPrinter(int horzRes, int vertRes, int dpi, PageGeometry& page) {
    if (dpi <= 0)
        return false;
    page.nPrinterDpi = dpi;
    page.fWidthInches = static_cast<float>(horzRes) / static_cast<float>(dpi);
    page.fHeightInches = static_cast<float>(vertRes) / static_cast<float>(dpi);
    return true;
}

SIZE ClientExtentOf(const PageGeometry& page, int nPixelsPerInch) {
    const float ppi = static_cast<float>(nPixelsPerInch);
    return SIZE{static_cast<LONG>(ppi * page.fWidthInches),
                static_cast<LONG>(ppi * page.fHeightInches)};
}

namespace {

// Pixels of a spacing: truncated; negative or not a number gives 0, and a step
// beyond the int range (any such step is wider than the page) gives INT_MAX.
int GridStep(int extent, float spacing, float pageInches) {
    if (!(pageInches > 0.0f))
        return 0;
    const float step = static_cast<float>(extent) * spacing / pageInches;
    if (!(step > 0.0f))
        return 0;
    if (step >= static_cast<float>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(step);
}

} // namespace

GridGeometry ComputeGridGeometry(int width, int height, float horizSpacing, float vertSpacing,
                                 float pageWidthInches, float pageHeightInches) {
    GridGeometry g;
    g.stepX = GridStep(width, horizSpacing, pageWidthInches);
    g.stepY = GridStep(height, vertSpacing, pageHeightInches);
    g.linesX = g.stepX > 0 ? static_cast<int>(static_cast<double>(width) / g.stepX) : 0;
    g.linesY = g.stepY > 0 ? static_cast<int>(static_cast<double>(height) / g.stepY) : 0;
    return g;
}

namespace {

LONG Clamp32(long long v) {
    return static_cast<LONG>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

// Truncation of a double toward zero, held within +-2^62; not a number gives 0.
long long Trunc64(double v) {
    constexpr double kLimit = 4611686018427387904.0; // 2^62
    if (std::isnan(v))
        return 0;
    return static_cast<long long>(std::clamp(v, -kLimit, kLimit));
}

} // namespace

Rect64 ScaleRect64(const RECT& rc, float scale) {
    auto s = [scale](LONG v) { return Trunc64(static_cast<float>(v) * scale); };
    return Rect64{s(rc.left), s(rc.top), s(rc.right), s(rc.bottom)};
}

RECT ScaleRect(const RECT& rc, float scale) {
    const Rect64 r = ScaleRect64(rc, scale);
    return RECT{Clamp32(r.left), Clamp32(r.top), Clamp32(r.right), Clamp32(r.bottom)};
}

int TextCharHeight(long long boxHeight, int nLines) {
    if (nLines <= 0)
        nLines = 1;
    boxHeight = std::clamp<long long>(boxHeight, INT_MIN, INT_MAX);
    return static_cast<int>((boxHeight - boxHeight / 5) / nLines);
}

RECT FullSizeSource(const RECT& halfSource, int fullWidth, int fullHeight) {
    long long right = 2ll * halfSource.right, bottom = 2ll * halfSource.bottom;
    if (fullWidth % 2 == 1)
        right -= 1;
    if (fullHeight % 2 == 1)
        bottom -= 1;
    return RECT{Clamp32(2ll * halfSource.left), Clamp32(2ll * halfSource.top), Clamp32(right),
                Clamp32(bottom)};
}

bool WholePictureTransfer(const Rect64& dest, const RECT& src, int picWidth, int picHeight) {
    constexpr long long kReach = 1ll << 29;
    auto near = [](long long v) { return v >= -kReach && v <= kReach; };
    return src.left >= 0 && src.top >= 0 && src.left < src.right && src.top < src.bottom &&
           src.right <= picWidth && src.bottom <= picHeight && dest.left < dest.right &&
           dest.top < dest.bottom && near(dest.left) && near(dest.top) && near(dest.right) &&
           near(dest.bottom);
}

bool VisiblePicturePart(const Rect64& dest, const RECT& src, int picWidth, int picHeight,
                        const RECT& target, RECT& outDest, RECT& outSrc) {
    const long long dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    const long long sw = static_cast<long long>(src.right) - src.left;
    const long long sh = static_cast<long long>(src.bottom) - src.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || picWidth <= 0 || picHeight <= 0)
        return false;
    if (dest.left >= target.left && dest.top >= target.top && dest.right <= target.right &&
        dest.bottom <= target.bottom && src.left >= 0 && src.top >= 0 && src.right <= picWidth &&
        src.bottom <= picHeight) {
        outDest = RECT{static_cast<LONG>(dest.left), static_cast<LONG>(dest.top),
                       static_cast<LONG>(dest.right), static_cast<LONG>(dest.bottom)};
        outSrc = src;
        return true;
    }
    // Source x of a destination x, and source y (counted upward) of a
    // destination y (counted downward); and back.
    const double kx = static_cast<double>(sw) / static_cast<double>(dw);
    const double ky = static_cast<double>(sh) / static_cast<double>(dh);
    auto srcX = [&](double x) { return src.left + (x - dest.left) * kx; };
    auto srcY = [&](double y) { return src.bottom - (y - dest.top) * ky; };
    auto destX = [&](double x) { return dest.left + (x - src.left) / kx; };
    auto destY = [&](double y) { return dest.top + (src.bottom - y) / ky; };

    // The visible destination, and the source it shows, within the picture.
    double l = std::max<double>(dest.left, target.left);
    double r = std::min<double>(dest.right, target.right);
    double t = std::max<double>(dest.top, target.top);
    double b = std::min<double>(dest.bottom, target.bottom);
    double sl = std::max(srcX(l), 0.0), sr = std::min(srcX(r), static_cast<double>(picWidth));
    double st = std::max(srcY(b), 0.0), sb = std::min(srcY(t), static_cast<double>(picHeight));
    if (!(sl < sr && st < sb && l < r && t < b))
        return false;
    // Whole source pixels, and the destination they cover (which may reach a
    // little past the target; a pixel magnified beyond any page is cut to a
    // margin around it).
    sl = std::floor(sl);
    sr = std::ceil(sr);
    st = std::floor(st);
    sb = std::ceil(sb);
    constexpr double kMargin = 1 << 24;
    auto hold = [](double v, double lo, double hi) {
        return static_cast<LONG>(std::clamp(std::trunc(v), lo, hi));
    };
    outSrc = RECT{static_cast<LONG>(sl), static_cast<LONG>(st), static_cast<LONG>(sr),
                  static_cast<LONG>(sb)};
    outDest = RECT{hold(destX(sl), target.left - kMargin, target.right + kMargin),
                   hold(destY(sb), target.top - kMargin, target.bottom + kMargin),
                   hold(destX(sr), target.left - kMargin, target.right + kMargin),
                   hold(destY(st), target.top - kMargin, target.bottom + kMargin)};
    return outDest.left < outDest.right && outDest.top < outDest.bottom;
}
