#include "platform/qt/print_setup_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Fills the paper list with the sizes printerName supports, keeping the
// current choice when the new printer has it too.
void FillPaperSizes(QComboBox* paper, const QString& printerName, const QPageSize& wanted) {
    const QPageSize::PageSizeId keep =
        paper->count() ? static_cast<QPageSize::PageSizeId>(paper->currentData().toInt())
                       : wanted.id();
    paper->clear();
    QList<QPageSize> sizes = QPrinterInfo::printerInfo(printerName).supportedPageSizes();
    if (sizes.isEmpty())
        sizes = {QPageSize(QPageSize::A4), QPageSize(QPageSize::Letter)};
    for (const QPageSize& size : sizes)
        if (size.id() != QPageSize::Custom)
            paper->addItem(size.name(), static_cast<int>(size.id()));
    const int at = paper->findData(static_cast<int>(keep));
    paper->setCurrentIndex(at >= 0 ? at : 0);
}

} // namespace

bool RunPrintSetupDialog(QPrinter* printer, QWidget* parent) {
    QDialog dlg(parent);
    dlg.setWindowTitle("Print Setup");
    auto* printers = new QComboBox(&dlg);
    printers->addItems(QPrinterInfo::availablePrinterNames());
    const bool toPdf = printer->outputFormat() == QPrinter::PdfFormat;
    if (toPdf || printers->count() == 0) {
        printers->addItem("PDF file");
        printers->setEnabled(printers->count() > 1);
    }
    printers->setCurrentText(toPdf ? QString("PDF file") : printer->printerName());
    auto* paper = new QComboBox(&dlg);
    FillPaperSizes(paper, printers->currentText(), printer->pageLayout().pageSize());
    QObject::connect(printers, &QComboBox::currentTextChanged,
                     [&](const QString& name) { FillPaperSizes(paper, name, QPageSize()); });

    auto* orientation = new QGroupBox("Orientation", &dlg);
    auto* portrait = new QRadioButton("P&ortrait", orientation);
    auto* landscape = new QRadioButton("L&andscape", orientation);
    auto* row = new QHBoxLayout(orientation);
    row->addWidget(portrait);
    row->addWidget(landscape);
    (printer->pageLayout().orientation() == QPageLayout::Landscape ? landscape : portrait)
        ->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow("&Printer:", printers);
    form->addRow("Paper &size:", paper);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dlg);
    layout->addLayout(form);
    layout->addWidget(orientation);
    layout->addWidget(buttons);

    if (dlg.exec() != QDialog::Accepted)
        return false;
    if (printers->currentText() != "PDF file") {
        printer->setOutputFormat(QPrinter::NativeFormat);
        printer->setPrinterName(printers->currentText());
    }
    printer->setPageSize(
        QPageSize(static_cast<QPageSize::PageSizeId>(paper->currentData().toInt())));
    printer->setPageOrientation(landscape->isChecked() ? QPageLayout::Landscape
                                                       : QPageLayout::Portrait);
    return true;
}
