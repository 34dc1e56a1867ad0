#include "platform/qt/edit_control.h"

#include <QApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QValidator>

namespace {

// A limit on typing only: text set by the program may be longer, as with
// the edit controls' own limit (setMaxLength would cut it).
class TypingLimit : public QValidator {
public:
    TypingLimit(int nChars, QObject* parent) : QValidator(parent), m_nChars(nChars) {}
    State validate(QString& input, int&) const override {
        return input.size() > m_nChars ? Invalid : Acceptable;
    }

private:
    int m_nChars;
};

} // namespace

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

std::size_t Utf8Length(const std::string& text) {
    std::size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

std::string Utf8Left(const std::string& text, std::size_t nMaxChars) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == nMaxChars)
                return text.substr(0, i);
            ++chars;
        }
    }
    return text;
}

void EditControl::SetText(const std::string& text) {
    ReplaceText(text);
    RaiseChange();
}

void EditControl::RaiseChange() {
    if (!m_notify)
        return;
    // Copied: a handler may replace the receiver while it runs.
    NotifyFn notify = m_notify;
    notify(EN_UPDATE);
    notify(EN_CHANGE);
}

EditControl* AsEditControl(QWidget* widget) {
    return dynamic_cast<EditControl*>(widget);
}

LineEditControl::LineEditControl(QWidget* parent, DWORD style) : QLineEdit(parent) {
    setFrame((style & WS_BORDER) != 0);
    // textEdited comes only from the user's editing; the program's changes
    // notify through SetText.
    connect(this, &QLineEdit::textEdited, this, [this](const QString&) { RaiseChange(); });
}

std::string LineEditControl::GetText() const {
    return ToUtf8(text());
}

void LineEditControl::ReplaceText(const std::string& value) {
    setText(FromUtf8(value));
    setCursorPosition(0); // a text set by the program shows from its start
}

void LineEditControl::LimitText(int nChars) {
    const QValidator* old = validator();
    setValidator(nChars > 0 ? new TypingLimit(nChars, this) : nullptr);
    delete old;
}

MultiLineEditControl::MultiLineEditControl(QWidget* parent, DWORD style)
    : QPlainTextEdit(parent), m_bWantReturn((style & ES_WANTRETURN) != 0),
      m_bAutoVScroll((style & (ES_AUTOVSCROLL | WS_VSCROLL)) != 0) {
    if (!(style & WS_BORDER))
        setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn
                                                      : Qt::ScrollBarAlwaysOff);
    // Without horizontal scrolling the words wrap at the box's width.
    setLineWrapMode((style & (WS_HSCROLL | ES_AUTOHSCROLL)) ? QPlainTextEdit::NoWrap
                                                            : QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    document()->setDocumentMargin(2);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (m_bSettingText)
            return;
        if (m_bDeferNotify)
            m_bChanged = true; // notified once the edit is kept
        else
            RaiseChange();
    });
}

bool MultiLineEditControl::Overflows() const {
    qreal height = 2 * document()->documentMargin();
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        height += blockBoundingRect(b).height();
    return height > viewport()->height();
}

template <class Edit> void MultiLineEditControl::UserEdit(Edit edit) {
    if (m_bAutoVScroll || m_bDeferNotify) {
        edit();
        return;
    }
    const QString before = toPlainText();
    const QTextCursor cursor = textCursor();
    const int anchor = cursor.anchor();
    const int position = cursor.position();
    m_bDeferNotify = true;
    m_bChanged = false;
    edit();
    m_bDeferNotify = false;
    if (!m_bChanged)
        return;
    if (Overflows() && toPlainText().size() >= before.size()) {
        m_bSettingText = true;
        setPlainText(before);
        m_bSettingText = false;
        QTextCursor back = textCursor();
        back.setPosition(anchor);
        back.setPosition(position, QTextCursor::KeepAnchor);
        setTextCursor(back);
        verticalScrollBar()->setValue(0);
        QApplication::beep();
        return;
    }
    RaiseChange();
}

void MultiLineEditControl::keyPressEvent(QKeyEvent* e) {
    UserEdit([&] { QPlainTextEdit::keyPressEvent(e); });
}

void MultiLineEditControl::inputMethodEvent(QInputMethodEvent* e) {
    UserEdit([&] { QPlainTextEdit::inputMethodEvent(e); });
}

void MultiLineEditControl::insertFromMimeData(const QMimeData* source) {
    UserEdit([&] { QPlainTextEdit::insertFromMimeData(source); });
}

std::string MultiLineEditControl::GetText() const {
    std::string plain = ToUtf8(toPlainText());
    std::string out;
    out.reserve(plain.size() + plain.size() / 8);
    for (char c : plain) {
        if (c == '\n')
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

void MultiLineEditControl::ReplaceText(const std::string& value) {
    std::string plain;
    plain.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r') {
            plain += '\n';
            if (i + 1 < value.size() && value[i + 1] == '\n')
                ++i;
        } else {
            plain += value[i];
        }
    }
    m_bSettingText = true;
    setPlainText(FromUtf8(plain));
    m_bSettingText = false;
}

void CEdit::Attach(EditControl* control) {
    m_control = control;
    m_widget = control ? control->Widget() : nullptr;
}

void CEdit::Detach() {
    m_control = nullptr;
    m_widget = nullptr;
}

void CEdit::SetWindowText(const std::string& text) {
    if (Control())
        Control()->SetText(text);
}

std::string CEdit::GetWindowText(int nMaxChars) const {
    EditControl* control = Control();
    if (!control)
        return std::string();
    std::string text = control->GetText();
    if (nMaxChars >= 0)
        text = Utf8Left(text, static_cast<std::size_t>(nMaxChars));
    return text;
}

void CEdit::UpdateWindow() {
    if (Control())
        Control()->Widget()->repaint();
}

void CEdit::SetFocus() {
    if (Control())
        Control()->Widget()->setFocus(Qt::OtherFocusReason);
}

void CEdit::SetSel(int nStart, int nEnd) {
    EditControl* control = Control();
    if (!control)
        return;
    if (auto* line = dynamic_cast<QLineEdit*>(control->Widget())) {
        if (nStart == 0 && nEnd < 0)
            line->selectAll();
        else
            line->setSelection(nStart, (nEnd < 0 ? line->text().size() : nEnd) - nStart);
    } else if (nStart == 0 && nEnd < 0) {
        control->SelectAll();
    }
}
