#include "platform/qt/color_dialog.h"

#include <QColorDialog>

namespace {
CColorDialog::AnswerHook s_hook;
}

void CColorDialog::SetAnswerHook(AnswerHook hook) {
    s_hook = std::move(hook);
}

CColorDialog::CColorDialog(COLORREF clrInit, QWidget* pParentWnd)
    : m_color(clrInit), m_pParent(pParentWnd) {}

int CColorDialog::DoModal() {
    if (s_hook) {
        std::optional<COLORREF> answer = s_hook(m_color);
        if (!answer)
            return IDCANCEL;
        m_color = *answer;
        return IDOK;
    }
    QColor initial(GetRValue(m_color), GetGValue(m_color), GetBValue(m_color));
    // Qt's own dialog, so it looks and behaves the same on every desktop.
    QColor chosen =
        QColorDialog::getColor(initial, m_pParent, QString(), QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return IDCANCEL;
    m_color = RGB(static_cast<BYTE>(chosen.red()), static_cast<BYTE>(chosen.green()),
                  static_cast<BYTE>(chosen.blue()));
    return IDOK;
}
