#include "imaging/page_drawing.h"

#include "document/album_paths.h"
#include "document/zelbrin_doc.h"
#include "imaging/dib_draw.h"
#include "imaging/dib_image.h"
#include "imaging/jpeg_reader.h"
#include "platform/qt/gdi.h"
#include "platform/win/afxmsgbox.h"
#include "view/page_math.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kLargePicture = 1000;

LONG HoldLong(long long v) {
    return static_cast<LONG>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

// The picture's file as printing reads it: szRelPath against the album's
// folder first, then szPath; empty when neither opens.
std::string PrintSourcePath(const PageItem& item, const CZelbrinDoc* doc) {
    if (item.szRelPath[0]) {
        const std::string rel = ResolveAgainstAlbum(doc ? doc->m_szAlbumPath : "", item.szRelPath);
        if (IsReadableRegularFile(rel))
            return rel;
    }
    if (item.szPath[0] && IsReadableRegularFile(item.szPath))
        return item.szPath;
    return {};
}

void DrawDib(CDC* pDC, HGLOBAL dib, int w, int h, const Rect64& place, const RECT& crop) {
    // Only the part that shows is drawn: nothing is sized by a rectangle
    // reaching beyond the target or the picture.
    RECT target{}, dest{}, src{};
    pDC->GetClipBox(&target);
    if (!VisiblePicturePart(place, crop, w, h, target, dest, src))
        return;
    if (w <= kLargePicture && h <= kLargePicture) {
        DrawDibImage(pDC, &dest, dib, &src);
        return;
    }
    // Large pictures: the shown part unstretched into a memory DC, then one
    // stretching copy to the target.
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC)) {
        AfxMessageBox("Failed to create offscreen dc", MB_OK);
        return;
    }
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(pDC, w + 10, h + 10)) {
        AfxMessageBox("Not enough memory to create offscreen bitmap", MB_OK);
    } else {
        memDC.SetMapMode(MM_TEXT);
        CBitmap* old = memDC.SelectObject(&bitmap);
        DrawDibImage(&memDC, &src, dib, &src);
        pDC->StretchBlt(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, &memDC,
                        src.left, src.top, src.right - src.left, src.bottom - src.top, SRCCOPY);
        memDC.SelectObject(old);
        bitmap.DeleteObject();
    }
    memDC.DeleteDC();
}

void DrawText(const PageItem& item, CDC* pDC, const Rect64& dest) {
    CFont font;
    font.CreateFont(-TextCharHeight(dest.bottom - dest.top, item.nLines), 0, 0, 0,
                    item.bBold == 1 ? FW_BOLD : FW_NORMAL, static_cast<BYTE>(item.bItalic & 0xFF),
                    static_cast<BYTE>(item.bUnderline & 0xFF), 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 4, item.szFontName);
    CFont* old = pDC->SelectObject(&font);
    pDC->SetTextColor(item.crColor);
    pDC->SetBkMode(TRANSPARENT);
    RECT box{HoldLong(dest.left), HoldLong(dest.top), HoldLong(dest.right), HoldLong(dest.bottom)};
    pDC->DrawText(item.szText, -1, &box, DT_CENTER);
    pDC->SelectObject(old);
    font.DeleteObject();
}

} // namespace

float PrintingScale(int nPrinterDpi, int nPixelsPerInch) {
    return static_cast<float>(nPrinterDpi) / static_cast<float>(nPixelsPerInch);
}

void CPageDrawing::DrawPageItem(PageItem item, CDC* pDC, float fScale) {
    pDC->SetMapMode(MM_TEXT);
    const Rect64 dest = ScaleRect64(item.rcPlace, fScale);
    if (item.nKind == ITEM_TEXT) {
        DrawText(item, pDC, dest);
        return;
    }
    if (item.nKind != ITEM_PICTURE)
        return;

    if (pDC->IsPrinting()) {
        // The printer gets the picture decoded again at full size; the
        // temporary buffer lives only until its DibImage exists.
        const std::string path = PrintSourcePath(item, m_pDoc);
        unsigned char* full = nullptr;
        int fw = 0, fh = 0;
        if (!path.empty() && ReadJpegPicture(path.c_str(), &full, &fw, &fh, 1)) {
            HGLOBAL dib = MakeDibImage(24, fw, fh, full);
            std::free(full);
            if (dib) {
                const RECT src = FullSizeSource(item.rcSource, fw, fh);
                DrawDib(pDC, dib, fw, fh, dest, src);
                GlobalFree(dib);
                return;
            }
        }
        // Not to be had at full size: the half-size pixels with their own crop.
        const std::string name = item.szPath[0] ? item.szPath : item.szRelPath;
        if (std::find(m_reduced.begin(), m_reduced.end(), name) == m_reduced.end())
            m_reduced.push_back(name);
    }

    if (!item.pPixels)
        return;
    HGLOBAL dib = MakeDibImage(24, item.nSrcWidth, item.nSrcHeight, item.pPixels);
    if (!dib)
        return;
    DrawDib(pDC, dib, item.nSrcWidth, item.nSrcHeight, dest, item.rcSource);
    GlobalFree(dib);
}

void CPageDrawing::DrawPage(CDC* pDC, float fScale) {
    if (!m_pDoc)
        return;
    for (int i : m_pDoc->GetDrawingOrder()) {
        if (!pDC->QueryAbort())
            return;
        DrawPageItem(m_pDoc->ItemAt(i), pDC, fScale);
    }
}

std::vector<std::string> CPageDrawing::TakeReducedPictures() {
    std::vector<std::string> names;
    names.swap(m_reduced);
    return names;
}
