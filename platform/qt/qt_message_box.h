// Message boxes shown as Qt dialogs: the program's AfxMessageBox calls end
// up here once InstallQtMessageBoxes has run.
#pragma once

#include "platform/win/wintypes.h"

#include <QString>

// Makes AfxMessageBox show a modal QMessageBox over the active window. The
// caption is title, or when it is empty the application's display name, or
// "Zelbrin".
void InstallQtMessageBoxes(const QString& title = QString());

// The box's caption as InstallQtMessageBoxes chose it.
QString MessageBoxCaption();

// Shows one box now; returns IDOK, IDCANCEL, IDYES, IDNO ... MB_DEFBUTTON2/3
// pick the default button; Esc answers IDCANCEL where there is a Cancel
// button and IDOK in an OK-only box.
int ShowQtMessageBox(const char* text, UINT nType);
