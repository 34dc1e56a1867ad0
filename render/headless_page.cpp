#include "render/headless_page.h"

#include "document/zelbrin_doc.h"
#include "render/page_drawing.h"
#include "platform/qt/gdi.h"
#include "platform/qt/printer.h"
#include "geometry/page_math.h"

#include <QPrinter>

#include <cstdio>
#include <memory>

HeadlessPage MeasureHeadlessPage(int fixedPpi) {
    HeadlessPage page;
    CPrinterDC printer(&AfxGetAppPrinter());
    PageGeometry geometry;
    PageFromPrinter(printer.GetDeviceCaps(HORZRES), printer.GetDeviceCaps(VERTRES),
                    printer.GetDeviceCaps(LOGPIXELSX), geometry);
    page.nPrinterDpi = geometry.nPrinterDpi;
    page.fWidthInches = geometry.fWidthInches;
    page.fHeightInches = geometry.fHeightInches;
    CDC screen;
    page.nPixelsPerInch =
        fixedPpi > 0 ? fixedPpi
                     : ComputePixelsPerInch(screen.GetDeviceCaps(VERTRES), page.fHeightInches);
    const SIZE client = ClientExtentOf(geometry, page.nPixelsPerInch);
    page.nClientWidth = client.cx;
    page.nClientHeight = client.cy;
    return page;
}

bool PrintAlbumWithoutWindow(const CZelbrinDoc& doc, const HeadlessPage& page,
                             const std::string& pdfPath, std::string& error, std::string& notes) {
    QPrinter& app = AfxGetAppPrinter();
    QPrinter* target = &app;
    std::unique_ptr<QPrinter> pdf;
    if (!pdfPath.empty()) {
        // The printer DC writes the PDF beside its place and renames it over it.
        pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
        pdf->setOutputFormat(QPrinter::PdfFormat);
        pdf->setResolution(app.resolution());
        pdf->setPageLayout(app.pageLayout());
        pdf->setOutputFileName(QString::fromStdString(pdfPath));
        target = pdf.get();
    } else if (AfxAppPrinterIsFallback()) {
        error = "no printer is installed (use --print-pdf to print into a PDF file)";
        return false;
    }
    const std::string name = pdfPath.empty() ? AfxPrinterName(app) : pdfPath;
    CPrinterDC dc(target);
    const std::string title = doc.GetTitle().empty() ? "Untitled" : doc.GetTitle();
    CPageDrawing drawing(&doc);
    bool started = false;
    const PrintJobOutcome job = RunPrintJob(
        dc, title, [](int page) { return page == 1; },
        [&](int) {
            started = true;
            drawing.DrawPage(&dc, PrintingScale(dc.GetDeviceCaps(LOGPIXELSX), page.nPixelsPerInch));
        });
    if (!started) {
        error = (pdfPath.empty() ? "cannot print on " : "cannot write ") + name;
        return false;
    }
    if (!job.strFailure.empty()) {
        error = job.bUnwritten ? "cannot write " + pdfPath
                               : "the page could not be printed on " + name + ": " + job.strFailure;
        return false;
    }
    notes.clear();
    for (const std::string& picture : drawing.TakeReducedPictures())
        notes +=
            "printed at reduced resolution (its file could not be read again): " + picture + "\n";
    return true;
}
