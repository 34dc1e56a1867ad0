#include "platform/qt/printer.h"

#include "base/safe_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPrinter>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>

#include <sys/stat.h>

#ifdef ZELBRIN_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace {

#ifdef ZELBRIN_HAVE_CUPS
// The property under which Qt's CUPS engine keeps extra job options, as
// name/value pairs; it passes them with the job when the painter ends.
const auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The highest id of this user's jobs on dest, finished ones included.
int LastJobId(const char* dest) {
    cups_job_t* jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, dest, 1, CUPS_WHICHJOBS_ALL);
    int last = 0;
    for (int i = 0; i < n; ++i)
        last = std::max(last, jobs[i].id);
    cupsFreeJobs(n, jobs);
    return last;
}

// Cancels and purges this user's held jobs on dest with an id above last.
void CancelHeldJobsAfter(const char* dest, int last) {
    cups_job_t* jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, dest, 1, CUPS_WHICHJOBS_ACTIVE);
    for (int i = 0; i < n; ++i)
        if (jobs[i].id > last && jobs[i].state == IPP_JSTATE_HELD)
            cupsCancelJob2(CUPS_HTTP_DEFAULT, dest, jobs[i].id, 1);
    cupsFreeJobs(n, jobs);
}
#endif

bool s_fallback = false;

std::unique_ptr<QPrinter> MakeAppPrinter() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        if (printer->isValid())
            return printer;
    }
    s_fallback = true;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(300);
    const bool us = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    QPageLayout layout(QPageSize(us ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    printer->setPageLayout(layout);
    return printer;
}

// The application printer lives with the application object: it is deleted when
// the QApplication goes, while the print support it uses still exists (a static
// destroyed at exit would outlive it and crash).
QPrinter* s_appPrinter = nullptr;

void DeleteAppPrinter() {
    delete s_appPrinter;
    s_appPrinter = nullptr;
}

} // namespace

QPrinter& AfxGetAppPrinter() {
    if (!s_appPrinter) {
        s_appPrinter = MakeAppPrinter().release();
        if (QCoreApplication::instance())
            qAddPostRoutine(DeleteAppPrinter);
    }
    return *s_appPrinter;
}

bool AfxAppPrinterIsFallback() {
    AfxGetAppPrinter();
    return s_fallback;
}

std::string AfxPrinterName(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName().isEmpty() ? std::string("PDF file")
                                                  : printer.outputFileName().toStdString();
    return printer.printerName().toStdString();
}

std::string AfxPrintJobFailure(const QPrinter& printer) {
    if (printer.printerState() == QPrinter::Error)
        return "the job could not be written";
    if (printer.printerState() == QPrinter::Aborted)
        return "the job was cancelled";
#ifdef ZELBRIN_HAVE_CUPS
    // Qt hands the finished job to CUPS as its last request and keeps quiet
    // about the answer; the library still holds it.
    if (printer.outputFormat() == QPrinter::NativeFormat &&
        cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return cupsLastErrorString();
#endif
    return {};
}

CPrinterDC::CPrinterDC(QPrinter* printer) : m_pPrinter(printer) {
    SetPrinting(true);
    SetValid();
    const int dpi = printer->resolution();
    const QPageLayout layout = printer->pageLayout();
    const QRect paint = layout.paintRectPixels(dpi);
    m_caps.horzRes = paint.width();
    m_caps.vertRes = paint.height();
    m_caps.logPixelsX = dpi;
    m_caps.logPixelsY = dpi;
    m_bCapsSet = true;
}

CPrinterDC::~CPrinterDC() {
    if (m_painter)
        EndDoc();
}

int CPrinterDC::StartDoc(const char* docName) {
    m_pPrinter->setDocName(QString::fromUtf8(docName ? docName : ""));
    if (m_pPrinter->outputFormat() == QPrinter::PdfFormat &&
        !m_pPrinter->outputFileName().isEmpty()) {
        m_strPdfTarget = m_pPrinter->outputFileName();
        QTemporaryFile temp(QFileInfo(m_strPdfTarget).absolutePath() + "/.zelbrin-XXXXXX.pdf");
        if (!temp.open()) {
            m_strPdfTarget.clear();
            return -1;
        }
        temp.setAutoRemove(false);
        m_strPdfTemp = temp.fileName();
        m_pPrinter->setOutputFileName(m_strPdfTemp);
    }
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_pPrinter)) {
        m_painter.reset();
        FinishDoc(false);
        return -1;
    }
    AttachPainter(m_painter.get());
    m_bFirstPage = true;
    return 1;
}

int CPrinterDC::StartPage() {
    if (!m_painter)
        return -1;
    if (!m_bFirstPage)
        m_pPrinter->newPage();
    m_bFirstPage = false;
    return 1;
}

int CPrinterDC::EndPage() {
    return m_painter ? 1 : -1;
}

int CPrinterDC::EndDoc() {
    if (!m_painter)
        return -1;
    return FinishDoc(true);
}

int CPrinterDC::FinishDoc(bool bKeep) {
    if (m_painter) {
        m_painter->end();
        AttachPainter(nullptr);
        m_painter.reset();
    }
    if (m_strPdfTarget.isEmpty())
        return 1;
    const QByteArray temp = QFile::encodeName(m_strPdfTemp);
    const QByteArray target = QFile::encodeName(m_strPdfTarget);
    m_pPrinter->setOutputFileName(m_strPdfTarget);
    m_strPdfTarget.clear();
    m_strPdfTemp.clear();
    bKeep = bKeep && m_pPrinter->printerState() != QPrinter::Error;
    if (!bKeep || std::rename(temp.constData(), target.constData()) != 0) {
        std::remove(temp.constData());
        return bKeep ? -1 : 1;
    }
    // The temporary file was private; the PDF gets a new file's permissions.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(target.constData(), 0666 & ~mask);
    SyncFolderOf(target.constData());
    return 1;
}

int CPrinterDC::AbortDoc() {
    if (!m_painter)
        return -1;
    // Qt's PDF and CUPS engines cannot abort: ending the painter writes the
    // file, or hands the job to CUPS, whatever was drawn so far.
    m_pPrinter->abort();
    if (m_pPrinter->outputFormat() == QPrinter::PdfFormat)
        return FinishDoc(false);
#ifdef ZELBRIN_HAVE_CUPS
    // So the job goes to CUPS held, and is cancelled there before it can print.
    QPrintEngine* engine = m_pPrinter->printEngine();
    const QVariant options = engine->property(kCupsOptions);
    engine->setProperty(kCupsOptions,
                        options.toStringList() + QStringList{"job-hold-until", "indefinite"});
    const QByteArray dest = m_pPrinter->printerName().toLocal8Bit();
    const int last = LastJobId(dest.constData());
    EndDoc();
    engine->setProperty(kCupsOptions, options);
    CancelHeldJobsAfter(dest.constData(), last);
    return 1;
#else
    return EndDoc();
#endif
}

PrintJobOutcome RunPrintJob(CPrinterDC& dc, const std::string& title,
                            const std::function<bool(int)>& hasPage,
                            const std::function<void(int)>& drawPage) {
    PrintJobOutcome out;
    QPrinter* printer = dc.GetPrinter();
    if (dc.StartDoc(title.c_str()) < 0) {
        out.strFailure = printer ? AfxPrintJobFailure(*printer) : std::string();
        if (out.strFailure.empty())
            out.strFailure = "the printer could not be opened";
        return out;
    }
    for (int page = 1; hasPage(page); ++page) {
        if (!dc.QueryAbort())
            break;
        dc.StartPage();
        drawPage(page);
        dc.EndPage();
    }
    // The abort procedure says once more whether the job was cancelled.
    if (!dc.QueryAbort()) {
        out.bCancelled = true;
        dc.AbortDoc();
        return out;
    }
    const bool ended = dc.EndDoc() >= 0;
    out.strFailure = printer ? AfxPrintJobFailure(*printer) : std::string();
    if (out.strFailure.empty() && !ended) {
        out.strFailure = "the file could not be written";
        out.bUnwritten = true;
    }
    return out;
}
