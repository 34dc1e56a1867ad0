#include "dialogs/export_dialog.h"

#include "platform/qt/ddx.h"
#include "dialogs/dialog_templates.h"

#include <climits>
#include <cmath>
#include <string>

namespace {

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
    if (v > INT_MAX)
        v = INT_MAX;
    if (v < INT_MIN)
        v = INT_MIN;
    return static_cast<int>(v);
}

// Truncation toward zero, held to the target's range.
int TruncToInt(double v) {
    if (!(v == v))
        return 0;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

UINT TruncToUInt(double v) {
    if (!(v > 0.0))
        return 0;
    if (v >= static_cast<double>(UINT_MAX))
        return UINT_MAX;
    return static_cast<UINT>(v);
}

} // namespace

CExportDialog::CExportDialog(QWidget* pParent) : CDialog(kExportJpegTemplate, pParent) {
    MapNotification(IDC_EXPORT_WIDTH, EN_UPDATE, &CExportDialog::OnUpdateWidth);
    MapNotification(IDC_EXPORT_HEIGHT, EN_UPDATE, &CExportDialog::OnUpdateHeight);
    MapNotification(IDC_EXPORT_WIDTH, EN_CHANGE, &CExportDialog::OnChangeWidth);
    MapNotification(IDC_EXPORT_HEIGHT, EN_CHANGE, &CExportDialog::OnChangeHeight);
}

void CExportDialog::SetStartValues(int nClientWidth, int nClientHeight) {
    m_nWidth = static_cast<UINT>(nClientWidth);
    m_nHeight = static_cast<UINT>(nClientHeight);
    // A client area without height (a minimised window) links one to one.
    m_fRatio = nClientHeight > 0
                   ? static_cast<float>(static_cast<double>(nClientWidth) / nClientHeight)
                   : 1.0f;
}

void CExportDialog::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXPORT_WIDTH, m_ctlWidth);
    DDX_Control(pDX, IDC_EXPORT_HEIGHT, m_ctlHeight);
    // Filling the fields at opening shows the start values as they are: linking
    // them through each other would show 798 x 598 for an 800 x 600 page.
    m_bFilling = !pDX->m_bSaveAndValidate;
    // The height first, then the width.
    DDX_Text(pDX, IDC_EXPORT_HEIGHT, m_nHeight);
    DDV_MinMaxUInt(pDX, m_nHeight, kMinSide, kMaxSide);
    DDX_Text(pDX, IDC_EXPORT_WIDTH, m_nWidth);
    DDV_MinMaxUInt(pDX, m_nWidth, kMinSide, kMaxSide);
    m_bFilling = false;
}

// The linking runs in double precision on the float ratio: 400 / 1.3333334
// is just below 300 and gives 299.
void CExportDialog::OnUpdateWidth() {
    if (m_bFilling)
        return;
    if (m_bLinking == 1) {
        m_bLinking = 0; // our own change of this field
        return;
    }
    m_bLinking = 1;
    int value = LeadingInt(m_ctlWidth.GetWindowText(kLinkReadChars));
    int height = TruncToInt(value / static_cast<double>(m_fRatio));
    m_nHeight = static_cast<UINT>(height);
    m_ctlHeight.SetWindowText(std::to_string(height));
    m_ctlHeight.UpdateWindow();
}

void CExportDialog::OnUpdateHeight() {
    if (m_bFilling)
        return;
    if (m_bLinking == 1) {
        m_bLinking = 0;
        return;
    }
    m_bLinking = 1;
    int value = LeadingInt(m_ctlHeight.GetWindowText(kLinkReadChars));
    int width = TruncToInt(value * static_cast<double>(m_fRatio));
    m_nWidth = static_cast<UINT>(width);
    m_ctlWidth.SetWindowText(std::to_string(width));
    m_ctlWidth.UpdateWindow();
}

void CExportDialog::OnChangeWidth() {
    if (m_bFilling)
        return;
    m_nHeight = TruncToUInt(m_nWidth / static_cast<double>(m_fRatio));
}

void CExportDialog::OnChangeHeight() {
    if (m_bFilling)
        return;
    m_nWidth = TruncToUInt(m_nHeight * static_cast<double>(m_fRatio));
}
