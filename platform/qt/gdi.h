// Device contexts and drawing objects with the Windows semantics the program
// relies on, drawn into QImage surfaces (windows, memory bitmaps) or through a
// QPainter on a printer.
#pragma once

#include "base/resample.h"
#include "platform/win/wintypes.h"

#include <QFont>
#include <QImage>
#include <QRegion>

#include <functional>
#include <memory>

class QPainter;
class QPaintDevice;
class CWnd;

// GetDeviceCaps indices.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int LOGPIXELSX = 88;

constexpr int MM_TEXT = 1;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr int BLACKONWHITE = 1;
constexpr int COLORONCOLOR = 3;
// Stretching that averages the source pixels each target pixel covers (and
// interpolates when enlarging), where the others pick one source pixel.
constexpr int HALFTONE = 4;

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

constexpr int PS_SOLID = 0;
constexpr int PS_DOT = 2;

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;

constexpr UINT DT_CENTER = 0x0001;

constexpr UINT DIB_RGB_COLORS = 0;

constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

class CDC;

class CGdiObject {
public:
    virtual ~CGdiObject() = default;
    virtual BOOL DeleteObject() = 0;
};

// A device-dependent bitmap: 32-bit pixels, selectable into a memory DC.
class CBitmap : public CGdiObject {
public:
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    BOOL DeleteObject() override;
    bool IsNull() const { return m_image.isNull(); }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }

    // Test hook: the next CreateCompatibleBitmap fails as if out of memory.
    static void FailNextCreate(int count = 1);

private:
    QImage m_image;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int nStyle, int nWidth, COLORREF crColor) { CreatePen(nStyle, nWidth, crColor); }
    BOOL CreatePen(int nStyle, int nWidth, COLORREF crColor);
    BOOL DeleteObject() override;
    int m_nStyle = PS_SOLID;
    int m_nWidth = 1;
    COLORREF m_crColor = 0;
};

// The largest font height in pixels: above any page, export or printer target.
constexpr int kMaxFontPixels = 32768;

class CFont : public CGdiObject {
public:
    // nHeight < 0 asks for a character (em) height of -nHeight pixels, internal
    // leading excluded; nHeight > 0 for a cell height.
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                    LPCSTR lpszFacename);
    BOOL DeleteObject() override;
    const QFont& Font() const { return m_font; }
    int m_nWeight = FW_NORMAL;

private:
    QFont m_font;
};

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(const RECT* rc) {
        return CreateRectRgn(rc->left, rc->top, rc->right, rc->bottom);
    }
    BOOL PtInRegion(int x, int y) const;
    BOOL DeleteObject() override;
    QRegion m_region;
};

// A device context. A DC draws either into a QImage surface (a window's
// retained surface or the bitmap selected into a memory DC), pixel by pixel
// where raster operations matter, or through a QPainter onto a printer.
class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // A memory DC compatible with pDC (or the screen when null), holding a
    // 1 x 1 default bitmap until another is selected.
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    bool IsValid() const { return m_bValid; }

    BOOL IsPrinting() const { return m_bPrinting; }
    int GetDeviceCaps(int nIndex) const;
    int SetMapMode(int nMapMode);
    int GetMapMode() const { return m_nMapMode; }

    CBitmap* SelectObject(CBitmap* pBitmap);
    CPen* SelectObject(CPen* pPen);
    CFont* SelectObject(CFont* pFont);

    // Clipping: pRgn null removes the clip region.
    int SelectClipRgn(CRgn* pRgn);
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int GetClipBox(RECT* rc) const;

    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwRop);
    int SetStretchBltMode(int nStretchMode);
    int GetStretchBltMode() const { return m_nStretchMode; }
    // The filter of HALFTONE stretching: area averaging (the default, for
    // speed) or a Lanczos-3 one (for finished pictures).
    void SetHalftoneFilter(ResampleFilter filter) { m_halftoneFilter = filter; }

    // Transfers from a packed bottom-up 24-bit DIB; source y counts rows upward
    // from the bottom row. Both return the number of scan lines, 0 on failure.
    int SetDIBitsToDevice(int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                          UINT uStartScan, UINT cScanLines, const void* lpvBits,
                          const BITMAPINFO* lpbmi, UINT fuColorUse);
    int StretchDIBits(int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                      int nSrcWidth, int nSrcHeight, const void* lpBits, const BITMAPINFO* lpbmi,
                      UINT iUsage, DWORD dwRop);

    // The same transfer straight from a PictureBuffer of width x height (rows
    // top to bottom, red-green-blue, no padding): the pixels StretchDIBits
    // gives from the DibImage made of it, touching only the source pixels the
    // clipped destination shows (a printer still takes the whole source part).
    // In HALFTONE mode the pixels are filtered instead of picked, from the same
    // source part onto the same destination.
    int StretchPicture(int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                       int nSrcWidth, int nSrcHeight, const unsigned char* pixels, int width,
                       int height);

    POINT MoveTo(int x, int y);
    BOOL LineTo(int x, int y);

    COLORREF SetTextColor(COLORREF crColor);
    int SetBkMode(int nBkMode);
    // Lines break only at line breaks; the first line starts at the top.
    int DrawText(const char* lpszString, int nCount, RECT* lpRect, UINT nFormat);

    // The framework's tracking rectangle: an exclusive-or frame filled with a
    // 50 % halftone pattern, size.cx / size.cy thick, inside rc. Drawing it
    // again at the same place restores every pixel. A previous rectangle, when
    // given, is erased first.
    void DrawDragRect(const RECT* lpRect, SIZE size, const RECT* lpRectLast, SIZE sizeLast);

    COLORREF GetPixel(int x, int y) const;

    // Makes the DC answer for a device of these metrics (print preview pages,
    // and printers simulated in tests).
    void SetDeviceCaps(int horzRes, int vertRes, int logPixelsX, int logPixelsY);

    // Printing jobs: the abort procedure answers whether the job goes on;
    // QueryAbort asks it (TRUE, go on, without one).
    void SetAbortProc(std::function<bool()> proc) { m_abortProc = std::move(proc); }
    BOOL QueryAbort() const { return m_abortProc ? m_abortProc() : TRUE; }

    // Draws image with its top left corner at (x, y), within the clip.
    void DrawImage(int x, int y, const QImage& image);
    // Draws the source part of image into dest, scaled (smoothly in HALFTONE
    // mode), within the clip.
    void DrawImage(const QRect& dest, const QImage& image, const QRectF& source);

    // The image this DC draws into, or null for a printer.
    QImage* Surface() const { return m_pSurface; }

protected:
    // For derived DCs: draw into surface (which must outlive the DC).
    void AttachSurface(QImage* surface) { m_pSurface = surface; }
    // For printer DCs: draw through painter; caps answer the printer's values.
    void AttachPainter(QPainter* painter) { m_pPainter = painter; }
    void SetPrinting(bool printing) { m_bPrinting = printing; }
    void SetValid() { m_bValid = true; }
    void SetClip(const QRegion& region, bool clipped);

    struct Caps {
        int horzRes = 0, vertRes = 0, logPixelsX = 96, logPixelsY = 96;
    };
    Caps m_caps;
    bool m_bCapsSet = false; // otherwise the screen's

    friend class CWnd;

private:
    QRect DeviceBounds() const;
    QRegion EffectiveClip() const; // in device pixels
    void FillRectRop(const QRect& r, DWORD rop);
    void PaintWith(const std::function<void(QPainter&)>& draw);
    int TransferDib(int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
                    int hSrc, const void* bits, const BITMAPINFO* bmi);
    template <class Source>
    int TransferPixels(int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
                       int hSrc, int W, int H, const Source& pixel);

    QImage* m_pSurface = nullptr;
    QPainter* m_pPainter = nullptr;
    bool m_bValid = false;
    bool m_bPrinting = false;
    bool m_bMemory = false;
    int m_nMapMode = MM_TEXT;
    int m_nStretchMode = BLACKONWHITE;
    ResampleFilter m_halftoneFilter = ResampleFilter::Area;
    QRegion m_clip;
    bool m_bClipped = false;
    CBitmap* m_pBitmap = nullptr;
    std::unique_ptr<CBitmap> m_defaultBitmap;
    CPen m_defaultPen;
    CPen* m_pPen = nullptr;
    CFont m_defaultFont;
    CFont* m_pFont = nullptr;
    COLORREF m_crText = 0;
    int m_nBkMode = OPAQUE;
    POINT m_ptCurrent{0, 0};
    std::function<bool()> m_abortProc;

    static int s_failNextCreateDC;
    friend void FailNextCreateCompatibleDC(int count);
};

// Test hook: the next CreateCompatibleDC calls fail.
void FailNextCreateCompatibleDC(int count = 1);

// A DC for a window's whole client area.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

private:
    CWnd* m_pWnd;
};

// A DC limited to the window's update region, which it validates; drawing
// outside a paint message is clipped to what was invalid when it began.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    RECT m_rcPaint{};

private:
    CWnd* m_pWnd;
};

// A DC that draws into an image but answers as a printer: used for print
// preview pages and to test the printer paths without a printer.
class CImagePrinterDC : public CDC {
public:
    CImagePrinterDC(QImage* page, int logPixelsX, int logPixelsY);
};

// Bits of a bitmap as a DIB: 24 bits per pixel, top-down when biHeight < 0.
// Returns the number of scan lines copied, 0 on failure.
int GetDIBits(CDC* pDC, CBitmap* pBitmap, UINT uStartScan, UINT cScanLines, void* lpvBits,
              BITMAPINFO* lpbmi, UINT uUsage);

// The screen's metrics for window and memory DCs: its available geometry,
// unless fixed from outside (tests, reproducible runs).
void SetScreenMetricsOverride(int width, int height);
void ClearScreenMetricsOverride();
QSize ScreenMetrics();

// Colour conversions between COLORREF (0x00BBGGRR) and QImage RGB32.
inline QRgb ToQRgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}
inline COLORREF FromQRgb(QRgb c) {
    return RGB(static_cast<BYTE>(qRed(c)), static_cast<BYTE>(qGreen(c)),
               static_cast<BYTE>(qBlue(c)));
}
