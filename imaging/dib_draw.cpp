#include "imaging/dib_draw.h"

#include "imaging/dib_image.h"
#include "platform/qt/gdi.h"

int DrawDibImage(CDC* pDC, const RECT* lpDest, HGLOBAL hDib, const RECT* lpSrc) {
    if (!hDib)
        return 0;
    auto* header = static_cast<BITMAPINFO*>(GlobalLock(hDib));
    if (!header)
        return 0;
    unsigned char* bits = DibImageBits(header);
    pDC->SetStretchBltMode(COLORONCOLOR);
    const int destW = lpDest->right - lpDest->left;
    const int destH = lpDest->bottom - lpDest->top;
    const int srcW = lpSrc->right - lpSrc->left;
    const int srcH = lpSrc->bottom - lpSrc->top;
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
