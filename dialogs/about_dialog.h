// The About box: the application icon and the version.
#pragma once

#include "platform/qt/dialog.h"
#include "res/dialog_ids.h"

class CAboutDialog : public CDialog {
public:
    enum { IDD = IDD_ABOUT };
    explicit CAboutDialog(QWidget* pParent = nullptr);
};
