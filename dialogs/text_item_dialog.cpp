#include "dialogs/text_item_dialog.h"

#include "document/page_item.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

const char* const CTextItemDialog::kFontNames[12] = {
    "Arial",          "Arial Narrow", "Mistral", "Times New Roman", "Helvetica", "Palatino",
    "Century Gothic", "Tahoma",       "Verdana", "Garamond",        "Bookman",   "Wingdings",
};

namespace {

constexpr int kStyleIds[3] = {IDC_BOLD, IDC_ITALIC, IDC_UNDERLINE};
constexpr const char* kStyleNames[3] = {"Bold", "Italic", "Underline"};
// Lines the text box shows; the user's typing stops at the last one.
constexpr int kTextLines = 6;

// The text box: Enter starts a new line, Tab moves the focus, words wrap, and
// no edit by the user may need more lines than the box shows (it is refused
// with a beep), as the item is drawn within its box.
class BoundedTextEdit : public QPlainTextEdit {
public:
    BoundedTextEdit() {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setLineWrapMode(QPlainTextEdit::WidgetWidth);
        setTabChangesFocus(true);
        document()->setDocumentMargin(2);
        const int frame = 2 * frameWidth();
        setFixedHeight(fontMetrics().lineSpacing() * kTextLines + 4 + frame);
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        Bounded([&] { QPlainTextEdit::keyPressEvent(e); });
    }
    void inputMethodEvent(QInputMethodEvent* e) override {
        Bounded([&] { QPlainTextEdit::inputMethodEvent(e); });
    }
    void insertFromMimeData(const QMimeData* source) override {
        Bounded([&] { QPlainTextEdit::insertFromMimeData(source); });
    }

private:
    bool Overflows() const {
        qreal height = 2 * document()->documentMargin();
        for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
            height += blockBoundingRect(b).height();
        return height > viewport()->height();
    }

    // Runs one edit by the user, undoing it when it grows the text past the box.
    template <class Edit> void Bounded(Edit edit) {
        const QString before = toPlainText();
        const QTextCursor cursor = textCursor();
        edit();
        if (toPlainText() == before || !Overflows() || toPlainText().size() < before.size())
            return;
        const QSignalBlocker quiet(this);
        setPlainText(before);
        setTextCursor(cursor);
        verticalScrollBar()->setValue(0);
        QApplication::beep();
        emit textChanged(); // the counter shows the text as it is again
    }
};

bool IsBlankText(const std::string& s) {
    return s.find_first_not_of(" \t") == std::string::npos;
}

} // namespace

void CTextItemDialog::CreateControls(QDialog& window) {
    window.setWindowTitle("Edit Text Item");
    auto* style = new QGroupBox("Style");
    auto* styleColumn = new QVBoxLayout(style);
    for (int i = 0; i < 3; ++i)
        styleColumn->addWidget(Control(kStyleIds[i], new QCheckBox(kStyleNames[i])));

    auto* font = Control(IDC_FONT, new QComboBox);
    font->setEditable(true);
    font->setInsertPolicy(QComboBox::NoInsert);
    font->setCompleter(nullptr); // typing completes nothing
    for (const char* name : kFontNames)
        font->addItem(QString::fromLatin1(name));
    auto* fontLabel = new QLabel("Font:");
    fontLabel->setBuddy(font);

    // The OK button is not the default one: Enter outside the text box is
    // the OK command, Enter in it a new line.
    auto* buttons = new QDialogButtonBox(Qt::Vertical);
    QObject::connect(AddButton(buttons, IDC_TEXT_OK, "OK", false), &QPushButton::clicked, buttons,
                     [this] { OnOK(); });
    AddButton(buttons, IDCANCEL, "Cancel", false);

    auto* text = Control(IDC_TEXT, new BoundedTextEdit);
    auto* left = Control(IDC_TEXT_LEFT, new QLabel);
    QObject::connect(text, &QPlainTextEdit::textChanged, left, [text, left] {
        left->setText(
            QString::fromStdString(CharactersLeftText(text->toPlainText().toStdString())));
    });

    auto* grid = new QGridLayout(&window);
    grid->addWidget(style, 0, 0, 2, 1);
    grid->addWidget(fontLabel, 0, 1, Qt::AlignTop);
    grid->addWidget(font, 0, 2, Qt::AlignTop);
    grid->addWidget(buttons, 0, 3, 2, 1, Qt::AlignTop);
    grid->addWidget(text, 2, 0, 1, 4);
    grid->addWidget(left, 3, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 55);
}

void CTextItemDialog::OnInitDialog() {
    FillDlgItemText(IDC_TEXT, m_strText);
    emit static_cast<QPlainTextEdit*>(GetDlgItem(IDC_TEXT))->textChanged();
    for (int* value : {&m_nBold, &m_nItalic, &m_nUnderline}) {
        if (*value < 0 || *value > 2)
            *value = 0;
    }
    const int values[3] = {m_nBold, m_nItalic, m_nUnderline};
    for (int i = 0; i < 3; ++i) // the in-between value 2 shows as checked
        static_cast<QCheckBox*>(GetDlgItem(kStyleIds[i]))->setChecked(values[i] != 0);

    // The first entry that begins with the name (case ignored), else the name.
    auto* font = static_cast<QComboBox*>(GetDlgItem(IDC_FONT));
    const QString name = QString::fromStdString(m_strFont);
    int found = -1;
    for (int i = 0; i < font->count() && found < 0; ++i)
        if (font->itemText(i).startsWith(name, Qt::CaseInsensitive))
            found = i;
    if (found >= 0)
        font->setCurrentIndex(found);
    font->setEditText(found >= 0 ? font->itemText(found) : name);
    font->lineEdit()->setCursorPosition(0); // the name shows from its start
}

bool CTextItemDialog::ReadControls() {
    m_strText = GetDlgItemText(IDC_TEXT);
    int* values[3] = {&m_nBold, &m_nItalic, &m_nUnderline};
    for (int i = 0; i < 3; ++i)
        *values[i] = static_cast<QCheckBox*>(GetDlgItem(kStyleIds[i]))->isChecked() ? 1 : 0;
    m_strFont = GetDlgItemText(IDC_FONT);
    if (QString::fromStdString(m_strFont).toUcs4().size() > kMaxFontChars)
        return Refuse(IDC_FONT,
                      "Please enter no more than " + std::to_string(kMaxFontChars) + " characters.",
                      MB_ICONEXCLAMATION);
    // An empty font name could not be read back from an album file (empty
    // lines are skipped there), so it is refused like the other checks.
    if (IsBlankText(m_strFont))
        return Refuse(IDC_FONT, "Please enter a font name.", MB_ICONEXCLAMATION);
    return true;
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

void CTextItemDialog::SetFields(const TextItemFields& fields) {
    m_strText = fields.text;
    m_nBold = fields.bBold;
    m_nItalic = fields.bItalic;
    m_nUnderline = fields.bUnderline;
    m_strFont = fields.fontName;
}

TextItemFields CTextItemDialog::Fields() const {
    return {m_strText, m_nBold, m_nItalic, m_nUnderline, m_strFont};
}
