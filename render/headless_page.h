// The page laid out as the editor would, without a window, for the command
// line: exported as JPEG, printed, or printed into a PDF file.
#pragma once

#include "document/album_view.h"

#include <string>

class CZelbrinDoc;

// The editor's page without its window: the application printer's page in
// inches, the view's pixels per inch (fixedPpi, or from the screen's height)
// and the client area those give.
struct HeadlessPage {
    int nPrinterDpi = 0;
    float fWidthInches = 0.0f;
    float fHeightInches = 0.0f;
    int nPixelsPerInch = 0;
    int nClientWidth = 0;
    int nClientHeight = 0;
};
HeadlessPage MeasureHeadlessPage(int fixedPpi);

// The document's view on a headless page: its size places new pictures and
// fits slots; there is nothing to repaint.
class CHeadlessView : public CAlbumView {
public:
    explicit CHeadlessView(const HeadlessPage& page) : m_page(page) {}
    void SelectTopItem() override {}
    void RedrawPage() override {}
    void GetClientExtent(int& nHeight, int& nWidth) override {
        nHeight = m_page.nClientHeight;
        nWidth = m_page.nClientWidth;
    }
    int GetPixelsPerInch() override { return m_page.nPixelsPerInch; }
    void GetPageInches(float& fWidth, float& fHeight) override {
        fWidth = m_page.fWidthInches;
        fHeight = m_page.fHeightInches;
    }

private:
    HeadlessPage m_page;
};

// Prints doc's page on the application printer (pdfPath empty) or into the
// PDF file pdfPath with the application printer's paper, margins and
// resolution. False with error set when the job could not be done; notes
// names the pictures printed at reduced resolution.
bool PrintAlbumWithoutWindow(const CZelbrinDoc& doc, const HeadlessPage& page,
                             const std::string& pdfPath, std::string& error, std::string& notes);
