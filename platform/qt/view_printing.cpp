// The framework's printing course on a view: the Print dialog, the printing
// loop with its cancellable "Printing" box, and print preview in the frame.
#include "platform/qt/view.h"
#include "platform/win/app_resources.h"

#include "platform/qt/frame_wnd.h"
#include "platform/qt/gdi.h"
#include "platform/qt/preview_view.h"
#include "platform/qt/printer.h"
#include "platform/qt/win_app.h"
#include "platform/win/afxmsgbox.h"
#include "platform/win/document.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>
#include <QProgressDialog>

#include <memory>

namespace {

std::string DocName(CDocument* doc) {
    return doc && !doc->GetTitle().empty() ? doc->GetTitle() : std::string("Untitled");
}

// The "Printing" box: shown when the job takes a moment, Cancel ends it.
class CPrintingDialog {
public:
    CPrintingDialog(QWidget* parent, const std::string& doc, const std::string& printer)
        : m_box(QString::fromStdString("Printing " + doc + "\non " + printer), "Cancel", 0, 0,
                parent) {
        m_box.setWindowTitle("Printing");
        m_box.setWindowModality(Qt::WindowModal);
        m_box.setMinimumDuration(500);
        m_box.setAutoClose(false);
        m_box.setAutoReset(false);
        m_box.setValue(0);
    }
    // The abort procedure: lets the box answer, then says whether to go on.
    bool Continue() {
        QCoreApplication::processEvents();
        return !m_box.wasCanceled();
    }

private:
    QProgressDialog m_box;
};

} // namespace

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
    if (pInfo->m_bPreview || pInfo->m_bDirect)
        return TRUE;
    QPrintDialog dlg(&AfxGetAppPrinter(), window());
    dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dlg.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dlg.exec() == QDialog::Accepted;
}

std::function<bool(int)> CView::PagesOf(CDC* pDC, CPrintInfo* pInfo) {
    return [this, pDC, pInfo](int page) {
        pInfo->m_nCurPage = pInfo->m_nMinPage + static_cast<UINT>(page - 1);
        if (pInfo->m_nCurPage > pInfo->m_nMaxPage)
            return false;
        pInfo->m_bContinuePrinting = TRUE;
        OnPrepareDC(pDC, pInfo);
        return pInfo->m_bContinuePrinting != FALSE;
    };
}

void CView::OnPrint(CDC* pDC, CPrintInfo*) {
    OnDraw(pDC);
}

void CView::OnFilePrint() {
    PrintJob(FALSE);
}

void CView::OnFilePrintDirect() {
    PrintJob(TRUE);
}

void CView::PrintJob(BOOL bDirect) {
    if (m_pPreview)
        return;
    CPrintInfo info;
    info.m_bDirect = bDirect;
    if (!OnPreparePrinting(&info))
        return;
    QPrinter& printer = AfxGetAppPrinter();
    const std::string name = AfxPrinterName(printer);
    CPrinterDC dc(&printer);
    OnBeginPrinting(&dc, &info);
    {
        CPrintingDialog box(window(), DocName(GetDocument()), name);
        bool cancelled = false;
        dc.SetAbortProc([&] { return !(cancelled = cancelled || !box.Continue()); });
        const PrintJobOutcome job = RunPrintJob(dc, DocName(GetDocument()), PagesOf(&dc, &info),
                                                [&](int) { OnPrint(&dc, &info); });
        dc.SetAbortProc(nullptr);
        info.m_bCancelled = job.bCancelled;
        info.m_strFailure = job.strFailure;
        info.m_bFailed = !job.bCancelled && !job.strFailure.empty();
    }
    if (info.m_bFailed)
        AfxMessageBox("The page could not be printed on " + name + ": " + info.m_strFailure + ".",
                      MB_OK | MB_ICONEXCLAMATION);
    OnEndPrinting(&dc, &info);
}

void CView::OnFilePrintPreview() {
    if (m_pPreview)
        return;
    auto* frame = qobject_cast<CFrameWnd*>(window());
    if (!frame)
        return;
    auto info = std::make_shared<CPrintInfo>();
    info->m_bPreview = TRUE;
    if (!OnPreparePrinting(info.get()))
        return;
    QPrinter& printer = AfxGetAppPrinter();
    auto attribs = std::make_shared<CPrinterDC>(&printer);
    OnBeginPrinting(attribs.get(), info.get());
    CWinApp* app = AfxGetApp();
    auto painting = std::make_shared<bool>(false);
    m_pPreview = new CPreviewView(
        &printer, app ? app->m_nNumPreviewPages : 1,
        [this, info, painting](QPrinter* target) { PaintPreview(target, info.get(), *painting); },
        frame);
    m_pPreview->onClose = [this, frame, info, attribs] {
        if (CWinApp* app = AfxGetApp(); app && m_pPreview)
            app->m_nNumPreviewPages = m_pPreview->PagesShown();
        m_pPreview = nullptr;
        if (frame)
            frame->EndPreview();
        OnEndPrinting(attribs.get(), info.get());
    };
    m_pPreview->onPrint = [this, frame] {
        if (!m_pPreview)
            return;
        m_pPreview->onClose();
        // Posted: the Print dialog runs once the preview's button has finished
        // its click, not inside it while the preview is being taken down.
        QTimer::singleShot(0, frame, [frame] { frame->OnCommand(ID_FILE_PRINT); });
    };
    frame->BeginPreview(m_pPreview, [this] { EndPrintPreview(); });
    // Shown, the preview records the page once; a frame not shown yet has it
    // recorded here.
    if (m_pPreview->Widget()->pageCount() == 0)
        m_pPreview->Widget()->updatePreview();
    m_pPreview->UpdateButtons();
}

void CView::PaintPreview(QPrinter* target, CPrintInfo* pInfo, bool& painting) {
    if (painting) {
        // Asked again while the page is being drawn (events are served while
        // pictures decode): drawn once this drawing is done.
        QTimer::singleShot(0, this, [this] {
            if (m_pPreview)
                m_pPreview->Widget()->updatePreview();
        });
        return;
    }
    painting = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{painting};
    // The preview records its pages: a job that cannot fail or be cancelled.
    CPrinterDC dc(target);
    RunPrintJob(dc, DocName(GetDocument()), PagesOf(&dc, pInfo), [&](int) { OnPrint(&dc, pInfo); });
}

void CView::EndPrintPreview() {
    if (m_pPreview && m_pPreview->onClose)
        m_pPreview->onClose();
}
