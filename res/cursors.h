// The program's cursors, drawn in code: 32 x 32 monochrome images with a hot spot.
#pragma once

#include <QImage>
#include <QPoint>

constexpr unsigned IDC_HAND_POINT = 178; // index finger pointing up: over an item
constexpr unsigned IDC_SIZE_NWSE = 179;  // upper left to lower right: a corner resize
constexpr unsigned IDC_MOVE_CROP = 180;  // four-headed arrow: an edge crop
constexpr unsigned IDC_HAND_GRAB = 200;  // closed hand: moving
constexpr unsigned IDC_SIZE_NESW = 201;  // upper right to lower left: a corner resize

constexpr int CURSOR_SIZE = 32;

struct CursorShape {
    QImage bits; // 1 (black) where the shape is drawn black
    QImage mask; // 1 where the cursor covers the screen; the rest is transparent
    QPoint hotSpot;
};

// The shape of cursor nID; null images for an id that is not one of the five.
CursorShape DrawCursorShape(unsigned nID);

// Makes the five cursors loadable by id (LoadCursor).
void RegisterProgramCursors();
