#include "dialogs/about_dialog.h"

#include "res/dialog_templates.h"

CAboutDialog::CAboutDialog(QWidget* pParent) : CDialog(kAboutTemplate, pParent) {}
