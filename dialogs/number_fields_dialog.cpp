#include "dialogs/number_fields_dialog.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

void CNumberFieldsDialog::CreateControls(QDialog& window) {
    window.setWindowTitle(m_layout.caption);
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(m_layout.prompt), 0, 0, 1, 3);
    int row = 1;
    for (const NumberFieldRow& r : m_layout.rows) {
        auto* edit = Control(r.id, new QLineEdit);
        edit->setValidator(
            new NumberFieldValidator(m_layout.kind, m_layout.minVal, m_layout.maxVal, edit));
        edit->setFixedWidth(
            edit->fontMetrics().horizontalAdvance(QString(m_layout.fieldChars, QLatin1Char('0'))) +
            12);
        auto* label = new QLabel(r.label);
        label->setBuddy(edit);
        fields->addWidget(label, row, 0);
        fields->addWidget(edit, row, 1);
        fields->addWidget(new QLabel(r.unit), row, 2);
        ++row;
    }
    fields->setRowStretch(row, 1);

    auto* buttons = new QDialogButtonBox(Qt::Vertical);
    AddButton(buttons, IDOK, "OK", true);
    AddButton(buttons, IDCANCEL, "Cancel", false);
    auto* top = new QHBoxLayout(&window);
    top->addLayout(fields);
    top->addSpacing(12);
    top->addWidget(buttons, 0, Qt::AlignTop);
}
