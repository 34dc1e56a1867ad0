#include "dialogs/text_item_dialog.h"

#include "document/fixed_text.h"
#include "platform/qt/ddx.h"
#include "platform/win/afxmsgbox.h"
#include "dialogs/dialog_templates.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

const char* const CTextItemDialog::kFontNames[12] = {
    "Arial",          "Arial Narrow", "Mistral", "Times New Roman", "Helvetica", "Palatino",
    "Century Gothic", "Tahoma",       "Verdana", "Garamond",        "Bookman",   "Wingdings",
};

namespace {

// Message of the refusal of an empty font name.
constexpr const char* kMsgEmptyFont = "Please enter a font name.";

bool IsBlankText(const std::string& s) {
    for (char c : s)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

} // namespace

CTextItemDialog::CTextItemDialog(QWidget* pParent) : CDialog(kTextItemTemplate, pParent) {
    // The OK button is not the dialog's IDOK; it runs the same operation.
    MapCommand(IDC_TEXT_OK, &CTextItemDialog::OnOK);
}

BOOL CTextItemDialog::OnInitDialog() {
    // The list is filled before any member goes into the controls.
    if (auto* combo = qobject_cast<QComboBox*>(GetDlgItem(IDC_FONT)))
        for (const char* name : kFontNames)
            combo->addItem(QString::fromLatin1(name));
    const BOOL result = CDialog::OnInitDialog();
    auto* text = qobject_cast<QPlainTextEdit*>(GetDlgItem(IDC_TEXT));
    auto* left = qobject_cast<QLabel*>(GetDlgItem(IDC_TEXT_LEFT));
    if (text && left) {
        const auto update = [text, left] {
            left->setText(
                QString::fromStdString(CharactersLeftText(text->toPlainText().toStdString())));
        };
        QObject::connect(text, &QPlainTextEdit::textChanged, left, update);
        update();
    }
    return result;
}

std::string CTextItemDialog::CharactersLeftText(const std::string& typed) {
    // As the item will hold it: UTF-8, each line break as CR LF.
    long long used = 0;
    for (char c : typed)
        used += c == '\n' ? 2 : 1;
    const long long left = MAX_TEXT_CHARS - used;
    if (left >= 0)
        return std::to_string(left) + " of " + std::to_string(MAX_TEXT_CHARS) + " characters left";
    return std::to_string(-left) + " characters too many: the text is cut at " +
           std::to_string(MAX_TEXT_CHARS);
}

void CTextItemDialog::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TEXT, m_strText);
    DDX_Check(pDX, IDC_BOLD, m_nBold);
    DDX_Check(pDX, IDC_ITALIC, m_nItalic);
    DDX_Check(pDX, IDC_UNDERLINE, m_nUnderline);
    DDX_CBString(pDX, IDC_FONT, m_strFont);
    DDV_MaxChars(pDX, m_strFont, kMaxFontChars);
    // An empty font name could not be read back from an album file (empty
    // lines are skipped there), so it is refused like the other checks.
    if (pDX->m_bSaveAndValidate && IsBlankText(m_strFont)) {
        AfxMessageBox(kMsgEmptyFont, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void CTextItemDialog::SetFromItem(const PageItem& item) {
    m_strText = item.szText;
    m_nBold = item.bBold;
    m_nItalic = item.bItalic;
    m_nUnderline = item.bUnderline;
    m_strFont = item.szFontName;
}

bool CTextItemDialog::CopyToItem(PageItem& item) const {
    bool whole = CopyToField(item.szText, m_strText);
    whole = CopyToField(item.szFontName, m_strFont) && whole;
    item.bBold = m_nBold;
    item.bItalic = m_nItalic;
    item.bUnderline = m_nUnderline;
    return whole;
}
