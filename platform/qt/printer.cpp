#include "platform/qt/printer.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#ifdef ZELBRIN_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace {

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
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_pPrinter)) {
        m_painter.reset();
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
    m_painter->end();
    AttachPainter(nullptr);
    m_painter.reset();
    return 1;
}

int CPrinterDC::AbortDoc() {
    if (m_painter)
        m_pPrinter->abort();
    return EndDoc();
}
