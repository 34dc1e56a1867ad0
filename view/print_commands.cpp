// Printing and Print Setup: the page prints as one sheet at the printer's
// resolution; while printing or previewing the frame can be resized.
#include "view/zelbrin_view.h"

#include "document/placeholders.h"
#include "document/print_resolution.h"
#include "document/zelbrin_doc.h"
#include "platform/qt/frame_host.h"
#include "platform/qt/frame_wnd.h"
#include "platform/qt/gdi.h"
#include "platform/qt/print_setup_dialog.h"
#include "platform/qt/printer.h"
#include "platform/qt/win_app.h"
#include "platform/win/afxmsgbox.h"
#include "platform/win/app_resources.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>

#include <string>
#include <vector>

namespace {
constexpr DWORD kPrintingStyles = WS_THICKFRAME | WS_MAXIMIZEBOX;
}

BOOL CZelbrinView::OnPreparePrinting(CPrintInfo* pInfo) {
    if (!pInfo->m_bPreview && (!ConfirmBlankPlaces("printed") || !ConfirmPrintResolution()))
        return FALSE;
    // No page count: the default page preparation stops after page 1.
    return DoPreparePrinting(pInfo);
}

bool CZelbrinView::ConfirmBlankPlaces(const char* what) {
    const CZelbrinDoc* doc = GetDocument();
    const std::vector<std::string> names =
        doc ? PlaceholderNames(*doc) : std::vector<std::string>{};
    return names.empty() ||
           AfxMessageBox(BlankPlacesQuestion(names, what), MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

bool CZelbrinView::ConfirmPrintResolution() {
    CWinApp* app = AfxGetApp();
    const CZelbrinDoc* doc = GetDocument();
    const int minimum = app ? static_cast<int>(app->GetProfileInt("Settings", "MinimumPrintPpi",
                                                                  kDefaultMinimumPrintPpi))
                            : kDefaultMinimumPrintPpi;
    const std::vector<SoftPicture> soft =
        doc ? PicturesPrintingBelow(*doc, m_nPixelsPerInch, minimum) : std::vector<SoftPicture>{};
    if (soft.empty())
        return true;
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(AfxLoadString(AFX_IDS_APP_TITLE)),
                    QString::fromStdString(SoftPicturesMessage(soft, minimum)),
                    QMessageBox::NoButton, window());
    QPushButton* print = box.addButton("Print Anyway", QMessageBox::AcceptRole);
    box.addButton("Do Not Print", QMessageBox::RejectRole);
    box.setDefaultButton(print);
    box.setCheckBox(new QCheckBox("Do not warn me again"));
    box.exec();
    if (box.checkBox()->isChecked() && app)
        app->WriteProfileInt("Settings", "MinimumPrintPpi", 0);
    return box.clickedButton() == print;
}

void CZelbrinView::OnUpdatePrintResolution(CCmdUI* pCmdUI) {
    const CZelbrinDoc* doc = GetDocument();
    const int ppi = doc && doc->GetItemCount() > 0 && !IsPlaceholder(doc->GetLastItem())
                        ? PrintPixelsPerInch(doc->GetLastItem(), m_nPixelsPerInch)
                        : 0;
    pCmdUI->SetText(ppi > 0 ? std::to_string(ppi) + " ppi" : std::string(), std::string());
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
