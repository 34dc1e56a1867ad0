// The arithmetic of mouse editing: hit tests, the grid snap and clamping of a
// move, proportional sizing from a corner and cropping at an edge. Points and
// places are page pixels; sources are pixels of the picture in memory, rows
// counted upward from its bottom. Every conversion to integer truncates toward
// zero; a result that is not a finite number within the integer range counts
// as no result.
#pragma once

#include "platform/win/wintypes.h"

// What the held button is doing.
enum DragMode {
    DRAG_NONE = 0,
    DRAG_MOVE,
    DRAG_SIZE_BOTTOMRIGHT,
    DRAG_SIZE_BOTTOMLEFT,
    DRAG_SIZE_TOPRIGHT,
    DRAG_SIZE_TOPLEFT,
    DRAG_CROP,
};

// The edge a crop holds.
enum CropEdge {
    EDGE_NONE = 0,
    EDGE_LEFT,
    EDGE_TOP,
    EDGE_RIGHT,
    EDGE_BOTTOM,
};

constexpr int kHandleReach = 10; // inclusive, either way
constexpr int kEdgeReach = 8;    // exclusive, either side
constexpr int kSmallestCrop = 5;
constexpr SIZE kMinPictureSize{50, 50};
constexpr SIZE kMinTextSize{10, 5};

// a - b held within the 32-bit range: places read from a file may span more
// than it (a width, a pointer's offset into an item, a drag's wished corner).
LONG SaturatedDifference(LONG a, LONG b);

// The handle of a sizing mode's corner: within kHandleReach of it, inclusive.
bool OnHandle(const RECT& rc, DragMode corner, POINT pt);
// The first handle of the press's order (bottom-right, bottom-left,
// top-right, top-left) under pt, or DRAG_NONE.
DragMode PressedHandle(const RECT& rc, POINT pt);
// The edge under pt (left, top, right, bottom: the first that holds), or EDGE_NONE.
CropEdge EdgeAt(const RECT& rc, POINT pt);
// Right and bottom count as inside.
bool InsidePlace(const RECT& rc, POINT pt);

// A wished coordinate snapped to the nearest gridline 0 .. lines - 1 of step
// (the first within half a step, so the lower line wins at the midpoint).
int SnapToGridLine(int v, int step, int lines);

struct MoveLimits {
    int clientWidth;
    int clientHeight;
    bool snap; // snap the top-left corner to the grid
    int stepX, stepY, linesX, linesY;
};
// The place of a w x h item whose top-left corner is wished at (left, top):
// snapped when asked, then kept on the client area (its top-left corner first).
RECT MovePlace(int left, int top, int w, int h, const MoveLimits& limits);

// One sizing step from a corner toward pt, keeping the ratio of sizeStart;
// false (place unchanged) below minSize, for a start size without area, or
// when a result falls outside the integer range.
bool SizeFromCorner(DragMode corner, const RECT& place, SIZE sizeStart, POINT pt, SIZE minSize,
                    RECT* result);

struct CropStart {
    RECT place;  // the item's place at the press
    RECT source; // its source at the press
};
// One crop step of edge toward pt, changing place and source. A picture of
// srcWidth x srcHeight cannot be uncovered beyond its own borders; a text
// item has only the 5-pixel rule. False (nothing changed) when the start
// place or source has no width or height, or a result is out of range.
bool CropAtEdge(CropEdge edge, const CropStart& start, bool isPicture, int srcWidth, int srcHeight,
                POINT pt, RECT* place, RECT* source);
