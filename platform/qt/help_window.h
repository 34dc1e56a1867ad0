// A window that shows the program's help page.
#pragma once

#include <QTextBrowser>

class CHelpWindow : public QTextBrowser {
    Q_OBJECT

public:
    explicit CHelpWindow(QWidget* parent = nullptr);
    // Brings the window up on the contents of the help page.
    void ShowContents();
};
