#include "render/page_export.h"

#include "document/zelbrin_doc.h"
#include "imaging/jpeg_writer.h"
#include "render/page_drawing.h"
#include "platform/win/afxmsgbox.h"

#include <QSysInfo>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

CPageExport::~CPageExport() {
    End();
}

BOOL CPageExport::Begin(CDC* pViewDC, int nWidth, int nHeight) {
    End();
    m_pDC = std::make_unique<CDC>();
    if (!m_pDC->CreateCompatibleDC(pViewDC)) {
        AfxMessageBox("Failed to create export dc", MB_OK);
        m_pDC.reset();
        return FALSE;
    }
    m_pBitmap = std::make_unique<CBitmap>();
    if (!m_pBitmap->CreateCompatibleBitmap(pViewDC, nWidth, nHeight)) {
        AfxMessageBox("Failed to create export bitmap", MB_OK);
        m_pBitmap.reset();
        End();
        return FALSE;
    }
    m_pOldBitmap = m_pDC->SelectObject(m_pBitmap.get());
    m_pDC->SetMapMode(MM_TEXT);
    // A finished picture: smooth pictures take the sharper filter.
    m_pDC->SetHalftoneFilter(ResampleFilter::BoxLanczos3);
    m_pDC->PatBlt(0, 0, nWidth, nHeight, WHITENESS);
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    return TRUE;
}

void CPageExport::DrawItems(const CZelbrinDoc& doc, float fScale) {
    if (!m_pBitmap)
        return;
    CPageDrawing drawing(&doc);
    drawing.SetFullSizeWhenEnlarged(true);
    drawing.SetPlaceholdersShown(false);
    drawing.DrawPage(m_pDC.get(), fScale);
}

BOOL CPageExport::ReadPixels(std::vector<unsigned char>& rgb) {
    if (!m_pBitmap)
        return FALSE;
    const int W = m_nWidth, H = m_nHeight;
    try {
        rgb.assign(static_cast<std::size_t>(W) * H * 3, 0);
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Allocate buffer FAILED", MB_OK);
        return FALSE;
    }
    // The header first, as the DIB of the bitmap describes itself; then 24-bit top-down rows.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colour;
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = W;
    info.header.biHeight = H;
    info.header.biBitCount = 24;
    auto* bmi = reinterpret_cast<BITMAPINFO*>(&info);
    if (GetDIBits(m_pDC.get(), m_pBitmap.get(), 0, static_cast<UINT>(H), nullptr, bmi,
                  DIB_RGB_COLORS) == 0) {
        AfxMessageBox("GetDIBits FAILED", MB_OK);
        return FALSE;
    }
    info.header.biPlanes = 1;
    info.header.biBitCount = 24;
    info.header.biCompression = BI_RGB;
    info.header.biSizeImage = 0;
    info.header.biClrUsed = 0;
    info.header.biClrImportant = 0;
    info.header.biHeight = -H;
    const DWORD rowLength = (3 * static_cast<DWORD>(W) + 3) & ~3u;
    m_dwFetchedRow = rowLength;
    auto* bits = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(rowLength) * H));
    if (!bits) {
        AfxMessageBox("Allocate bmBits FAILED", MB_OK);
        return FALSE;
    }
    if (GetDIBits(m_pDC.get(), m_pBitmap.get(), 0, static_cast<UINT>(H), bits, bmi,
                  DIB_RGB_COLORS) == 0) {
        std::free(bits);
        AfxMessageBox("GetDIBits FAILED", MB_OK);
        return FALSE;
    }
    for (int y = 0; y < H; ++y) {
        const unsigned char* in = bits + static_cast<std::size_t>(y) * rowLength;
        unsigned char* out = rgb.data() + static_cast<std::size_t>(y) * 3 * W;
        for (int x = 0; x < W; ++x) {
            out[3 * x] = in[3 * x + 2];
            out[3 * x + 1] = in[3 * x + 1];
            out[3 * x + 2] = in[3 * x];
        }
    }
    std::free(bits);
    return TRUE;
}

BOOL CPageExport::WriteTo(const std::string& path) {
    if (!m_pBitmap)
        return FALSE;
    const QImage& bitmap = m_pBitmap->Image();
    const int dpi = m_fPageWidthInches > 0.0f
                        ? static_cast<int>(std::lround(m_nWidth / m_fPageWidthInches))
                        : 0;
    // A 32-bit surface holds blue, green, red, unused in memory on a
    // little-endian machine: the encoder reads it as it is.
    std::vector<unsigned char> rgb;
    JpegImage image{bitmap.constBits(), m_nWidth, m_nHeight,
                    static_cast<std::size_t>(bitmap.bytesPerLine()), JpegRowLayout::Bgrx};
    if (bitmap.format() != QImage::Format_RGB32 || QSysInfo::ByteOrder != QSysInfo::LittleEndian) {
        if (!ReadPixels(rgb))
            return FALSE;
        image = JpegImage{rgb.data(), m_nWidth, m_nHeight, 3u * static_cast<std::size_t>(m_nWidth),
                          JpegRowLayout::Rgb};
    }
    // Full-resolution colour: a page's pictures and texts meet white at sharp
    // edges, where halved colour would bleed.
    if (!WriteJpegImage(image, path.c_str(), JpegOptions{EXPORT_QUALITY, dpi, true})) {
        AfxMessageBox(AfxFormatString2("The picture could not be written to %1.", path),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

void CPageExport::End() {
    if (m_pDC && m_pOldBitmap)
        m_pDC->SelectObject(m_pOldBitmap);
    m_pOldBitmap = nullptr;
    if (m_pBitmap)
        m_pBitmap->DeleteObject();
    m_pBitmap.reset();
    if (m_pDC)
        m_pDC->DeleteDC();
    m_pDC.reset();
}

BOOL ExportPageToJpeg(const CZelbrinDoc& doc, int nClientWidth, int nWidth, int nHeight,
                      const std::string& path, float fPageWidthInches) {
    if (nClientWidth <= 0 || nWidth < 1 || nHeight < 1 || nWidth > EXPORT_MAX_SIDE ||
        nHeight > EXPORT_MAX_SIDE)
        return FALSE;
    const float scale = static_cast<float>(nWidth) / static_cast<float>(nClientWidth);
    CPageExport page;
    if (!page.Begin(nullptr, nWidth, nHeight))
        return FALSE;
    page.SetPageWidthInches(fPageWidthInches);
    page.DrawItems(doc, scale);
    return page.WriteTo(path);
}
