// The application's printer and device contexts over it.
#pragma once

#include "platform/qt/gdi.h"

#include <QPainter>
#include <QString>
#include <memory>
#include <functional>
#include <string>

class QPrinter;

// The printer every print, preview and page-size query uses. It starts as the
// system's default printer; without one, a PDF printer with US Letter where
// the locale measures in US units and A4 elsewhere, 0.25 inch margins, 300 dpi.
QPrinter& AfxGetAppPrinter();
// True when the application printer is the fallback PDF printer.
bool AfxAppPrinterIsFallback();
// The printer's name as the user knows it: the queue, or the PDF file.
std::string AfxPrinterName(const QPrinter& printer);
// After a job has ended: empty when the print system took it, otherwise why
// it did not (the queue refused it, or the job could not be written).
std::string AfxPrintJobFailure(const QPrinter& printer);

// A printer DC: answers the printer's metrics at once; painting starts with
// StartDoc and goes to the printer page by page. A PDF file is written beside
// its place and renamed over it by EndDoc: a failed or cancelled job leaves
// whatever file was there as it was.
class CPrinterDC : public CDC {
public:
    explicit CPrinterDC(QPrinter* printer);
    ~CPrinterDC() override;
    int StartDoc(const char* docName);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    QPrinter* GetPrinter() const { return m_pPrinter; }

private:
    QPrinter* m_pPrinter;
    // Ends the painter; a PDF file goes into place when bKeep is set.
    int FinishDoc(bool bKeep);

    std::unique_ptr<QPainter> m_painter;
    bool m_bFirstPage = true;
    QString m_strPdfTarget; // the PDF file being printed to, while its job runs
    QString m_strPdfTemp;   // where it is written meanwhile
};

// One print job on dc's printer, the same for printing, the preview and a run
// without a window: StartDoc; then, for page 1, 2, ... while hasPage(page)
// and the job goes on (dc's abort procedure), StartPage, drawPage(page),
// EndPage; then EndDoc. A job cancelled by the abort procedure is aborted
// and sends nothing.
struct PrintJobOutcome {
    bool bCancelled = false;
    std::string strFailure;  // why the job was not printed; empty when it was
    bool bUnwritten = false; // it failed as the file it went to was not written
};
PrintJobOutcome RunPrintJob(CPrinterDC& dc, const std::string& title,
                            const std::function<bool(int)>& hasPage,
                            const std::function<void(int)>& drawPage);
