// The page's arithmetic: pixels per inch, grid geometry, scaled rectangles and
// text heights. Every conversion to integer truncates toward zero.
#pragma once

#include "platform/win/wintypes.h"

// View pixels per inch for a screen vertRes pixels high (130 pixels are left
// for the frame, menu, bars and task bar).
int ComputePixelsPerInch(int vertRes, float pageHeightInches);

// The page: the printer's printable area in inches, and at the view's pixels
// per inch the client area that shows it. The window and the page without a
// window both take it from here.
struct PageGeometry {
    int nPrinterDpi = 0;
    float fWidthInches = 0.0f;
    float fHeightInches = 0.0f;
};
// From a printable area of horzRes x vertRes dots at dpi (both sides divided
// by the horizontal resolution); false, nothing known, when dpi is not positive.
bool PageFromPrinter(int horzRes, int vertRes, int dpi, PageGeometry& page);
// The client area at nPixelsPerInch: each side truncated.
SIZE ClientExtentOf(const PageGeometry& page, int nPixelsPerInch);

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

// A rectangle whose coordinates may lie beyond the 32-bit range.
struct Rect64 {
    long long left, top, right, bottom;
};

// A page rectangle at a scale: each coordinate times the scale (in single
// precision), truncated. Rect64 keeps every product of a 32-bit coordinate and
// a finite scale; RECT holds them within the 32-bit range.
Rect64 ScaleRect64(const RECT& rc, float scale);
RECT ScaleRect(const RECT& rc, float scale);

// Character height of a text item's font: four fifths of the box height,
// divided by the line count (no lines counts as one), held within the int range.
int TextCharHeight(long long boxHeight, int nLines);

// The full-size source rectangle of a half-size crop: coordinates doubled, then
// right and bottom brought back inside a full size of odd width or height;
// held within the 32-bit range.
RECT FullSizeSource(const RECT& halfSource, int fullWidth, int fullHeight);

// True when a picture drawing can be handed over whole: the crop lies inside the
// picture and the scaled place within +-2^29, so the transfer maps every pixel
// from the full rectangles (clipping only what it writes) and allocates nothing
// beyond the picture. Otherwise VisiblePicturePart cuts it first.
bool WholePictureTransfer(const Rect64& dest, const RECT& src, int picWidth, int picHeight);

// The part of a picture drawing that can be seen: dest (the scaled place) cut
// to the target's clip box and src (the crop, rows counted upward) cut to the
// picture's width x height, each cut carried over to the other in proportion,
// with the source rounded outward to whole pixels. False when nothing of it
// shows (or a rectangle is empty or turned over). Drawings wholly inside both
// come back unchanged, so that they keep their exact pixel mapping.
bool VisiblePicturePart(const Rect64& dest, const RECT& src, int picWidth, int picHeight,
                        const RECT& target, RECT& outDest, RECT& outSrc);
