// A new document shown in a view of its own, with the screen metrics fixed
// at 1024 x 768: the fixture of the tests that drive the page view.
#pragma once

#include "document/zelbrin_doc.h"
#include "platform/qt/gdi.h"
#include "view/zelbrin_view.h"

#include <QImage>

#include <gtest/gtest.h>

#include <memory>

class ViewFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenMetricsOverride(1024, 768);
        doc.OnNewDocument();
        view = std::make_unique<CZelbrinView>();
        view->AttachDocument(&doc);
    }
    void TearDown() override {
        view.reset();
        ClearScreenMetricsOverride();
    }
    // The printer's printable area, before the view's first update.
    void SetPrinter(int horz, int vert, int dpi) {
        QImage tiny(1, 1, QImage::Format_RGB32);
        CImagePrinterDC printer(&tiny, dpi, dpi);
        printer.SetDeviceCaps(horz, vert, dpi, dpi);
        view->LoadPrinterMetrics(&printer);
    }

    CZelbrinDoc doc;
    std::unique_ptr<CZelbrinView> view;
};
