// Drawing a DibImage into a device context.
#pragma once

#include "oracle/globalmem.h"
#include "platform/win/wintypes.h"

class CDC;

// Copies the source rectangle of the DibImage (x from its left column, y
// counted upward from its bottom row) into the destination rectangle,
// stretching nearest-pixel when the sizes differ. Returns the number of scan
// lines drawn, 0 on failure or for a null handle.
int DrawDibImage(CDC* pDC, const RECT* lpDest, HGLOBAL hDib, const RECT* lpSrc);
