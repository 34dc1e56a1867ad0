#include "app/headless_page.h"

#include "document/zelbrin_doc.h"
#include "imaging/page_drawing.h"
#include "platform/qt/gdi.h"
#include "platform/qt/printer.h"
#include "view/page_math.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>

#include <cstdio>
#include <memory>
#include <sys/stat.h>

HeadlessPage MeasureHeadlessPage(int fixedPpi) {
    HeadlessPage page;
    CPrinterDC printer(&AfxGetAppPrinter());
    page.nPrinterDpi = printer.GetDeviceCaps(LOGPIXELSX);
    const float dpi = static_cast<float>(page.nPrinterDpi > 0 ? page.nPrinterDpi : 1);
    page.fWidthInches = static_cast<float>(printer.GetDeviceCaps(HORZRES)) / dpi;
    page.fHeightInches = static_cast<float>(printer.GetDeviceCaps(VERTRES)) / dpi;
    CDC screen;
    page.nPixelsPerInch =
        fixedPpi > 0 ? fixedPpi
                     : ComputePixelsPerInch(screen.GetDeviceCaps(VERTRES), page.fHeightInches);
    page.nClientWidth =
        static_cast<int>(static_cast<float>(page.nPixelsPerInch) * page.fWidthInches);
    page.nClientHeight =
        static_cast<int>(static_cast<float>(page.nPixelsPerInch) * page.fHeightInches);
    return page;
}

bool PrintAlbumWithoutWindow(const CZelbrinDoc& doc, const HeadlessPage& page,
                             const std::string& pdfPath, std::string& error, std::string& notes) {
    QPrinter& app = AfxGetAppPrinter();
    QPrinter* target = &app;
    std::unique_ptr<QPrinter> pdf;
    std::unique_ptr<QTemporaryFile> temp;
    if (!pdfPath.empty()) {
        // The PDF is written beside its place and renamed over it when complete.
        pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
        pdf->setOutputFormat(QPrinter::PdfFormat);
        pdf->setResolution(app.resolution());
        pdf->setPageLayout(app.pageLayout());
        const QFileInfo out(QString::fromStdString(pdfPath));
        temp = std::make_unique<QTemporaryFile>(out.absolutePath() + "/.zelbrin-XXXXXX.pdf");
        if (!temp->open()) {
            error = "cannot write " + pdfPath;
            return false;
        }
        temp->close();
        pdf->setOutputFileName(temp->fileName());
        target = pdf.get();
    } else if (AfxAppPrinterIsFallback()) {
        error = "no printer is installed (use --print-pdf to print into a PDF file)";
        return false;
    }
    const std::string name = pdfPath.empty() ? AfxPrinterName(app) : pdfPath;
    CPrinterDC dc(target);
    const std::string title = doc.GetTitle().empty() ? "Untitled" : doc.GetTitle();
    if (dc.StartDoc(title.c_str()) < 0) {
        error = "cannot print on " + name;
        return false;
    }
    dc.StartPage();
    CPageDrawing drawing(&doc);
    drawing.DrawPage(&dc, PrintingScale(dc.GetDeviceCaps(LOGPIXELSX), page.nPixelsPerInch));
    dc.EndPage();
    dc.EndDoc();
    const std::string failure = AfxPrintJobFailure(*target);
    if (!failure.empty()) {
        error = "the page could not be printed on " + name + ": " + failure;
        return false;
    }
    if (temp) {
        QFile::remove(QString::fromStdString(pdfPath));
        if (!temp->rename(QString::fromStdString(pdfPath))) {
            error = "cannot write " + pdfPath;
            return false;
        }
        temp->setAutoRemove(false);
        // The temporary file was private; the PDF gets a new file's permissions.
        const mode_t mask = umask(0);
        umask(mask);
        chmod(pdfPath.c_str(), 0666 & ~mask);
    }
    notes.clear();
    for (const std::string& picture : drawing.TakeReducedPictures())
        notes +=
            "printed at reduced resolution (its file could not be read again): " + picture + "\n";
    return true;
}
