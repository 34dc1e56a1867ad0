#include "platform/qt/view.h"

#include "platform/qt/gdi.h"

CView::CView(QWidget* parent) : CWnd(parent) {}

CView::~CView() = default;

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    pDC->SetMapMode(MM_TEXT);
    // Without a page count, printing ends after the first page.
    if (pInfo && pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, long, void*) {
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL, CView*, CView*) {}

BOOL CView::OnPreparePrinting(CPrintInfo*) {
    return TRUE;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}
