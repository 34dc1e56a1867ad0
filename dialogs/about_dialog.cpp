#include "dialogs/about_dialog.h"

#include "dialogs/dialog_templates.h"

CAboutDialog::CAboutDialog(QWidget* pParent) : CDialog(kAboutTemplate, pParent) {}
