#include "oracle/dib_draw.h"

#include "oracle/dib_image.h"
#include "platform/qt/gdi.h"

#include <climits>

int DrawDibImage(CDC* pDC, const RECT* lpDest, HGLOBAL hDib, const RECT* lpSrc) {
    if (!hDib)
        return 0;
    auto* header = static_cast<BITMAPINFO*>(GlobalLock(hDib));
    if (!header)
        return 0;
    unsigned char* bits = DibImageBits(header);
    pDC->SetStretchBltMode(COLORONCOLOR);
    // Extents beyond the int range cannot be drawn (callers cut rectangles to
    // the target first).
    const long long extents[4] = {static_cast<long long>(lpDest->right) - lpDest->left,
                                  static_cast<long long>(lpDest->bottom) - lpDest->top,
                                  static_cast<long long>(lpSrc->right) - lpSrc->left,
                                  static_cast<long long>(lpSrc->bottom) - lpSrc->top};
    for (long long e : extents) {
        if (e < INT_MIN || e > INT_MAX) {
            GlobalUnlock(hDib);
            return 0;
        }
    }
    const int destW = static_cast<int>(extents[0]), destH = static_cast<int>(extents[1]);
    const int srcW = static_cast<int>(extents[2]), srcH = static_cast<int>(extents[3]);
    int result;
    if (destW == srcW && destH == srcH) {
        const auto scans = static_cast<WORD>(DibImageHeight(header));
        result = pDC->SetDIBitsToDevice(lpDest->left, lpDest->top, static_cast<DWORD>(destW),
                                        static_cast<DWORD>(destH), lpSrc->left, lpSrc->top, 0,
                                        scans, bits, header, DIB_RGB_COLORS);
    } else {
        result = pDC->StretchDIBits(lpDest->left, lpDest->top, destW, destH, lpSrc->left,
                                    lpSrc->top, srcW, srcH, bits, header, DIB_RGB_COLORS, SRCCOPY);
    }
    GlobalUnlock(hDib);
    return result;
}
