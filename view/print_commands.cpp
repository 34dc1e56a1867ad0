// Printing and Print Setup: the page prints as one sheet at the printer's
// resolution; while printing or previewing the frame can be resized.
#include "view/zelbrin_view.h"

#include "document/zelbrin_doc.h"
#include "platform/qt/frame_host.h"
#include "platform/qt/frame_wnd.h"
#include "platform/qt/gdi.h"
#include "platform/qt/print_setup_dialog.h"
#include "platform/qt/printer.h"
#include "platform/win/afxmsgbox.h"

#include <string>
#include <vector>

namespace {
constexpr DWORD kPrintingStyles = WS_THICKFRAME | WS_MAXIMIZEBOX;
}

BOOL CZelbrinView::OnPreparePrinting(CPrintInfo* pInfo) {
    // No page count: the default page preparation stops after page 1.
    return DoPreparePrinting(pInfo);
}

void CZelbrinView::OnBeginPrinting(CDC* pDC, CPrintInfo*) {
    m_nJobDpi = m_nPrinterDpi;
    m_fJobWidthInches = m_fPageWidthInches;
    m_fJobHeightInches = m_fPageHeightInches;
    m_drawing.TakeReducedPictures();
    LoadPrinterMetrics(pDC);
    if (CFrameHost* host = AfxGetFrameHost())
        host->ModifyFrameStyle(0, kPrintingStyles, SWP_FRAMECHANGED);
}

void CZelbrinView::OnEndPrinting(CDC*, CPrintInfo* pInfo) {
    if (CFrameHost* host = AfxGetFrameHost())
        host->ModifyFrameStyle(kPrintingStyles, 0, 0);
    const std::vector<std::string> reduced = m_drawing.TakeReducedPictures();
    if (pInfo && (pInfo->m_bFailed || pInfo->m_bCancelled)) {
        // A job that did not print leaves the page as it was, and says
        // nothing of how its pictures would have printed.
        m_nPrinterDpi = m_nJobDpi;
        m_fPageWidthInches = m_fJobWidthInches;
        m_fPageHeightInches = m_fJobHeightInches;
    } else if (pInfo && !pInfo->m_bPreview && !reduced.empty()) {
        std::string text = "These pictures could not be read again from their files and were "
                           "printed at reduced resolution:";
        for (const std::string& name : reduced)
            text += "\n" + name;
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    }
    UpdatePageLayout();
}

void CZelbrinView::OnFilePrintSetup() {
    if (!RunPrintSetupDialog(&AfxGetAppPrinter(), window()))
        return;
    const float wasWidth = m_fPageWidthInches, wasHeight = m_fPageHeightInches;
    CPrinterDC printer(&AfxGetAppPrinter());
    LoadPrinterMetrics(&printer);
    UpdatePageLayout();
    // A smaller page may leave items beyond its edges: they can be pulled in.
    if (CZelbrinDoc* doc = GetDocument();
        doc && (m_fPageWidthInches < wasWidth || m_fPageHeightInches < wasHeight))
        doc->OfferToPullItemsIn();
}
