#include "platform/qt/help_window.h"
#include "platform/win/app_resources.h"

CHelpWindow::CHelpWindow(QWidget* parent) : QTextBrowser(parent) {
    // A top-level window of its own, kept above the frame that owns it.
    setWindowFlags(Qt::Window);
    setWindowTitle(QString::fromStdString(AfxLoadString(AFX_IDS_APP_TITLE) + " Help"));
    setOpenExternalLinks(true);
    resize(560, 640);
}

void CHelpWindow::ShowContents() {
    setHtml(QString::fromStdString(AfxGetAppResources().helpHtml));
    show();
    raise();
    activateWindow();
}
