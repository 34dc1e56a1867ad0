#include "view/zelbrin_view.h"

#include "document/zelbrin_doc.h"
#include "platform/qt/gdi.h"
#include "platform/qt/printer.h"

CZelbrinView::CZelbrinView(QWidget* parent)
    : CView(parent), m_pOffscreenDC(std::make_unique<CDC>()),
      m_pOffscreenBitmap(std::make_unique<CBitmap>()) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    // The page's inches come from the application printer's printable area.
    CPrinterDC printer(&AfxGetAppPrinter());
    LoadPrinterMetrics(&printer);
}

CZelbrinView::~CZelbrinView() {
    if (CZelbrinDoc* doc = GetDocument(); doc && doc->GetAlbumView() == this)
        doc->SetAlbumView(nullptr);
    if (m_pOffscreenDC)
        m_pOffscreenDC->DeleteDC();
}

CZelbrinDoc* CZelbrinView::GetDocument() const {
    return static_cast<CZelbrinDoc*>(CView::GetDocument());
}

void CZelbrinView::AttachDocument(CZelbrinDoc* pDoc) {
    SetDocument(pDoc);
    if (pDoc)
        pDoc->SetAlbumView(this);
}
