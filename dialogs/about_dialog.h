// The About box: the application icon and the version.
#pragma once

#include "platform/qt/dialog.h"

class CAboutDialog : public CDialog {
public:
    explicit CAboutDialog(QWidget* pParent = nullptr) : CDialog(pParent) {}

protected:
    void CreateControls(QDialog& window) override;
};
