// Drawing the page's items into any device context at a scale: the one routine
// behind the screen, the background, export, printing and preview.
#pragma once

#include "document/page_item.h"
#include "imaging/picture_decoder.h"

#include <memory>
#include <string>
#include <vector>

class CDC;
class CZelbrinDoc;

class CPageDrawing {
public:
    explicit CPageDrawing(const CZelbrinDoc* pDoc = nullptr) : m_pDoc(pDoc) {}
    void SetDocument(const CZelbrinDoc* pDoc) { m_pDoc = pDoc; }

    // Draws one item with its place scaled. On a printer DC a picture is decoded
    // again at full size from szRelPath (against the album's folder), else
    // szPath; one that cannot be prints from its half-size pixels and is noted.
    void DrawPageItem(PageItem item, CDC* pDC, float fScale);
    // Every picture, then every text item, in document order; stops early when
    // the DC's job has been cancelled.
    void DrawPage(CDC* pDC, float fScale);

    // Starts decoding the full-size pictures that printing the document's
    // items in drawing order will take, on worker threads, at most two held at
    // once; DrawPageItem on a printer takes them in that order. EndPrinting
    // stops it (also after a job that ended early). The calls pair up: a
    // drawing begun while another is under way (a repaint or a second page
    // request while a picture is awaited) neither replaces nor ends the
    // first's decoding, and decodes its own pictures as it goes.
    void BeginPrinting();
    void EndPrinting();

    // Names of the pictures printed from their half-size pixels since the last
    // call of TakeReducedPictures, each once.
    std::vector<std::string> TakeReducedPictures();

private:
    const CZelbrinDoc* m_pDoc;
    std::vector<std::string> m_reduced;
    std::unique_ptr<CPictureDecoder> m_printDecoder;
    std::vector<std::string> m_printPaths; // the files it decodes, in order
    std::size_t m_nextPrint = 0;
    int m_nPrinting = 0; // BeginPrinting calls not yet ended
};

// The printing scale: printer dots per inch over view pixels per inch.
float PrintingScale(int nPrinterDpi, int nPixelsPerInch);
