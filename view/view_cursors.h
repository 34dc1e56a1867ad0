// The view's five pointers, from the desktop's cursor theme.
#pragma once

constexpr unsigned IDC_HAND_POINT = 178; // a pointing hand: over an item
constexpr unsigned IDC_SIZE_NWSE = 179;  // upper left to lower right: a corner resize
constexpr unsigned IDC_MOVE_CROP = 180;  // four-headed arrow: an edge crop
constexpr unsigned IDC_HAND_GRAB = 200;  // closed hand: moving
constexpr unsigned IDC_SIZE_NESW = 201;  // upper right to lower left: a corner resize

// Makes the five cursors loadable by id (LoadCursor).
void RegisterViewCursors();
