#include "geometry/mouse_math.h"

#include <cmath>
#include <initializer_list>

namespace {

using i64 = long long;

// v truncated toward zero into out; false for a value that is not finite or
// does not fit.
bool Trunc(double v, LONG* out) {
    if (!std::isfinite(v) || v >= 2147483648.0 || v <= -2147483649.0)
        return false;
    *out = static_cast<LONG>(v);
    return true;
}

// An integer result kept within the range of a coordinate.
LONG Saturate(i64 v) {
    if (v > 2147483647LL)
        return 2147483647;
    if (v < -2147483648LL)
        return -2147483647 - 1;
    return static_cast<LONG>(v);
}

bool Near(LONG corner, LONG v) {
    const i64 d = static_cast<i64>(v) - corner;
    return d >= -kHandleReach && d <= kHandleReach;
}

bool WithinEdge(LONG edge, LONG v) {
    const i64 d = static_cast<i64>(v) - edge;
    return d > -kEdgeReach && d < kEdgeReach;
}

bool Between(LONG lo, LONG v, LONG hi) {
    return lo <= v && v <= hi;
}

} // namespace

LONG SaturatedDifference(LONG a, LONG b) {
    return Saturate(static_cast<i64>(a) - b);
}

bool OnHandle(const RECT& rc, DragMode corner, POINT pt) {
    switch (corner) {
    case DRAG_SIZE_BOTTOMRIGHT:
        return Near(rc.right, pt.x) && Near(rc.bottom, pt.y);
    case DRAG_SIZE_BOTTOMLEFT:
        return Near(rc.left, pt.x) && Near(rc.bottom, pt.y);
    case DRAG_SIZE_TOPRIGHT:
        return Near(rc.right, pt.x) && Near(rc.top, pt.y);
    case DRAG_SIZE_TOPLEFT:
        return Near(rc.left, pt.x) && Near(rc.top, pt.y);
    default:
        return false;
    }
}

DragMode PressedHandle(const RECT& rc, POINT pt) {
    for (DragMode corner :
         {DRAG_SIZE_BOTTOMRIGHT, DRAG_SIZE_BOTTOMLEFT, DRAG_SIZE_TOPRIGHT, DRAG_SIZE_TOPLEFT})
        if (OnHandle(rc, corner, pt))
            return corner;
    return DRAG_NONE;
}

CropEdge EdgeAt(const RECT& rc, POINT pt) {
    if (WithinEdge(rc.left, pt.x) && Between(rc.top, pt.y, rc.bottom))
        return EDGE_LEFT;
    if (WithinEdge(rc.top, pt.y) && Between(rc.left, pt.x, rc.right))
        return EDGE_TOP;
    if (WithinEdge(rc.right, pt.x) && Between(rc.top, pt.y, rc.bottom))
        return EDGE_RIGHT;
    if (WithinEdge(rc.bottom, pt.y) && Between(rc.left, pt.x, rc.right))
        return EDGE_BOTTOM;
    return EDGE_NONE;
}

bool InsidePlace(const RECT& rc, POINT pt) {
    return Between(rc.left, pt.x, rc.right) && Between(rc.top, pt.y, rc.bottom);
}

int SnapToGridLine(int v, int step, int lines) {
    const i64 half = step / 2;
    for (int i = 0; i < lines; ++i) {
        const i64 line = static_cast<i64>(i) * step;
        if (line - half <= v && v <= line + half)
            return static_cast<int>(line);
    }
    return v;
}

RECT MovePlace(int left, int top, int w, int h, const MoveLimits& limits) {
    i64 nl = left;
    i64 nt = top;
    if (limits.snap) {
        nt = SnapToGridLine(top, limits.stepY, limits.linesY);
        nl = SnapToGridLine(left, limits.stepX, limits.linesX);
    }
    if (nl < 0)
        nl = 0;
    if (nt < 0)
        nt = 0;
    if (nl + w > limits.clientWidth - 1)
        nl = static_cast<i64>(limits.clientWidth) - w;
    if (nt + h > limits.clientHeight - 1)
        nt = static_cast<i64>(limits.clientHeight) - h;
    return RECT{Saturate(nl), Saturate(nt), Saturate(nl + w), Saturate(nt + h)};
}

bool SizeFromCorner(DragMode corner, const RECT& place, SIZE sizeStart, POINT pt, SIZE minSize,
                    RECT* result) {
    const bool right = corner == DRAG_SIZE_BOTTOMRIGHT || corner == DRAG_SIZE_TOPRIGHT;
    const bool bottom = corner == DRAG_SIZE_BOTTOMRIGHT || corner == DRAG_SIZE_BOTTOMLEFT;
    if (!right && !bottom && corner != DRAG_SIZE_TOPLEFT)
        return false;
    // The asked size, from the fixed opposite corner to the pointer.
    const i64 fw =
        right ? static_cast<i64>(pt.x) - place.left : static_cast<i64>(place.right) - pt.x;
    const i64 fh =
        bottom ? static_cast<i64>(pt.y) - place.top : static_cast<i64>(place.bottom) - pt.y;
    if (fw < minSize.cx || fh < minSize.cy)
        return false;
    // A start size without area has no ratio to keep.
    if (sizeStart.cx <= 0 || sizeStart.cy <= 0 || fw <= 0 || fh <= 0)
        return false;
    const double r0 = static_cast<float>(sizeStart.cx) / static_cast<float>(sizeStart.cy);
    const double r = static_cast<double>(fw) / static_cast<double>(fh);

    RECT rc = place;
    LONG& driven = right ? rc.right : rc.left;
    LONG& vertical = bottom ? rc.bottom : rc.top;
    if (r > r0) {
        // Too wide: the height follows the pointer, the width is computed.
        const double w = static_cast<double>(fh) * r0;
        if (!Trunc(right ? place.left + w : place.right - w, &driven))
            return false;
        vertical = pt.y;
    } else if (r < r0) {
        // Too tall: the width follows the pointer, the height is computed.
        driven = pt.x;
        const double h = static_cast<double>(fw) / r0;
        if (!Trunc(bottom ? place.top + h : place.bottom - h, &vertical))
            return false;
    } else {
        driven = pt.x;
        vertical = pt.y;
    }
    *result = rc;
    return true;
}

namespace {

// A crop's start: the place and source at the press and their extents.
struct CropFrame {
    const RECT& p0;
    const RECT& c0;
    double pw, ph, cw, ch;
    bool isPicture;
    int srcWidth, srcHeight;
};

bool CropLeft(const CropFrame& f, POINT pt, RECT& rc, RECT& src) {
    LONG q = 0;
    if (!Trunc(f.c0.left + (static_cast<double>(pt.x) - f.p0.left) * f.cw / f.pw, &q))
        return false;
    if (q > static_cast<i64>(src.right) - kSmallestCrop)
        rc.left = Saturate(static_cast<i64>(f.p0.right) - kSmallestCrop);
    else if (f.isPicture && q < 0) {
        if (!Trunc(f.p0.left - f.c0.left * f.pw / f.cw, &rc.left))
            return false;
    } else
        rc.left = pt.x;
    if (!Trunc(f.c0.left + (static_cast<double>(rc.left) - f.p0.left) * f.cw / f.pw, &src.left))
        return false;
    return true;
}

bool CropTop(const CropFrame& f, POINT pt, RECT& rc, RECT& src) {
    LONG q = 0;
    if (!Trunc(f.c0.bottom - (static_cast<double>(pt.y) - f.p0.top) * f.ch / f.ph, &q))
        return false;
    if (q < static_cast<i64>(src.top) + kSmallestCrop)
        rc.top = Saturate(static_cast<i64>(f.p0.bottom) - kSmallestCrop);
    else if (f.isPicture && q > f.srcHeight) {
        if (!Trunc(f.p0.top + (static_cast<double>(f.c0.bottom) - f.srcHeight) * f.ph / f.ch,
                   &rc.top))
            return false;
    } else
        rc.top = pt.y;
    if (!Trunc(f.c0.bottom - (static_cast<double>(rc.top) - f.p0.top) * f.ch / f.ph, &src.bottom))
        return false;
    return true;
}

bool CropRight(const CropFrame& f, POINT pt, RECT& rc, RECT& src) {
    LONG q = 0;
    if (!Trunc(f.c0.right - (static_cast<double>(f.p0.right) - pt.x) * f.cw / f.pw, &q))
        return false;
    if (q < static_cast<i64>(src.left) + kSmallestCrop)
        rc.right = Saturate(static_cast<i64>(f.p0.left) + kSmallestCrop);
    else if (f.isPicture && q > f.srcWidth) {
        if (!Trunc(f.p0.right - (static_cast<double>(f.c0.right) - f.srcWidth) * f.pw / f.cw,
                   &rc.right))
            return false;
    } else
        rc.right = pt.x;
    if (!Trunc(f.c0.right - (static_cast<double>(f.p0.right) - rc.right) * f.cw / f.pw, &src.right))
        return false;
    return true;
}

bool CropBottom(const CropFrame& f, POINT pt, RECT& rc, RECT& src) {
    LONG q = 0;
    if (!Trunc(f.c0.top + (static_cast<double>(f.p0.bottom) - pt.y) * f.ch / f.ph, &q))
        return false;
    if (q > static_cast<i64>(src.bottom) - kSmallestCrop)
        rc.bottom = Saturate(static_cast<i64>(f.p0.top) + kSmallestCrop);
    else if (f.isPicture && q < 0) {
        if (!Trunc(f.p0.bottom + f.c0.top * f.ph / f.ch, &rc.bottom))
            return false;
    } else
        rc.bottom = pt.y;
    if (!Trunc(f.c0.top + (static_cast<double>(f.p0.bottom) - rc.bottom) * f.ch / f.ph, &src.top))
        return false;
    return true;
}

} // namespace

bool CropAtEdge(CropEdge edge, const CropStart& start, bool isPicture, int srcWidth, int srcHeight,
                POINT pt, RECT* place, RECT* source) {
    const RECT& p0 = start.place;
    const RECT& c0 = start.source;
    const CropFrame f{p0,
                      c0,
                      static_cast<double>(p0.right) - p0.left,
                      static_cast<double>(p0.bottom) - p0.top,
                      static_cast<double>(c0.right) - c0.left,
                      static_cast<double>(c0.bottom) - c0.top,
                      isPicture,
                      srcWidth,
                      srcHeight};
    // The ratios at the press cannot be formed for a start without area.
    if (f.pw == 0 || f.ph == 0 || f.cw == 0 || f.ch == 0)
        return false;
    RECT rc = *place;
    RECT src = *source;
    bool ok = false;
    switch (edge) {
    case EDGE_LEFT:
        ok = CropLeft(f, pt, rc, src);
        break;
    case EDGE_TOP:
        ok = CropTop(f, pt, rc, src);
        break;
    case EDGE_RIGHT:
        ok = CropRight(f, pt, rc, src);
        break;
    case EDGE_BOTTOM:
        ok = CropBottom(f, pt, rc, src);
        break;
    default:
        break;
    }
    if (!ok)
        return false;
    *place = rc;
    *source = src;
    return true;
}
