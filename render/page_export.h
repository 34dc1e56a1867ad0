// Exporting the page as a JPEG picture: the items drawn at a scale into a
// W x H bitmap, read back as red-green-blue rows and written as JFIF.
#pragma once

#include "imaging/jpeg_writer.h"
#include "platform/qt/gdi.h"

#include <memory>
#include <string>
#include <vector>

class CZelbrinDoc;

constexpr int EXPORT_QUALITY = 90;

class CPageExport {
public:
    CPageExport() = default;
    ~CPageExport();
    CPageExport(const CPageExport&) = delete;
    CPageExport& operator=(const CPageExport&) = delete;

    // Makes the W x H export bitmap in a memory DC compatible with pViewDC (the
    // screen when null) and
    // fills it white. FALSE after "Failed to create export dc" or
    // "Failed to create export bitmap".
    BOOL Begin(CDC* pViewDC, int nWidth, int nHeight);
    // Draws every picture, then every text item, in document order.
    void DrawItems(const CZelbrinDoc& doc, float fScale);
    // The bitmap as a PictureBuffer: rows top to bottom, red-green-blue. FALSE
    // after "Allocate buffer FAILED", "Allocate bmBits FAILED" or "GetDIBits FAILED".
    BOOL ReadPixels(std::vector<unsigned char>& rgb);
    // The page's width in inches, for the resolution the file records.
    void SetPageWidthInches(float fInches) { m_fPageWidthInches = fInches; }
    // The JFIF file at quality 90 with full-resolution colour, encoded
    // straight from the bitmap, with
    // dots per inch = width over the page's inches, rounded (none when the
    // page's width is not known). A file that cannot be written is reported
    // naming it, and no partial file is left.
    BOOL WriteTo(const std::string& path);
    // Releases the bitmap and the memory DC.
    void End();

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // The bytes of one fetched (padded) DIB row at the last ReadPixels.
    DWORD FetchedRowLength() const { return m_dwFetchedRow; }

private:
    std::unique_ptr<CDC> m_pDC;
    std::unique_ptr<CBitmap> m_pBitmap;
    CBitmap* m_pOldBitmap = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    float m_fPageWidthInches = 0.0f;
    DWORD m_dwFetchedRow = 0;
};

// The export without dialogs or window (the command line uses it): the page,
// nClientWidth view pixels and fPageWidthInches wide, at nWidth x nHeight
// (scale = nWidth / client width) written to path.
BOOL ExportPageToJpeg(const CZelbrinDoc& doc, int nClientWidth, int nWidth, int nHeight,
                      const std::string& path, float fPageWidthInches = 0.0f);
