// Zelbrin: one photo-album page, laid out and printed.
#include "document/zelbrin_doc.h"
#include "view/zelbrin_view.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    CZelbrinDoc doc;
    CZelbrinView view;
    view.AttachDocument(&doc);
    doc.OnNewDocument();
    view.show();
    view.OnInitialUpdate();
    if (argc > 1)
        doc.OnOpenDocument(argv[1]);
    view.OnActivateView(TRUE, &view, nullptr);
    return app.exec();
}
