#include "render/page_drawing.h"

#include "document/album_paths.h"
#include "document/placeholders.h"
#include "document/zelbrin_doc.h"
#include "imaging/jpeg_reader.h"
#include "platform/qt/gdi.h"
#include "platform/qt/win_app.h"
#include "platform/win/afxmsgbox.h"
#include "geometry/page_math.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>

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

// Pixels a drawing may free as soon as they are no longer needed (owned),
// telling freed() when it has.
struct PixelRelease {
    const unsigned char*& pixels;
    bool owned;
    const std::function<void()>& freed;
    void Now() {
        if (!owned)
            return;
        std::free(const_cast<unsigned char*>(pixels));
        pixels = nullptr;
        owned = false;
        if (freed)
            freed();
    }
    ~PixelRelease() { Now(); }
};

// A printer takes the source part src through a memory bitmap and one
// stretching copy into dest; the pixels go once they are in the bitmap.
void DrawThroughBitmap(CDC* pDC, const unsigned char* pixels, int w, int h, const RECT& dest,
                       const RECT& src, PixelRelease& release) {
    const int destW = dest.right - dest.left, destH = dest.bottom - dest.top;
    const int srcW = src.right - src.left, srcH = src.bottom - src.top;
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC)) {
        AfxMessageBox("Failed to create offscreen dc", MB_OK);
        return;
    }
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(pDC, srcW, srcH)) {
        AfxMessageBox("Not enough memory to create offscreen bitmap", MB_OK);
    } else {
        memDC.SetMapMode(MM_TEXT);
        CBitmap* old = memDC.SelectObject(&bitmap);
        memDC.SetStretchBltMode(COLORONCOLOR);
        memDC.StretchPicture(0, 0, srcW, srcH, src.left, src.top, srcW, srcH, pixels, w, h);
        release.Now();
        pDC->StretchBlt(dest.left, dest.top, destW, destH, &memDC, 0, 0, srcW, srcH, SRCCOPY);
        memDC.SelectObject(old);
        bitmap.DeleteObject();
    }
    memDC.DeleteDC();
}

// Draws the part of a w x h PictureBuffer that crop selects into place. Only
// the pixels that show are touched, straight from the buffer: the same pixels
// as a DibImage of the whole picture drawn as such, at the cost of the area
// shown rather than of the picture.
// With owned set, the pixels are freed here, as soon as they are no longer
// needed (before a printer's stretching copy), and then freed() is called.
void DrawPicture(CDC* pDC, bool smooth, const unsigned char* pixels, int w, int h,
                 const Rect64& place, const RECT& crop, bool owned = false,
                 const std::function<void()>& freed = {}) {
    PixelRelease release{pixels, owned, freed};
    // Nothing is sized by a rectangle reaching beyond the target or the picture.
    // A drawing handed over whole keeps the pixel mapping of the full rectangles
    // (the transfer writes only what the target shows); any other is cut first.
    RECT target{}, dest{}, src{};
    if (WholePictureTransfer(place, crop, w, h)) {
        dest = RECT{static_cast<LONG>(place.left), static_cast<LONG>(place.top),
                    static_cast<LONG>(place.right), static_cast<LONG>(place.bottom)};
        src = crop;
    } else {
        pDC->GetClipBox(&target);
        if (!VisiblePicturePart(place, crop, w, h, target, dest, src))
            return;
    }
    const long long extents[4] = {static_cast<long long>(dest.right) - dest.left,
                                  static_cast<long long>(dest.bottom) - dest.top,
                                  static_cast<long long>(src.right) - src.left,
                                  static_cast<long long>(src.bottom) - src.top};
    for (long long e : extents)
        if (e <= 0 || e > INT32_MAX)
            return;
    const int destW = static_cast<int>(extents[0]), destH = static_cast<int>(extents[1]);
    const int srcW = static_cast<int>(extents[2]), srcH = static_cast<int>(extents[3]);
    // A large picture on a screen or image target is sampled straight into it
    // too: the same pixels as its unstretched copy into a memory bitmap and the
    // stretching copy from there. A printer takes the source part through a
    // memory bitmap and one stretching copy.
    const bool large = w > kLargePicture || h > kLargePicture;
    if (smooth)
        pDC->SetStretchBltMode(HALFTONE);
    else if (!large)
        pDC->SetStretchBltMode(COLORONCOLOR);
    if (!large || pDC->Surface()) {
        pDC->StretchPicture(dest.left, dest.top, destW, destH, src.left, src.top, srcW, srcH,
                            pixels, w, h);
        return;
    }
    DrawThroughBitmap(pDC, pixels, w, h, dest, src, release);
}

// A missing picture on screen: a light grey box with a thin darker border and
// the file's name centred in it, clipped to the box.
void DrawPlaceholder(const PageItem& item, CDC* pDC, const Rect64& dest) {
    RECT clip{};
    pDC->GetClipBox(&clip);
    const Rect64 shown{
        std::max<long long>(dest.left, clip.left), std::max<long long>(dest.top, clip.top),
        std::min<long long>(dest.right, clip.right), std::min<long long>(dest.bottom, clip.bottom)};
    if (shown.right <= shown.left || shown.bottom <= shown.top)
        return;
    QImage box(static_cast<int>(shown.right - shown.left),
               static_cast<int>(shown.bottom - shown.top), QImage::Format_RGB32);
    QPainter p(&box);
    p.translate(static_cast<qreal>(dest.left - shown.left),
                static_cast<qreal>(dest.top - shown.top));
    const QRectF whole(0, 0, static_cast<qreal>(dest.right - dest.left),
                       static_cast<qreal>(dest.bottom - dest.top));
    p.fillRect(whole, QColor(224, 224, 224));
    p.setPen(QColor(150, 150, 150));
    p.drawRect(whole.adjusted(0, 0, -1, -1));
    p.setPen(QColor(90, 90, 90));
    p.setClipRect(whole.adjusted(2, 2, -2, -2));
    const std::string name = item.szPath[0] ? item.szPath : item.szRelPath;
    const std::size_t slash = name.find_last_of('/');
    p.drawText(whole, Qt::AlignCenter | Qt::TextWrapAnywhere,
               QString::fromStdString(slash == std::string::npos ? name : name.substr(slash + 1)));
    p.end();
    pDC->DrawImage(static_cast<int>(shown.left), static_cast<int>(shown.top), box);
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

// Everything that shapes a text item's pixels in a box of its size.
std::string TextImageKey(const PageItem& item, long long w, long long h) {
    std::string key = item.szText;
    key += '\0';
    key += item.szFontName;
    key += '\0';
    for (long long v :
         {static_cast<long long>(item.bBold), static_cast<long long>(item.bItalic),
          static_cast<long long>(item.bUnderline), static_cast<long long>(item.crColor),
          static_cast<long long>(item.nLines), w, h})
        key += std::to_string(v) + ' ';
    return key;
}

} // namespace

bool SmoothPicturesSetting() {
    CWinApp* app = AfxGetApp();
    return !app || app->GetProfileInt("Settings", "SmoothPictures", 1) != 0;
}

CPageDrawing::CPageDrawing(const CZelbrinDoc* pDoc)
    : m_pDoc(pDoc), m_bSmooth(SmoothPicturesSetting()) {}

float PrintingScale(int nPrinterDpi, int nPixelsPerInch) {
    return static_cast<float>(nPrinterDpi) / static_cast<float>(nPixelsPerInch);
}

void CPageDrawing::DrawPageItem(PageItem item, CDC* pDC, float fScale) {
    pDC->SetMapMode(MM_TEXT);
    const Rect64 dest = ScaleRect64(item.rcPlace, fScale);
    if (item.nKind == ITEM_TEXT) {
        DrawTextItem(item, pDC, dest);
        return;
    }
    if (item.nKind != ITEM_PICTURE)
        return;
    if (IsPlaceholder(item)) {
        // Blank on paper and in exports; a box with its name on screen.
        if (!pDC->IsPrinting() && m_bShowPlaceholders)
            DrawPlaceholder(item, pDC, dest);
        return;
    }

    if (pDC->IsPrinting() && DrawForPrinter(item, pDC, dest))
        return;
    if (!item.pPixels || (m_bSmooth && DrawFromCopy(item, pDC, dest)))
        return;
    if (m_bFullSizeWhenEnlarged &&
        (dest.right - dest.left >
             static_cast<long long>(item.rcSource.right) - item.rcSource.left ||
         dest.bottom - dest.top >
             static_cast<long long>(item.rcSource.bottom) - item.rcSource.top)) {
        // The full-size pixels show what the half-size ones would blow up;
        // they are freed as soon as they are drawn.
        DecodedPicture full;
        int orientation = PictureOrientation(item);
        if (const std::string path = PrintSourcePath(item, m_pDoc); !path.empty())
            full.ok = ReadJpegPicture(path.c_str(), &full.pixels, &full.width, &full.height, 1,
                                      &orientation);
        if (full.ok) {
            DrawPicture(pDC, m_bSmooth, full.pixels, full.width, full.height, dest,
                        FullSizeSource(item.rcSource, full.width, full.height), true);
            return;
        }
    }
    DrawPicture(pDC, m_bSmooth, item.pPixels.get(), item.nSrcWidth, item.nSrcHeight, dest,
                item.rcSource);
}

void CPageDrawing::DrawTextItem(const PageItem& item, CDC* pDC, const Rect64& dest) {
    const long long w = dest.right - dest.left, h = dest.bottom - dest.top;
    const bool kept = m_bTextImages && pDC->Surface() && !pDC->IsPrinting() && w > 0 && h > 0 &&
                      w <= INT32_MAX && h <= INT32_MAX && dest.left >= INT32_MIN &&
                      dest.left <= INT32_MAX && dest.top >= INT32_MIN && dest.top <= INT32_MAX;
    if (kept && m_texts.Draw(pDC, TextImageKey(item, w, h), static_cast<int>(dest.left),
                             static_cast<int>(dest.top), static_cast<int>(w), static_cast<int>(h),
                             [&](CDC* pBoxDC, int bw, int bh) {
                                 DrawText(item, pBoxDC, Rect64{0, 0, bw, bh});
                             }))
        return;
    DrawText(item, pDC, dest);
}

bool CPageDrawing::DrawForPrinter(const PageItem& item, CDC* pDC, const Rect64& dest) {
    // The printer gets the picture decoded again at full size; the
    // temporary buffer lives only until its DibImage exists.
    const std::string path = PrintSourcePath(item, m_pDoc);
    DecodedPicture full;
    if (m_printDecoder && m_nPrinting == 1 && m_nextPrint < m_printPaths.size() &&
        m_printPaths[m_nextPrint] == path) {
        full = m_printDecoder->TakeNext();
        ++m_nextPrint;
    } else if (!path.empty()) {
        int orientation = PictureOrientation(item);
        full.ok =
            ReadJpegPicture(path.c_str(), &full.pixels, &full.width, &full.height, 1, &orientation);
    }
    // Once this picture's full-size pixels are freed, the next one may
    // decode while this one goes to the printer.
    const auto giveBack = [this] {
        if (m_printDecoder)
            m_printDecoder->GiveBack();
    };
    if (full.ok) {
        DrawPicture(pDC, m_bSmooth, full.pixels, full.width, full.height, dest,
                    FullSizeSource(item.rcSource, full.width, full.height), true, giveBack);
        return true;
    }
    giveBack();
    // Not to be had at full size: the half-size pixels with their own crop.
    const std::string name = item.szPath[0] ? item.szPath : item.szRelPath;
    if (std::find(m_reduced.begin(), m_reduced.end(), name) == m_reduced.end())
        m_reduced.push_back(name);
    return false;
}

bool CPageDrawing::DrawFromCopy(const PageItem& item, CDC* pDC, const Rect64& place) {
    const int w = item.nSrcWidth, h = item.nSrcHeight;
    const RECT& crop = item.rcSource;
    // Only a picture handed over whole: its place and crop are the copy's.
    if (!pDC->Surface() || pDC->IsPrinting() || !WholePictureTransfer(place, crop, w, h))
        return false;
    const long long extents[4] = {place.right - place.left, place.bottom - place.top,
                                  static_cast<long long>(crop.right) - crop.left,
                                  static_cast<long long>(crop.bottom) - crop.top};
    for (long long e : extents)
        if (e <= 0 || e > INT32_MAX)
            return false;
    if (place.left < INT32_MIN || place.left > INT32_MAX || place.top < INT32_MIN ||
        place.top > INT32_MAX)
        return false;
    const int cropW = static_cast<int>(extents[2]), cropH = static_cast<int>(extents[3]);
    // The source rows count upward from the bottom, as in the transfer.
    const PixelRect part{crop.left, h - crop.top - cropH, cropW, cropH};
    pDC->SetStretchBltMode(HALFTONE);
    return m_copies.Draw(pDC, item, part,
                         PixelRect{static_cast<int>(place.left), static_cast<int>(place.top),
                                   static_cast<int>(extents[0]), static_cast<int>(extents[1])});
}

void CPageDrawing::DrawPage(CDC* pDC, float fScale) {
    if (!m_pDoc)
        return;
    const bool printing = pDC->IsPrinting();
    if (printing)
        BeginPrinting();
    for (int i : m_pDoc->GetDrawingOrder()) {
        if (!pDC->QueryAbort())
            break;
        DrawPageItem(m_pDoc->ItemAt(i), pDC, fScale);
    }
    if (printing)
        EndPrinting();
}

void CPageDrawing::BeginPrinting() {
    if (m_nPrinting++ > 0 || !m_pDoc)
        return;
    std::vector<int> orientations;
    for (int i : m_pDoc->GetDrawingOrder())
        if (m_pDoc->ItemAt(i).nKind == ITEM_PICTURE) {
            m_printPaths.push_back(PrintSourcePath(m_pDoc->ItemAt(i), m_pDoc));
            orientations.push_back(PictureOrientation(m_pDoc->ItemAt(i)));
        }
    // One full-size picture held at a time: the next decodes once the one
    // being printed has been given back.
    m_printDecoder = std::make_unique<CPictureDecoder>(m_printPaths, 1, 1, orientations);
}

void CPageDrawing::EndPrinting() {
    if (m_nPrinting == 0 || --m_nPrinting > 0)
        return;
    m_printDecoder.reset();
    m_printPaths.clear();
    m_nextPrint = 0;
}

std::vector<std::string> CPageDrawing::TakeReducedPictures() {
    std::vector<std::string> names;
    names.swap(m_reduced);
    return names;
}
