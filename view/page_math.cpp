#include "view/page_math.h"

#include <climits>

int ComputePixelsPerInch(int vertRes, float pageHeightInches) {
    if (!(pageHeightInches > 0.0f))
        return 72;
    return static_cast<int>(static_cast<float>(vertRes - 130) / pageHeightInches);
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

RECT ScaleRect(const RECT& rc, float scale) {
    auto s = [scale](LONG v) { return static_cast<LONG>(static_cast<float>(v) * scale); };
    return RECT{s(rc.left), s(rc.top), s(rc.right), s(rc.bottom)};
}

int TextCharHeight(int boxHeight, int nLines) {
    if (nLines <= 0)
        nLines = 1;
    return (boxHeight - boxHeight / 5) / nLines;
}

RECT FullSizeSource(const RECT& halfSource, int fullWidth, int fullHeight) {
    RECT rc{2 * halfSource.left, 2 * halfSource.top, 2 * halfSource.right, 2 * halfSource.bottom};
    if (fullWidth % 2 == 1)
        rc.right -= 1;
    if (fullHeight % 2 == 1)
        rc.bottom -= 1;
    return rc;
}
