#include "platform/qt/view.h"

#include "platform/qt/gdi.h"

CView::CView(QWidget* parent) : CWnd(parent) {}

CView::~CView() = default;

void CView::OnPrepareDC(CDC* pDC, CPrintInfo*) {
    pDC->SetMapMode(MM_TEXT);
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
