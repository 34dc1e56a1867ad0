// Drawing the page's items into any device context at a scale: the one routine
// behind the screen, the background, export, printing and preview.
#pragma once

#include "document/page_item.h"
#include "imaging/picture_decoder.h"
#include "render/scaled_pictures.h"
#include "render/text_images.h"

#include <memory>
#include <string>
#include <vector>

class CDC;
class CZelbrinDoc;
struct Rect64;

class CPageDrawing {
public:
    // Pictures are drawn smoothly unless the settings say otherwise.
    explicit CPageDrawing(const CZelbrinDoc* pDoc = nullptr);
    void SetDocument(const CZelbrinDoc* pDoc) { m_pDoc = pDoc; }

    // Smooth pictures: each target pixel the average of the source pixels it
    // covers, interpolated when enlarged. Off: one source pixel picked for
    // each, the page's original look.
    void SetSmoothPictures(bool bSmooth) { m_bSmooth = bSmooth; }
    bool SmoothPictures() const { return m_bSmooth; }
    // Smooth pictures drawn into a window are kept scaled, up to budget
    // pixels in all (0, the default, keeps none); see CScaledPictures.
    void SetScreenCopyBudget(long long pixels) { m_copies.SetBudget(pixels); }
    // Missing pictures show as named grey boxes (the window) or are left
    // blank (exports; a printer always leaves them blank).
    void SetPlaceholdersShown(bool bShown) { m_bShowPlaceholders = bShown; }
    // An export: a picture whose place is larger than its half-size crop is
    // decoded again at full size for its drawing, as printing does.
    void SetFullSizeWhenEnlarged(bool bOn) { m_bFullSizeWhenEnlarged = bOn; }
    // True while the user sizes or crops a picture.
    void SetInteractive(bool bInteractive) { m_copies.SetInteractive(bInteractive); }
    const CScaledPictures& ScreenCopies() const { return m_copies; }
    // Texts drawn into a window or image are kept as images of their boxes
    // and copied from there when drawn again (see CTextImages).
    void SetTextImages(bool bOn) { m_bTextImages = bOn; }

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
    // A smooth picture drawn into a window from its kept copy; false when it
    // is not to be drawn that way.
    bool DrawFromCopy(const PageItem& item, CDC* pDC, const Rect64& place);
    // A picture on a printer from its full-size pixels; false (and the
    // picture noted as reduced) when they cannot be had.
    bool DrawForPrinter(const PageItem& item, CDC* pDC, const Rect64& dest);
    // A text item in its box, from its kept image where there is one to be had.
    void DrawTextItem(const PageItem& item, CDC* pDC, const Rect64& dest);

    const CZelbrinDoc* m_pDoc;
    bool m_bSmooth;
    bool m_bFullSizeWhenEnlarged = false;
    bool m_bShowPlaceholders = true;
    CScaledPictures m_copies;
    bool m_bTextImages = false;
    CTextImages m_texts;
    std::vector<std::string> m_reduced;
    std::unique_ptr<CPictureDecoder> m_printDecoder;
    std::vector<std::string> m_printPaths; // the files it decodes, in order
    std::size_t m_nextPrint = 0;
    int m_nPrinting = 0; // BeginPrinting calls not yet ended
};

// The "SmoothPictures" setting (section "Settings"): on unless set to 0.
bool SmoothPicturesSetting();

// The printing scale: printer dots per inch over view pixels per inch.
float PrintingScale(int nPrinterDpi, int nPixelsPerInch);
