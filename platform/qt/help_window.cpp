#include "platform/qt/help_window.h"

#include "res/help_page.h"
#include "res/resource.h"
#include "res/strings.h"

CHelpWindow::CHelpWindow(QWidget* parent) : QTextBrowser(parent) {
    // A top-level window of its own, kept above the frame that owns it.
    setWindowFlags(Qt::Window);
    setWindowTitle(QString::fromStdString(LoadResString(AFX_IDS_APP_TITLE) + " Help"));
    setOpenExternalLinks(true);
    resize(560, 640);
}

void CHelpWindow::ShowContents() {
    setHtml(QString::fromUtf8(GetHelpPageHtml()));
    show();
    raise();
    activateWindow();
}
