// The application's printer and device contexts over it.
#pragma once

#include "platform/qt/gdi.h"

#include <QPainter>
#include <memory>

class QPrinter;

// The printer every print, preview and page-size query uses. It starts as the
// system's default printer; without one, a PDF printer with US Letter where
// the locale measures in US units and A4 elsewhere, 0.25 inch margins, 300 dpi.
QPrinter& AfxGetAppPrinter();
// True when the application printer is the fallback PDF printer.
bool AfxAppPrinterIsFallback();

// A printer DC: answers the printer's metrics at once; painting starts with
// StartDoc and goes to the printer page by page.
class CPrinterDC : public CDC {
public:
    explicit CPrinterDC(QPrinter* printer);
    ~CPrinterDC() override;
    int StartDoc(const char* docName);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();

private:
    QPrinter* m_pPrinter;
    std::unique_ptr<QPainter> m_painter;
    bool m_bFirstPage = true;
};
