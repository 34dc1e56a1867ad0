// The framework's view: a window that shows a document.
#pragma once

#include "platform/qt/wnd.h"

#include <functional>
#include <string>

class CDC;
class CDocument;

// State of one print or preview job, handed to the printing overrides.
struct CPrintInfo {
    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE; // printed without the Print dialog
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF; // no page count known
    RECT m_rectDraw{};
    // Set when the print system refused the job or it failed; m_strFailure says why.
    BOOL m_bFailed = FALSE;
    std::string m_strFailure;
    // Set when the user cancelled the job in the "Printing" box.
    BOOL m_bCancelled = FALSE;
    void SetMaxPage(UINT n) { m_nMaxPage = n; }
    UINT GetMaxPage() const { return m_nMaxPage; }
};

class CPreviewView;
class QPrinter;

class CView : public CWnd {
    Q_OBJECT
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* pDocument) { m_pDocument = pDocument; }

    virtual void OnDraw(CDC* pDC) = 0;
    // The text mapping mode with the origin at the client area's top-left;
    // when printing without a page count, only page 1 goes on.
    // Records the preview's pages on target; a request while it draws is
    // drawn after it (painting says that it draws).
    void PaintPreview(QPrinter* target, CPrintInfo* pInfo, bool& painting);
    // The pages of a print job: page n exists when OnPrepareDC lets it print.
    std::function<bool(int)> PagesOf(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // The base step repaints the whole view.
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, long lHint, void* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Draws one page: the base calls OnDraw.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The Print dialog on the application printer; none for preview or direct printing.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);

    // The framework's print commands: Print (with the dialog), print without
    // the dialog, and Print Preview in the frame in place of the view.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // The preview shown now, or null.
    CPreviewView* GetPreview() const { return m_pPreview; }
    // Ends the preview (its Close button, Esc, or the frame's close request).
    void EndPrintPreview();

    // The default paint handler: prepare a paint DC and draw into it.
    void OnPaint() override;

private:
    void PrintJob(BOOL bDirect);

    CDocument* m_pDocument = nullptr;
    CPreviewView* m_pPreview = nullptr;
};
