#include "view/page_math.h"

int ComputePixelsPerInch(int vertRes, float pageHeightInches) {
    if (!(pageHeightInches > 0.0f))
        return 72;
    return static_cast<int>(static_cast<float>(vertRes - 130) / pageHeightInches);
}

GridGeometry ComputeGridGeometry(int width, int height, float horizSpacing, float vertSpacing,
                                 float pageWidthInches, float pageHeightInches) {
    GridGeometry g;
    if (pageWidthInches > 0.0f)
        g.stepX = static_cast<int>(static_cast<float>(width) * horizSpacing / pageWidthInches);
    if (pageHeightInches > 0.0f)
        g.stepY = static_cast<int>(static_cast<float>(height) * vertSpacing / pageHeightInches);
    // Negative spacings draw nothing beyond the line at 0, as a zero step does.
    if (g.stepX < 0)
        g.stepX = 0;
    if (g.stepY < 0)
        g.stepY = 0;
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
