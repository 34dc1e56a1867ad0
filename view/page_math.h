// The page's arithmetic: pixels per inch, grid geometry, scaled rectangles and
// text heights. Every conversion to integer truncates toward zero.
#pragma once

#include "platform/win/wintypes.h"

// View pixels per inch for a screen vertRes pixels high (130 pixels are left
// for the frame, menu, bars and task bar).
int ComputePixelsPerInch(int vertRes, float pageHeightInches);

struct GridGeometry {
    int stepX = 0; // distance between vertical gridlines, pixels
    int stepY = 0;
    int linesX = 0; // index of the last vertical gridline
    int linesY = 0;
};
// Grid of a W x H client area; a step that truncates to 0 gives no lines but
// the one at 0.
GridGeometry ComputeGridGeometry(int width, int height, float horizSpacing, float vertSpacing,
                                 float pageWidthInches, float pageHeightInches);

// A page rectangle at a scale: each coordinate times the scale, truncated.
RECT ScaleRect(const RECT& rc, float scale);

// Character height of a text item's font: four fifths of the box height,
// divided by the line count (no lines counts as one).
int TextCharHeight(int boxHeight, int nLines);

// The full-size source rectangle of a half-size crop: coordinates doubled, then
// right and bottom brought back inside a full size of odd width or height.
RECT FullSizeSource(const RECT& halfSource, int fullWidth, int fullHeight);
