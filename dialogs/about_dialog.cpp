#include "dialogs/about_dialog.h"

#include "res/resource.h"
#include "res/qt/app_icon.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>

void CAboutDialog::CreateControls(QDialog& window) {
    window.setWindowTitle("About Zelbrin");
    auto* icon = new QLabel;
    icon->setPixmap(LoadIconResource(IDI_ZELBRIN).pixmap(32, 32));
    auto* buttons = new QDialogButtonBox(Qt::Vertical);
    AddButton(buttons, IDOK, "OK", true);
    auto* row = new QHBoxLayout(&window);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(8);
    row->addWidget(new QLabel("Zelbrin Version " ZELBRIN_VERSION), 1, Qt::AlignTop);
    row->addSpacing(24);
    row->addWidget(buttons, 0, Qt::AlignTop);
}
