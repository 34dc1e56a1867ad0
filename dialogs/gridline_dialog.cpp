#include "dialogs/gridline_dialog.h"

#include "platform/qt/ddx.h"
#include "dialogs/dialog_templates.h"

CGridlineDialog::CGridlineDialog(QWidget* pParent) : CDialog(kGridlineTemplate, pParent) {}

void CGridlineDialog::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_HORIZ_SPACING, m_fHorizSpacing);
    DDV_MinMaxFloat(pDX, m_fHorizSpacing, kMinSpacing, kMaxSpacing);
    DDX_Text(pDX, IDC_VERT_SPACING, m_fVertSpacing);
    DDV_MinMaxFloat(pDX, m_fVertSpacing, kMinSpacing, kMaxSpacing);
}
