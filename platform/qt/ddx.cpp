#include "platform/qt/ddx.h"

#include "platform/qt/dialog.h"
#include "platform/qt/edit_control.h"
#include "platform/win/afxmsgbox.h"
#include "platform/win/c_locale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <cfloat>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Sets the control's text only when it differs, so that an unchanged field
// raises no notifications.
void SetEditTextIfChanged(EditControl* edit, const std::string& text) {
    if (edit->GetText() != text)
        edit->SetText(text);
}

EditControl* EditOf(CDataExchange* pDX, int nIDC) {
    EditControl* edit = AsEditControl(pDX->PrepareEditCtrl(nIDC));
    if (!edit) {
        std::fprintf(stderr, "dialog control %d is not an edit control\n", nIDC);
        pDX->Fail();
    }
    return edit;
}

[[noreturn]] void FailWith(CDataExchange* pDX, const std::string& message, UINT nType) {
    AfxMessageBox(message, nType);
    pDX->Fail();
}

} // namespace

QWidget* CDataExchange::PrepareCtrl(int nIDC) {
    QWidget* w = m_pDlgWnd->GetDlgItem(nIDC);
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    if (!w) {
        std::fprintf(stderr, "dialog has no control %d\n", nIDC);
        Fail();
    }
    return w;
}

QWidget* CDataExchange::PrepareEditCtrl(int nIDC) {
    QWidget* w = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return w;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        if (m_bEditLastControl)
            m_pDlgWnd->GotoDlgCtrl(m_idLastControl);
        else
            m_pDlgWnd->SetFocus(m_idLastControl);
    }
    throw Failure{};
}

bool ParseDialogFloat(const char* text, double& value) {
    while (IsBlank(*text))
        ++text;
    const char chFirst = *text;
    std::size_t len = 0;
    value = LeadingDecimalC(text, &len);
    text += len;
    if (value == 0.0 && chFirst != '0')
        return false; // nothing read
    while (IsBlank(*text))
        ++text;
    return *text == '\0';
}

bool ParseDialogUInt(const char* text, UINT& value) {
    while (IsBlank(*text))
        ++text;
    const char chFirst = *text;
    if (chFirst == '-')
        return false;
    std::size_t i = 0;
    if (text[i] == '+')
        ++i;
    unsigned long long v = 0;
    std::size_t start = i;
    while (text[i] >= '0' && text[i] <= '9') {
        if (v <= UINT_MAX)
            v = v * 10 + static_cast<unsigned>(text[i] - '0');
        ++i;
    }
    if (i == start)
        i = 0; // no digits: nothing read
    if (v > UINT_MAX)
        v = UINT_MAX;
    if (v == 0 && chFirst != '0')
        return false;
    text += i;
    while (IsBlank(*text))
        ++text;
    if (*text != '\0')
        return false;
    value = static_cast<UINT>(v);
    return true;
}

int ComboFindPrefix(const QComboBox* combo, int nStartAfter, const QString& prefix) {
    const int n = combo->count();
    for (int k = 1; k <= n; ++k) {
        int i = (nStartAfter + k) % n;
        if (i < 0)
            i += n;
        if (combo->itemText(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
    EditControl* edit = EditOf(pDX, nIDC);
    if (pDX->m_bSaveAndValidate)
        value = edit->GetText();
    else
        SetEditTextIfChanged(edit, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
    EditControl* edit = EditOf(pDX, nIDC);
    if (pDX->m_bSaveAndValidate) {
        std::string text = Utf8Left(edit->GetText(), 31);
        double d = 0.0;
        if (!ParseDialogFloat(text.c_str(), d))
            FailWith(pDX, kMsgParseReal, MB_OK);
        value = static_cast<float>(d);
    } else {
        SetEditTextIfChanged(edit, FormatC("%.*g", FLT_DIG, static_cast<double>(value)));
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    EditControl* edit = EditOf(pDX, nIDC);
    if (pDX->m_bSaveAndValidate) {
        std::string text = Utf8Left(edit->GetText(), 63);
        UINT v = 0;
        if (!ParseDialogUInt(text.c_str(), v))
            FailWith(pDX, kMsgParseUInt, MB_OK);
        value = v;
    } else {
        SetEditTextIfChanged(edit, FormatC("%u", value));
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    auto* box = qobject_cast<QCheckBox*>(pDX->PrepareCtrl(nIDC));
    if (!box) {
        std::fprintf(stderr, "dialog control %d is not a check box\n", nIDC);
        pDX->Fail();
    }
    if (pDX->m_bSaveAndValidate) {
        value = box->isChecked() ? 1 : 0;
    } else {
        if (value < 0 || value > 2)
            value = 0;
        // A two-state box shows the indeterminate value 2 as checked.
        box->setChecked(value != 0);
    }
}

void DDX_CBString(CDataExchange* pDX, int nIDC, std::string& value) {
    auto* combo = qobject_cast<QComboBox*>(pDX->PrepareCtrl(nIDC));
    if (!combo) {
        std::fprintf(stderr, "dialog control %d is not a combo box\n", nIDC);
        pDX->Fail();
    }
    if (pDX->m_bSaveAndValidate) {
        value = ToUtf8(combo->currentText());
        return;
    }
    QString text = FromUtf8(value);
    int i = ComboFindPrefix(combo, -1, text);
    if (i >= 0) {
        combo->setCurrentIndex(i);
        if (combo->isEditable())
            combo->setEditText(combo->itemText(i));
    } else if (combo->isEditable() && combo->currentText() != text) {
        combo->setEditText(text);
    }
    if (combo->lineEdit())
        combo->lineEdit()->setCursorPosition(0); // the name shows from its start
}

void DDX_Control(CDataExchange* pDX, int nIDC, CEdit& control) {
    EditControl* edit = AsEditControl(pDX->m_pDlgWnd->GetDlgItem(nIDC));
    if (!edit) {
        pDX->PrepareCtrl(nIDC);
        std::fprintf(stderr, "dialog control %d is not an edit control\n", nIDC);
        pDX->Fail();
    }
    control.Attach(edit);
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars) {
    if (pDX->m_bSaveAndValidate) {
        if (Utf8Length(value) > static_cast<std::size_t>(nChars))
            FailWith(pDX, AfxFormatString2(kMsgParseStringSize, FormatC("%d", nChars)),
                     MB_ICONEXCLAMATION);
    } else if (pDX->m_idLastControl != 0 && pDX->m_bEditLastControl) {
        if (EditControl* edit = AsEditControl(pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl)))
            edit->LimitText(nChars);
    }
}

void DDV_MinMaxFloat(CDataExchange* pDX, float value, float minVal, float maxVal) {
    if (!pDX->m_bSaveAndValidate)
        return; // values given to an opening dialog are not checked
    if (value < minVal || value > maxVal)
        FailWith(pDX,
                 AfxFormatString2(kMsgParseRealRange,
                                  FormatC("%.*g", FLT_DIG, static_cast<double>(minVal)),
                                  FormatC("%.*g", FLT_DIG, static_cast<double>(maxVal))),
                 MB_ICONEXCLAMATION);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    if (!pDX->m_bSaveAndValidate)
        return;
    if (value < minVal || value > maxVal)
        FailWith(pDX,
                 AfxFormatString2(kMsgParseIntRange, FormatC("%u", minVal), FormatC("%u", maxVal)),
                 MB_ICONEXCLAMATION);
}

// The dialog's side of the exchange, here with the exchange it runs.
void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    if (!m_pWindow)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CDataExchange::Failure&) {
        return FALSE;
    }
    return TRUE;
}
