// Page rendering: the off-screen background holds the paper, the gridlines
// and every item but the selected one; the selected item floats above it on
// the window, and the paint handler only copies from the background.
#include "geometry/page_math.h"
#include "view/zelbrin_view.h"

#include "document/zelbrin_doc.h"
#include "render/page_drawing.h"
#include "platform/qt/gdi.h"
#include "platform/qt/wait_cursor.h"

#include <vector>

namespace {

constexpr SIZE kFrameSize{3, 3};

} // namespace

void CZelbrinView::OnDraw(CDC* pDC) {
    CZelbrinDoc* doc = GetDocument();
    const QSize bg = BackgroundSize();
    CBitmap* old = m_pOffscreenDC->SelectObject(m_pOffscreenBitmap.get());
    m_pOffscreenDC->PatBlt(0, 0, bg.width(), bg.height(), WHITENESS);
    pDC->PatBlt(0, 0, bg.width(), bg.height(), WHITENESS);

    float scale = 1.0f;
    if (pDC->IsPrinting()) {
        // The page from the printer at hand, in the resolution held before.
        const int horz = pDC->GetDeviceCaps(HORZRES);
        const int vert = pDC->GetDeviceCaps(VERTRES);
        if (m_nPrinterDpi > 0) {
            m_fPageWidthInches = static_cast<float>(horz) / static_cast<float>(m_nPrinterDpi);
            m_fPageHeightInches = static_cast<float>(vert) / static_cast<float>(m_nPrinterDpi);
        }
        m_nPrinterDpi = pDC->GetDeviceCaps(LOGPIXELSX);
        scale = PrintingScale(m_nPrinterDpi, m_nPixelsPerInch);
    } else {
        DrawGridlines(m_pOffscreenDC.get());
        DrawGridlines(pDC);
    }

    m_drawnItems.clear();
    if (doc) {
        // A printer's full-size pictures are decoded ahead, in parallel.
        const bool printing = pDC->IsPrinting();
        if (printing)
            m_drawing.BeginPrinting();
        for (int i : doc->GetDrawingOrder()) {
            if (!pDC->QueryAbort())
                break;
            const PageItem item = doc->ItemAt(i);
            DrawPageItem(item, m_pOffscreenDC.get(), scale);
            DrawPageItem(item, pDC, scale);
            m_drawnItems.insert(item.nId);
        }
        if (printing)
            m_drawing.EndPrinting();
    }
    m_pOffscreenDC->SelectObject(old);
}

bool CZelbrinView::IsItemDrawn(int nIndex) const {
    const CZelbrinDoc* doc = GetDocument();
    return doc && nIndex >= 0 && nIndex < doc->GetItemCount() &&
           m_drawnItems.count(doc->ItemAt(nIndex).nId) > 0;
}

void CZelbrinView::DrawGridlines(CDC* pDC) {
    if (!m_bShowGrid)
        return;
    const bool dotted = m_nGridLinesX <= 24 && m_nGridLinesY <= 24;
    CPen pen(dotted ? PS_DOT : PS_SOLID, 1, RGB(192, 192, 224));
    CPen* old = pDC->SelectObject(&pen);
    int h = 0, w = 0;
    GetClientExtent(h, w);
    for (int i = 0; i <= m_nGridLinesY; ++i) {
        pDC->MoveTo(0, i * m_nGridStepY);
        pDC->LineTo(w, i * m_nGridStepY);
    }
    for (int i = 0; i <= m_nGridLinesX; ++i) {
        pDC->MoveTo(i * m_nGridStepX, 0);
        pDC->LineTo(i * m_nGridStepX, h);
    }
    pDC->SelectObject(old);
    pen.DeleteObject();
}

void CZelbrinView::DrawPageItem(PageItem item, CDC* pDC, float fScale) {
    m_drawing.DrawPageItem(item, pDC, fScale);
}

void CZelbrinView::RedrawPage() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
    Invalidate(TRUE);
    UpdateWindow();
    DrawSelectionFrame();
}

void CZelbrinView::DrawSelectionFrame() {
    CZelbrinDoc* doc = GetDocument();
    if (!doc || doc->GetItemCount() == 0)
        return;
    CClientDC dc(this);
    const RECT rc = doc->GetLastItem().rcPlace;
    dc.DrawDragRect(&rc, kFrameSize, nullptr, kFrameSize);
}

void CZelbrinView::SelectTopItem() {
    CZelbrinDoc* doc = GetDocument();
    SelectItem(doc ? doc->GetItemCount() - 1 : -1);
}

void CZelbrinView::SelectItem(int nIndex) {
    CZelbrinDoc* doc = GetDocument();
    if (!doc || doc->GetItemCount() == 0) {
        RedrawPage();
        return;
    }
    CClientDC dc(this);
    const QSize bg = BackgroundSize();
    CBitmap* old = m_pOffscreenDC->SelectObject(m_pOffscreenBitmap.get());
    m_pOffscreenDC->PatBlt(0, 0, bg.width(), bg.height(), WHITENESS);
    DrawGridlines(m_pOffscreenDC.get());
    {
        CWaitCursor wait;
        m_drawnItems.clear();
        for (int i : doc->GetDrawingOrder()) {
            if (i != nIndex) {
                DrawPageItem(doc->ItemAt(i), m_pOffscreenDC.get(), 1.0f);
                m_drawnItems.insert(doc->ItemAt(i).nId);
            }
        }
    }
    m_pOffscreenDC->SelectObject(old);

    const PageItem& selected = doc->ItemAt(nIndex);
    // The item's box gets the background first: a transparent text, or a
    // picture that does not cover its box, would otherwise lie over whatever
    // the window showed there, an old selection frame included.
    InvalidateRect(&selected.rcPlace, FALSE);
    UpdateWindow();
    Invalidate(FALSE);
    DrawPageItem(selected, &dc, 1.0f);
    if (selected.nKind == ITEM_PICTURE)
        DrawTextItems(&dc, selected.rcPlace);
    dc.DrawDragRect(&selected.rcPlace, kFrameSize, nullptr, kFrameSize);
    ValidateRect(&selected.rcPlace);
    UpdateWindow();
    doc->MoveItemToTop(nIndex);
}

void CZelbrinView::RepaintFloatingItem(PageItem item, CDC* pDC) {
    // The new box gets the background, then the item, then the texts above a
    // picture inside the box only (outside it the background holds them
    // already), then the frame; the paint handler copies the rest.
    InvalidateRect(&item.rcPlace, FALSE);
    UpdateWindow();
    Invalidate(FALSE);
    DrawPageItem(item, pDC, 1.0f);
    if (item.nKind == ITEM_PICTURE)
        DrawTextItems(pDC, item.rcPlace);
    pDC->DrawDragRect(&item.rcPlace, kFrameSize, nullptr, kFrameSize);
    ValidateRect(&item.rcPlace);
    UpdateWindow();
}

void CZelbrinView::DrawTextItems(CDC* pDC, const RECT& rcClip) {
    const CZelbrinDoc* doc = GetDocument();
    if (!doc)
        return;
    // Text is clipped to its box, so texts outside rcClip draw nothing there.
    const auto meets = [&rcClip](const RECT& rc) {
        return rc.left < rcClip.right && rcClip.left < rc.right && rc.top < rcClip.bottom &&
               rcClip.top < rc.bottom;
    };
    pDC->IntersectClipRect(rcClip.left, rcClip.top, rcClip.right, rcClip.bottom);
    for (int i = 0; i < doc->GetItemCount(); ++i) {
        const PageItem& item = doc->ItemAt(i);
        if (item.nKind == ITEM_TEXT && meets(item.rcPlace))
            DrawPageItem(item, pDC, 1.0f);
    }
    pDC->SelectClipRgn(nullptr);
}

void CZelbrinView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    RECT box;
    dc.GetClipBox(&box);
    CBitmap* old = m_pOffscreenDC->SelectObject(m_pOffscreenBitmap.get());
    m_pOffscreenDC->SelectClipRgn(nullptr);
    m_pOffscreenDC->IntersectClipRect(box.left, box.top, box.right, box.bottom);
    dc.BitBlt(box.left, box.top, box.right - box.left, box.bottom - box.top, m_pOffscreenDC.get(),
              box.left, box.top, SRCCOPY);
    // The limit is lifted again, or the next rebuild of the background would
    // only reach this box.
    m_pOffscreenDC->SelectClipRgn(nullptr);
    m_pOffscreenDC->SelectObject(old);
}

void CZelbrinView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
    if (bActivate)
        RedrawPage();
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}
