#include "dialogs/export_dialog.h"

#include <climits>
#include <limits>
#include <string>

namespace {

const NumberFieldsLayout kLayout = {
    "Export as JPEG",
    "Exported image dimensions:",
    {{"Width:", IDC_EXPORT_WIDTH, "pixels"}, {"Height:", IDC_EXPORT_HEIGHT, "pixels"}},
    NumberFieldValidator::Kind::UnsignedInt,
    CExportDialog::kMinSide,
    CExportDialog::kMaxSide,
    7,
};

// atoi: blanks, an optional sign, the leading decimal digits; 0 when there
// are none; held to the int range.
int LeadingInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (v <= INT_MAX)
            v = v * 10 + (text[i] - '0');
    if (negative)
        v = -v;
    return static_cast<int>(v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : v);
}

// Truncation toward zero, held to the target's range.
template <class T> T Trunc(double v) {
    if (!(v == v))
        return 0;
    if (v >= static_cast<double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    if (v <= static_cast<double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    return static_cast<T>(v);
}

} // namespace

CExportDialog::CExportDialog(QWidget* pParent) : CNumberFieldsDialog(kLayout, pParent) {}

void CExportDialog::SetStartValues(int nClientWidth, int nClientHeight) {
    m_nWidth = static_cast<UINT>(nClientWidth);
    m_nHeight = static_cast<UINT>(nClientHeight);
    // A client area without height (a minimised window) links one to one.
    m_fRatio = nClientHeight > 0
                   ? static_cast<float>(static_cast<double>(nClientWidth) / nClientHeight)
                   : 1.0f;
}

void CExportDialog::OnInitDialog() {
    FillDlgItemText(IDC_EXPORT_HEIGHT, std::to_string(m_nHeight));
    FillDlgItemText(IDC_EXPORT_WIDTH, std::to_string(m_nWidth));
}

bool CExportDialog::ReadControls() {
    return ReadField(IDC_EXPORT_HEIGHT, m_nHeight) && ReadField(IDC_EXPORT_WIDTH, m_nWidth);
}

void CExportDialog::OnEditChanged(int nID) {
    const bool width = nID == IDC_EXPORT_WIDTH;
    OnUpdate(nID, width ? IDC_EXPORT_HEIGHT : IDC_EXPORT_WIDTH, width);
    // The linking runs in double precision on the float ratio: 400 / 1.3333334
    // is just below 300 and gives 299.
    if (width)
        m_nHeight = Trunc<UINT>(m_nWidth / static_cast<double>(m_fRatio));
    else
        m_nWidth = Trunc<UINT>(m_nHeight * static_cast<double>(m_fRatio));
}

void CExportDialog::OnUpdate(int nChanged, int nOther, bool bWidth) {
    if (m_bLinking == 1) {
        m_bLinking = 0; // our own change of this field
        return;
    }
    m_bLinking = 1;
    const int value = LeadingInt(GetDlgItemText(nChanged).substr(0, kLinkReadChars));
    const double ratio = static_cast<double>(m_fRatio);
    const int other = Trunc<int>(bWidth ? value / ratio : value * ratio);
    (bWidth ? m_nHeight : m_nWidth) = static_cast<UINT>(other);
    SetDlgItemText(nOther, std::to_string(other));
}
