// The Print Setup dialog: the printer, its paper and the orientation, without
// printing anything. Qt's page-setup dialog has no choice of printer, so this
// one puts the three together as the platform's print-setup dialog does.
#pragma once

class QPrinter;
class QWidget;

// Shows the dialog for printer; on OK the printer, paper size and orientation
// chosen are set on printer and it returns true. Cancel changes nothing.
bool RunPrintSetupDialog(QPrinter* printer, QWidget* parent);
