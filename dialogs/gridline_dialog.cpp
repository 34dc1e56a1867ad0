#include "dialogs/gridline_dialog.h"

#include "base/c_locale.h"

#include <cfloat>

namespace {

const NumberFieldsLayout kLayout = {
    "Girdline Setup",
    "Enter spacing between grid lines:",
    {{"Horizontal:", IDC_HORIZ_SPACING, "inch(es)"}, {"Vertical:", IDC_VERT_SPACING, "inch(es)"}},
    NumberFieldValidator::Kind::Real,
    CGridlineDialog::kMinSpacing,
    CGridlineDialog::kMaxSpacing,
    8,
};

// Six significant digits, as a float holds them.
std::string Shown(float value) {
    return FormatC("%.*g", FLT_DIG, static_cast<double>(value));
}

} // namespace

CGridlineDialog::CGridlineDialog(QWidget* pParent) : CNumberFieldsDialog(kLayout, pParent) {}

void CGridlineDialog::OnInitDialog() {
    FillDlgItemText(IDC_HORIZ_SPACING, Shown(m_fHorizSpacing));
    FillDlgItemText(IDC_VERT_SPACING, Shown(m_fVertSpacing));
}

bool CGridlineDialog::ReadControls() {
    return ReadField(IDC_HORIZ_SPACING, m_fHorizSpacing) &&
           ReadField(IDC_VERT_SPACING, m_fVertSpacing);
}
