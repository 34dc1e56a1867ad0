// The dialog font and dialog units. A horizontal dialog unit is a quarter of
// the font's average character width, a vertical one an eighth of its height,
// as the Windows dialog manager computes them.
#pragma once

#include "platform/win/wintypes.h"

#include <QFont>
#include <QRect>

// The font a template names; a face this system lacks ("MS Sans Serif" on
// anything but Windows) is replaced by the system's sans-serif face, same size.
QFont DialogFont(const char* faceName, int pointSize);

struct DialogBaseUnits {
    int cx; // average character width, pixels
    int cy; // character height, pixels
};

// Base units of a font: the average width of the 52 Latin letters, rounded,
// and the font's height (ascent plus descent).
DialogBaseUnits DialogBaseUnitsOf(const QFont& font);

// Dialog-unit rectangle to pixels (x * cx / 4, y * cy / 8, rounded like MulDiv).
QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy);
int MapDialogX(const DialogBaseUnits& units, int x);
int MapDialogY(const DialogBaseUnits& units, int y);
