// The framework's view: a window that shows a document.
#pragma once

#include "platform/qt/wnd.h"

class CDC;
class CDocument;

// State of one print or preview job, handed to the printing overrides.
struct CPrintInfo {
    BOOL m_bPreview = FALSE;
    UINT m_nCurPage = 1;
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 1;
    RECT m_rectDraw{};
    void SetMaxPage(UINT n) { m_nMaxPage = n; }
};

class CView : public CWnd {
    Q_OBJECT
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* pDocument) { m_pDocument = pDocument; }

    virtual void OnDraw(CDC* pDC) = 0;
    // The text mapping mode with the origin at the client area's top-left.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // The base step repaints the whole view.
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, long lHint, void* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    // The default paint handler: prepare a paint DC and draw into it.
    void OnPaint() override;

private:
    CDocument* m_pDocument = nullptr;
};
