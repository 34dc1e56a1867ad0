#include "platform/qt/gdi.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int s_failNextBitmap = 0;
bool s_screenOverride = false;
QSize s_screenSize;

QRect NormalRect(int x, int y, int w, int h) {
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    return QRect(x, y, w, h);
}

// A RECT as a QRect; coordinates are held within +-2^29, so that every width,
// height and sum Qt forms stays in the int range (anything that far out lies
// beyond any target).
QRect FromRECT(const RECT& rc) {
    static constexpr long long kFar = 1 << 29;
    auto hold = [](LONG v) { return static_cast<int>(std::clamp<long long>(v, -kFar, kFar)); };
    const int l = hold(rc.left), t = hold(rc.top), r = hold(rc.right), b = hold(rc.bottom);
    return QRect(l, t, r - l, b - t);
}

// Nearest-pixel mapping used by every stretching transfer: the source pixel
// under the centre of destination pixel d of n, for a source extent of m.
inline int Nearest(int d, int n, int m) {
    return static_cast<int>((2ll * d + 1) * m / (2ll * n));
}

// The source column of every destination column of part, or -1 outside the
// source's width: the mapping of a transfer from xSrc, wSrc wide, to xDest,
// wDest wide (one to one when the widths agree).
void SourceColumns(const QRect& part, int xDest, int wDest, int xSrc, int wSrc, int width,
                   std::vector<int>& columns) {
    columns.resize(static_cast<std::size_t>(part.width()));
    for (int dx = part.left(); dx <= part.right(); ++dx) {
        const int sx = xSrc + (wDest == wSrc ? dx - xDest : Nearest(dx - xDest, wDest, wSrc));
        columns[static_cast<std::size_t>(dx - part.left())] = sx >= 0 && sx < width ? sx : -1;
    }
}

DWORD DibRowBytes(LONG width, WORD bitCount) {
    return static_cast<DWORD>(((static_cast<std::int64_t>(width) * bitCount + 31) / 32) * 4);
}

} // namespace

int CDC::s_failNextCreateDC = 0;

void FailNextCreateCompatibleDC(int count) {
    CDC::s_failNextCreateDC = count;
}

void SetScreenMetricsOverride(int width, int height) {
    s_screenOverride = true;
    s_screenSize = QSize(width, height);
}

void ClearScreenMetricsOverride() {
    s_screenOverride = false;
}

QSize ScreenMetrics() {
    if (s_screenOverride)
        return s_screenSize;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->availableGeometry().size();
    return QSize(1024, 768);
}

// ---- objects ---------------------------------------------------------------

void CBitmap::FailNextCreate(int count) {
    s_failNextBitmap = count;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int nWidth, int nHeight) {
    if (s_failNextBitmap > 0) {
        --s_failNextBitmap;
        return FALSE;
    }
    if (nWidth <= 0 || nHeight <= 0)
        return FALSE;
    m_image = QImage(nWidth, nHeight, QImage::Format_RGB32);
    if (m_image.isNull())
        return FALSE;
    m_image.fill(Qt::black);
    return TRUE;
}

BOOL CBitmap::DeleteObject() {
    m_image = QImage();
    return TRUE;
}

BOOL CPen::CreatePen(int nStyle, int nWidth, COLORREF crColor) {
    m_nStyle = nStyle;
    m_nWidth = nWidth < 1 ? 1 : nWidth;
    m_crColor = crColor;
    return TRUE;
}

BOOL CPen::DeleteObject() {
    return TRUE;
}

BOOL CFont::CreateFont(int nHeight, int, int, int, int nWeight, BYTE bItalic, BYTE bUnderline,
                       BYTE cStrikeOut, BYTE, BYTE, BYTE, BYTE, BYTE, LPCSTR lpszFacename) {
    m_font = QFont();
    m_font.setFamily(QString::fromUtf8(lpszFacename ? lpszFacename : ""));
    m_font.setStyleHint(QFont::SansSerif);
    // Heights beyond any target are held at kMaxFontPixels: the glyphs would
    // only be cut by the target, and Qt's text metrics overflow far beyond it.
    int h = static_cast<int>(std::min<long long>(std::llabs(nHeight), kMaxFontPixels));
    if (h == 0)
        h = 13;
    // Qt's pixel size is the em height, which is what a negative height asks for.
    m_font.setPixelSize(h);
    if (nHeight > 0) {
        // A cell height includes the internal leading: shrink to fit.
        QFontMetrics fm(m_font);
        if (fm.height() > 0)
            m_font.setPixelSize(std::max(1, static_cast<int>(1ll * h * h / fm.height())));
    }
    m_nWeight = nWeight == 0 ? FW_NORMAL : nWeight;
    m_font.setWeight(m_nWeight >= 600 ? QFont::Bold : QFont::Normal);
    m_font.setItalic(bItalic != 0);
    m_font.setUnderline(bUnderline != 0);
    m_font.setStrikeOut(cStrikeOut != 0);
    return TRUE;
}

BOOL CFont::DeleteObject() {
    m_font = QFont();
    return TRUE;
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) {
    m_region = QRegion(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                             QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1)));
    return TRUE;
}

BOOL CRgn::PtInRegion(int x, int y) const {
    return m_region.contains(QPoint(x, y));
}

BOOL CRgn::DeleteObject() {
    m_region = QRegion();
    return TRUE;
}

// ---- device context --------------------------------------------------------

CDC::CDC() {
    m_defaultFont.CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                             "Liberation Sans");
    m_pPen = &m_defaultPen;
    m_pFont = &m_defaultFont;
}

CDC::~CDC() = default;

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    if (s_failNextCreateDC > 0) {
        --s_failNextCreateDC;
        return FALSE;
    }
    m_defaultBitmap = std::make_unique<CBitmap>();
    m_defaultBitmap->Image() = QImage(1, 1, QImage::Format_RGB32);
    m_defaultBitmap->Image().fill(Qt::black);
    m_pBitmap = m_defaultBitmap.get();
    m_pSurface = &m_pBitmap->Image();
    m_bMemory = true;
    m_bValid = true;
    if (pDC && pDC->m_bCapsSet) {
        m_caps = pDC->m_caps;
        m_bCapsSet = true;
    }
    return TRUE;
}

BOOL CDC::DeleteDC() {
    m_pSurface = nullptr;
    m_pBitmap = nullptr;
    m_defaultBitmap.reset();
    m_bValid = false;
    return TRUE;
}

int CDC::GetDeviceCaps(int nIndex) const {
    Caps c = m_caps;
    if (!m_bCapsSet) {
        QSize s = ScreenMetrics();
        c.horzRes = s.width();
        c.vertRes = s.height();
    }
    switch (nIndex) {
    case HORZRES:
        return c.horzRes;
    case VERTRES:
        return c.vertRes;
    case LOGPIXELSX:
        return c.logPixelsX;
    default:
        return 0;
    }
}

void CDC::SetDeviceCaps(int horzRes, int vertRes, int logPixelsX, int logPixelsY) {
    m_caps.horzRes = horzRes;
    m_caps.vertRes = vertRes;
    m_caps.logPixelsX = logPixelsX;
    m_caps.logPixelsY = logPixelsY;
    m_bCapsSet = true;
}

int CDC::SetMapMode(int nMapMode) {
    int old = m_nMapMode;
    m_nMapMode = nMapMode; // only the text mode (one unit per pixel) is used
    return old;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    if (!m_bMemory || !pBitmap)
        return nullptr;
    CBitmap* old = m_pBitmap;
    m_pBitmap = pBitmap;
    m_pSurface = &pBitmap->Image();
    return old;
}

CPen* CDC::SelectObject(CPen* pPen) {
    CPen* old = m_pPen;
    m_pPen = pPen ? pPen : &m_defaultPen;
    return old;
}

CFont* CDC::SelectObject(CFont* pFont) {
    CFont* old = m_pFont;
    m_pFont = pFont ? pFont : &m_defaultFont;
    return old;
}

void CDC::SetClip(const QRegion& region, bool clipped) {
    m_clip = region;
    m_bClipped = clipped;
}

int CDC::SelectClipRgn(CRgn* pRgn) {
    if (!pRgn)
        SetClip(QRegion(), false);
    else
        SetClip(pRgn->m_region, true);
    RECT rc;
    return GetClipBox(&rc);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
    QRegion r(NormalRect(x1, y1, x2 - x1, y2 - y1));
    SetClip(m_bClipped ? m_clip.intersected(r) : r, true);
    RECT rc;
    return GetClipBox(&rc);
}

QRect CDC::DeviceBounds() const {
    if (m_pSurface)
        return m_pSurface->rect();
    if (m_pPainter && m_pPainter->device())
        return QRect(0, 0, m_pPainter->device()->width(), m_pPainter->device()->height());
    return QRect();
}

QRegion CDC::EffectiveClip() const {
    QRegion bounds(DeviceBounds());
    return m_bClipped ? bounds.intersected(m_clip) : bounds;
}

int CDC::GetClipBox(RECT* rc) const {
    QRegion clip = EffectiveClip();
    QRect b = clip.boundingRect();
    if (clip.isEmpty()) {
        *rc = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    *rc = RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return clip.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void CDC::PaintWith(const std::function<void(QPainter&)>& draw) {
    QRegion clip = EffectiveClip();
    if (clip.isEmpty())
        return;
    if (m_pPainter) {
        m_pPainter->save();
        m_pPainter->setClipRegion(clip);
        draw(*m_pPainter);
        m_pPainter->restore();
        return;
    }
    if (!m_pSurface || m_pSurface->isNull())
        return;
    QPainter p(m_pSurface);
    p.setClipRegion(clip);
    draw(p);
}

void CDC::FillRectRop(const QRect& r, DWORD rop) {
    QRegion area = EffectiveClip().intersected(r);
    if (area.isEmpty())
        return;
    if (!m_pSurface) {
        if (rop == WHITENESS || rop == BLACKNESS)
            PaintWith(
                [&](QPainter& p) { p.fillRect(r, rop == WHITENESS ? Qt::white : Qt::black); });
        return;
    }
    for (const QRect& part : area) {
        for (int y = part.top(); y <= part.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(m_pSurface->scanLine(y));
            for (int x = part.left(); x <= part.right(); ++x) {
                switch (rop) {
                case WHITENESS:
                    row[x] = 0xFFFFFFFF;
                    break;
                case BLACKNESS:
                    row[x] = 0xFF000000;
                    break;
                default:
                    break;
                }
            }
        }
    }
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
    if (!m_bValid)
        return FALSE;
    FillRectRop(NormalRect(x, y, nWidth, nHeight), dwRop);
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop) {
    if (!m_bValid)
        return FALSE;
    if (dwRop != SRCCOPY) {
        FillRectRop(NormalRect(x, y, nWidth, nHeight), dwRop);
        return TRUE;
    }
    return StretchBlt(x, y, nWidth, nHeight, pSrcDC, xSrc, ySrc, nWidth, nHeight, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop) {
    if (!m_bValid || !pSrcDC || !pSrcDC->m_pSurface || dwRop != SRCCOPY)
        return FALSE;
    if (nWidth <= 0 || nHeight <= 0 || nSrcWidth <= 0 || nSrcHeight <= 0)
        return FALSE;
    const QImage& src = *pSrcDC->m_pSurface;
    const QRect dest(x, y, nWidth, nHeight);
    if (!m_pSurface) {
        // The whole source image is shared rather than copied.
        const QRect from(xSrc, ySrc, nSrcWidth, nSrcHeight);
        const QImage part = from == src.rect() ? src : src.copy(from);
        PaintWith([&](QPainter& p) {
            p.setRenderHint(QPainter::SmoothPixmapTransform, m_nStretchMode == HALFTONE);
            p.drawImage(dest, part);
        });
        return TRUE;
    }
    // Copy through a temporary when source and target are the same image.
    QImage copy;
    const QImage* from = &src;
    if (&src == m_pSurface) {
        copy = src.copy();
        from = &copy;
    }
    QRegion area = EffectiveClip().intersected(dest);
    const QRect srcBounds = from->rect();
    std::vector<int> columns;
    for (const QRect& part : area) {
        SourceColumns(part, x, nWidth, xSrc, nSrcWidth, srcBounds.width(), columns);
        for (int dy = part.top(); dy <= part.bottom(); ++dy) {
            int sy = ySrc + Nearest(dy - y, nHeight, nSrcHeight);
            if (sy < 0 || sy >= srcBounds.height())
                continue;
            const auto* srow = reinterpret_cast<const QRgb*>(from->constScanLine(sy));
            auto* drow = reinterpret_cast<QRgb*>(m_pSurface->scanLine(dy)) + part.left();
            for (std::size_t i = 0; i < columns.size(); ++i)
                if (columns[i] >= 0)
                    drow[i] = srow[columns[i]];
        }
    }
    return TRUE;
}

int CDC::SetStretchBltMode(int nStretchMode) {
    int old = m_nStretchMode;
    m_nStretchMode = nStretchMode;
    return old;
}

namespace {

// A source of pixels addressed as a bottom-up DIB is: column sx, row b counted
// upward from the bottom row. Shared by DIB transfers and PictureBuffer
// transfers, so that both map every pixel the same way.
struct DibSource {
    const unsigned char* base;
    DWORD rowBytes;
    int height;
    bool topDown;
    QRgb operator()(int sx, int b) const {
        const unsigned char* p =
            base + static_cast<std::size_t>(topDown ? height - 1 - b : b) * rowBytes + 3 * sx;
        return qRgb(p[2], p[1], p[0]);
    }
};

// A PictureBuffer: rows top to bottom, red-green-blue, no padding.
struct PictureSource {
    const unsigned char* base;
    int width;
    int height;
    QRgb operator()(int sx, int b) const {
        const unsigned char* p = base + (static_cast<std::size_t>(height - 1 - b) * width + sx) * 3;
        return qRgb(p[0], p[1], p[2]);
    }
};

} // namespace

template <class Source>
int CDC::TransferPixels(int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
                        int hSrc, int W, int H, const Source& pixel) {
    const QRect dest(xDest, yDest, wDest, hDest);
    if (!m_pSurface) {
        // Printer: build the upright source part and let the painter scale it.
        QImage part(wSrc, hSrc, QImage::Format_RGB32);
        part.fill(Qt::white);
        for (int r = 0; r < hSrc; ++r) {
            int b = ySrc + hSrc - 1 - r;
            if (b < 0 || b >= H)
                continue;
            auto* out = reinterpret_cast<QRgb*>(part.scanLine(r));
            for (int c = 0; c < wSrc; ++c) {
                int sx = xSrc + c;
                if (sx >= 0 && sx < W)
                    out[c] = pixel(sx, b);
            }
        }
        PaintWith([&](QPainter& p) {
            p.setRenderHint(QPainter::SmoothPixmapTransform, m_nStretchMode == HALFTONE);
            p.drawImage(dest, part);
        });
        return hSrc;
    }
    QRegion area = EffectiveClip().intersected(dest);
    std::vector<int> columns;
    for (const QRect& part : area) {
        SourceColumns(part, xDest, wDest, xSrc, wSrc, W, columns);
        for (int dy = part.top(); dy <= part.bottom(); ++dy) {
            // Destination rows run downward while source rows count upward.
            int b = ySrc + hSrc - 1 - Nearest(dy - yDest, hDest, hSrc);
            if (b < 0 || b >= H)
                continue;
            auto* drow = reinterpret_cast<QRgb*>(m_pSurface->scanLine(dy)) + part.left();
            for (std::size_t i = 0; i < columns.size(); ++i)
                if (columns[i] >= 0)
                    drow[i] = pixel(columns[i], b);
        }
    }
    return hSrc;
}

int CDC::TransferDib(int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
                     int hSrc, const void* bits, const BITMAPINFO* bmi) {
    if (!m_bValid || !bits || !bmi || wDest <= 0 || hDest <= 0 || wSrc <= 0 || hSrc <= 0)
        return 0;
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    if (h.biBitCount != 24 || h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight == 0)
        return 0;
    const int W = h.biWidth;
    const bool topDown = h.biHeight < 0;
    const int H = topDown ? -h.biHeight : h.biHeight;
    const DibSource source{static_cast<const unsigned char*>(bits), DibRowBytes(W, 24), H, topDown};
    return TransferPixels(xDest, yDest, wDest, hDest, xSrc, ySrc, wSrc, hSrc, W, H, source);
}

int CDC::StretchPicture(int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                        int nSrcWidth, int nSrcHeight, const unsigned char* pixels, int width,
                        int height) {
    if (!m_bValid || !pixels || width <= 0 || height <= 0 || nDestWidth <= 0 || nDestHeight <= 0 ||
        nSrcWidth <= 0 || nSrcHeight <= 0)
        return 0;
    if (m_nStretchMode == HALFTONE && m_pSurface) {
        // Source y counts upward from the bottom row, as for a DIB.
        const PixelRect part{xSrc, height - ySrc - nSrcHeight, nSrcWidth, nSrcHeight};
        const QRect dest(xDest, yDest, nDestWidth, nDestHeight);
        const QRegion area = EffectiveClip().intersected(dest);
        const QRect box = area.boundingRect();
        if (box.isEmpty())
            return nSrcHeight;
        const PixelRect clip{box.x() - xDest, box.y() - yDest, box.width(), box.height()};
        const RgbPicture picture{pixels, width, height};
        const auto scale = [&](std::uint32_t* out, std::size_t stride) {
            return ResamplePart(picture, part, nDestWidth, nDestHeight, clip, out, stride,
                                m_halftoneFilter);
        };
        // A rectangle of the surface is written in place; any other shape
        // through a copy drawn within the clip.
        if (area.rectCount() == 1 && m_pSurface->format() == QImage::Format_RGB32) {
            const std::size_t stride = static_cast<std::size_t>(m_pSurface->bytesPerLine()) / 4;
            auto* first = reinterpret_cast<std::uint32_t*>(m_pSurface->scanLine(box.y())) + box.x();
            return scale(first, stride) ? nSrcHeight : 0;
        }
        QImage scaled(box.size(), QImage::Format_RGB32);
        if (scaled.isNull() || !scale(reinterpret_cast<std::uint32_t*>(scaled.bits()),
                                      static_cast<std::size_t>(scaled.bytesPerLine()) / 4))
            return 0;
        DrawImage(box.x(), box.y(), scaled);
        return nSrcHeight;
    }
    const PictureSource source{pixels, width, height};
    return TransferPixels(xDest, yDest, nDestWidth, nDestHeight, xSrc, ySrc, nSrcWidth, nSrcHeight,
                          width, height, source);
}

void CDC::DrawImage(int x, int y, const QImage& image) {
    DrawImage(QRect(QPoint(x, y), image.size()), image, QRectF(image.rect()));
}

void CDC::DrawImage(const QRect& dest, const QImage& image, const QRectF& source) {
    if (!m_bValid || image.isNull())
        return;
    PaintWith([&](QPainter& p) {
        // A printer scales what it is given; it is asked to do so smoothly.
        p.setRenderHint(QPainter::SmoothPixmapTransform, m_nStretchMode == HALFTONE);
        if (source == QRectF(image.rect()) && dest.size() == image.size())
            p.drawImage(dest.topLeft(), image);
        else
            p.drawImage(QRectF(dest), image, source);
    });
}

int CDC::SetDIBitsToDevice(int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                           UINT uStartScan, UINT cScanLines, const void* lpvBits,
                           const BITMAPINFO* lpbmi, UINT) {
    // The bits hold cScanLines rows from uStartScan; only the whole-image form is used.
    if (uStartScan != 0 || !lpbmi)
        return 0;
    const LONG H =
        lpbmi->bmiHeader.biHeight < 0 ? -lpbmi->bmiHeader.biHeight : lpbmi->bmiHeader.biHeight;
    if (cScanLines < static_cast<UINT>(H) && lpbmi->bmiHeader.biHeight > 0)
        return 0;
    int n = TransferDib(xDest, yDest, static_cast<int>(w), static_cast<int>(h), xSrc, ySrc,
                        static_cast<int>(w), static_cast<int>(h), lpvBits, lpbmi);
    return n ? static_cast<int>(cScanLines) : 0;
}

int CDC::StretchDIBits(int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                       int nSrcWidth, int nSrcHeight, const void* lpBits, const BITMAPINFO* lpbmi,
                       UINT, DWORD dwRop) {
    if (dwRop != SRCCOPY)
        return 0;
    return TransferDib(xDest, yDest, nDestWidth, nDestHeight, xSrc, ySrc, nSrcWidth, nSrcHeight,
                       lpBits, lpbmi);
}

POINT CDC::MoveTo(int x, int y) {
    POINT old = m_ptCurrent;
    m_ptCurrent = POINT{x, y};
    return old;
}

BOOL CDC::LineTo(int x, int y) {
    if (!m_bValid)
        return FALSE;
    const POINT from = m_ptCurrent;
    m_ptCurrent = POINT{x, y};
    const QRgb color = ToQRgb(m_pPen->m_crColor);
    const bool dotted = m_pPen->m_nStyle == PS_DOT;
    const bool axis = from.x == x || from.y == y;
    if (m_pSurface && axis && m_pPen->m_nWidth == 1) {
        // Cosmetic line: every pixel from the start up to, not including, the end;
        // dots are three pixels on and three off, counted from the start.
        QRegion clip = EffectiveClip();
        const int dx = (x > from.x) - (x < from.x);
        const int dy = (y > from.y) - (y < from.y);
        const int n = std::max(std::abs(x - from.x), std::abs(y - from.y));
        const QRect bounds = clip.boundingRect();
        const bool simple = clip.rectCount() == 1;
        for (int i = 0; i < n; ++i) {
            if (dotted && (i / 3) % 2 == 1)
                continue;
            int px = from.x + i * dx, py = from.y + i * dy;
            if (simple ? bounds.contains(px, py) : clip.contains(QPoint(px, py)))
                reinterpret_cast<QRgb*>(m_pSurface->scanLine(py))[px] = color;
        }
        return TRUE;
    }
    PaintWith([&](QPainter& p) {
        QPen pen(QColor::fromRgb(color));
        pen.setWidth(m_pPen->m_nWidth);
        pen.setStyle(dotted ? Qt::DotLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(QPointF(from.x + 0.5, from.y + 0.5), QPointF(x + 0.5, y + 0.5));
    });
    return TRUE;
}

COLORREF CDC::SetTextColor(COLORREF crColor) {
    COLORREF old = m_crText;
    m_crText = crColor;
    return old;
}

int CDC::SetBkMode(int nBkMode) {
    int old = m_nBkMode;
    m_nBkMode = nBkMode;
    return old;
}

int CDC::DrawText(const char* lpszString, int nCount, RECT* lpRect, UINT nFormat) {
    if (!m_bValid || !lpszString || !lpRect)
        return 0;
    std::string text = nCount < 0 ? std::string(lpszString) : std::string(lpszString, nCount);
    // Lines end at CR LF, or at a lone CR or LF.
    std::vector<QString> lines;
    {
        std::string cur;
        for (std::size_t i = 0; i < text.size(); ++i) {
            char c = text[i];
            if (c == '\r' || c == '\n') {
                lines.push_back(QString::fromUtf8(cur.c_str()));
                cur.clear();
                if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                    ++i;
            } else {
                cur += c;
            }
        }
        if (!cur.empty() || lines.empty())
            lines.push_back(QString::fromUtf8(cur.c_str()));
    }
    const QFont& font = m_pFont->Font();
    const QRect box = FromRECT(*lpRect);
    int lineHeight = 0;
    PaintWith([&](QPainter& p) {
        p.setFont(font);
        QFontMetrics fm = p.fontMetrics();
        lineHeight = fm.height();
        p.setClipRect(box, Qt::IntersectClip);
        p.setPen(QColor::fromRgb(ToQRgb(m_crText)));
        // Lines wholly outside the target are not drawn (nor measured against
        // it): the painter's text positions have a far smaller range than int.
        const QRect visible = EffectiveClip().boundingRect();
        int y = box.top();
        for (const QString& line : lines) {
            if (y > visible.bottom())
                break;
            if (y + lineHeight <= visible.top()) {
                y += lineHeight;
                continue;
            }
            const int w = fm.horizontalAdvance(line);
            int x = box.left();
            // Centred by rounding down, so that a line keeps its place in
            // its box wherever the box lies.
            if (nFormat & DT_CENTER)
                x = static_cast<int>(
                    std::floor((static_cast<double>(box.left()) + box.right() + 1 - w) / 2));
            if (x > visible.right() || x + w <= visible.left()) {
                y += lineHeight;
                continue;
            }
            p.drawText(QPoint(x, y + fm.ascent()), line);
            y += lineHeight;
        }
    });
    if (lineHeight == 0)
        lineHeight = QFontMetrics(font).height();
    return lineHeight * static_cast<int>(lines.size());
}

void CDC::DrawDragRect(const RECT* lpRect, SIZE size, const RECT* lpRectLast, SIZE sizeLast) {
    if (!m_pSurface)
        return;
    auto frame = [&](const RECT& rc, SIZE sz) {
        QRect r = FromRECT(rc).normalized();
        if (r.isEmpty())
            return;
        const int cx = std::min<int>(sz.cx, (r.width() + 1) / 2);
        const int cy = std::min<int>(sz.cy, (r.height() + 1) / 2);
        // Four strips that never overlap, so each pixel is inverted at most once.
        const QRect strips[4] = {
            QRect(r.left(), r.top(), r.width(), cy),
            QRect(r.left(), r.bottom() + 1 - cy, r.width(), cy),
            QRect(r.left(), r.top() + cy, cx, r.height() - 2 * cy),
            QRect(r.right() + 1 - cx, r.top() + cy, cx, r.height() - 2 * cy),
        };
        QRegion clip = EffectiveClip();
        QRegion done;
        for (const QRect& s : strips) {
            QRegion area = clip.intersected(QRegion(s).subtracted(done));
            done += s;
            for (const QRect& part : area)
                for (int y = part.top(); y <= part.bottom(); ++y) {
                    auto* row = reinterpret_cast<QRgb*>(m_pSurface->scanLine(y));
                    // 50 % halftone: every other pixel, aligned to the device origin.
                    for (int x = part.left() + ((part.left() + y) & 1); x <= part.right(); x += 2)
                        row[x] ^= 0x00FFFFFF;
                }
        }
    };
    if (lpRectLast)
        frame(*lpRectLast, sizeLast);
    frame(*lpRect, size);
}

COLORREF CDC::GetPixel(int x, int y) const {
    if (!m_pSurface || !m_pSurface->rect().contains(x, y))
        return 0xFFFFFFFF;
    return FromQRgb(m_pSurface->pixel(x, y));
}

CImagePrinterDC::CImagePrinterDC(QImage* page, int logPixelsX, int logPixelsY) {
    AttachSurface(page);
    SetPrinting(true);
    SetDeviceCaps(page->width(), page->height(), logPixelsX, logPixelsY);
    SetValid();
}

int GetDIBits(CDC*, CBitmap* pBitmap, UINT uStartScan, UINT cScanLines, void* lpvBits,
              BITMAPINFO* lpbmi, UINT) {
    if (!pBitmap || pBitmap->IsNull() || !lpbmi)
        return 0;
    BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    const QImage& img = pBitmap->Image();
    if (h.biBitCount != 24 || h.biWidth != img.width())
        return 0;
    const bool topDown = h.biHeight < 0;
    const int H = img.height();
    const DWORD rowBytes = DibRowBytes(img.width(), 24);
    h.biSizeImage = rowBytes * static_cast<DWORD>(H);
    if (!lpvBits)
        return H;
    if (uStartScan >= static_cast<UINT>(H))
        return 0;
    const UINT n = std::min<UINT>(cScanLines, static_cast<UINT>(H) - uStartScan);
    auto* out = static_cast<unsigned char*>(lpvBits);
    for (UINT i = 0; i < n; ++i) {
        int y =
            topDown ? static_cast<int>(uStartScan + i) : H - 1 - static_cast<int>(uStartScan + i);
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        unsigned char* o = out + static_cast<std::size_t>(i) * rowBytes;
        for (int x = 0; x < img.width(); ++x) {
            o[3 * x] = static_cast<unsigned char>(qBlue(row[x]));
            o[3 * x + 1] = static_cast<unsigned char>(qGreen(row[x]));
            o[3 * x + 2] = static_cast<unsigned char>(qRed(row[x]));
        }
        std::memset(o + 3 * img.width(), 0, rowBytes - 3 * img.width());
    }
    return static_cast<int>(n);
}
