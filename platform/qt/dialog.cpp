#include "platform/qt/dialog.h"

#include "base/number_entry.h"
#include "platform/win/afxmsgbox.h"
#include "base/c_locale.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cfloat>

namespace {

constexpr const char* kIdProperty = "dlgCtrlId";

// The framework's messages of a refused number.
constexpr const char* kMsgParseReal = "Please enter a number.";
constexpr const char* kMsgParseRealRange = "Please enter a number between %1 and %2.";
constexpr const char* kMsgParseUInt = "Please enter a positive integer.";
constexpr const char* kMsgParseIntRange = "Please enter an integer between %1 and %2.";

// The first n characters (code points) of a text.
QString LeftChars(const QString& text, int n) {
    const QList<uint> chars = text.toUcs4();
    if (chars.size() <= n)
        return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.data()), n);
}

} // namespace

// The window of a running dialog: Enter, Esc and the caption's close button
// go to the dialog object.
class CDialogWindow : public QDialog {
public:
    CDialogWindow(std::function<void()> onEnter, std::function<void()> onCancel, QWidget* parent)
        : QDialog(parent), m_onEnter(std::move(onEnter)), m_onCancel(std::move(onCancel)) {}

    void reject() override { m_onCancel(); } // Esc and the close button

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
            return QDialog::keyPressEvent(e);
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click(); // a push button with the focus is the one Enter presses
        else
            m_onEnter();
    }

private:
    std::function<void()> m_onEnter, m_onCancel;
};

CDialog::CDialog(QWidget* pParent) : m_pParent(pParent) {}

CDialog::~CDialog() {
    delete m_pWindow;
}

int CDialog::DoModal() {
    QWidget* owner = m_pParent ? m_pParent.data() : QApplication::activeWindow();
    auto* window = new CDialogWindow([this] { OnEnter(); }, [this] { OnCancel(); }, owner);
    m_pWindow = window;
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    CreateControls(*window);
    window->setFixedSize(window->sizeHint()); // the layout's size; no sizing border
    m_bFilling = true;
    OnInitDialog();
    m_bFilling = false;
    // The focus starts on the first control that takes it, its text selected.
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->property(kIdProperty).isValid() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            if (auto* line = qobject_cast<QLineEdit*>(w))
                line->selectAll();
            break;
        }
    const int result = window->exec();
    m_pWindow = nullptr; // the controls go with the window; the members stay
    delete window;
    return result == IDOK ? IDOK : IDCANCEL;
}

void CDialog::EndDialog(int nResult) {
    if (m_pWindow)
        m_pWindow->done(nResult);
}

void CDialog::OnOK() {
    if (ReadControls())
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnEnter() {
    if (m_pWindow)
        for (QPushButton* b : m_pWindow->findChildren<QPushButton*>())
            if (b->isDefault() && b->isEnabled())
                return b->click();
    OnOK();
}

void CDialog::Register(int nID, QWidget* widget) {
    widget->setProperty(kIdProperty, nID);
    widget->setObjectName(QStringLiteral("ctrl%1").arg(nID));
    // Only the user's typing is told here; SetDlgItemText tells the rest.
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        QObject::connect(line, &QLineEdit::textEdited, line, [this, nID] {
            if (!m_bFilling)
                OnEditChanged(nID);
        });
}

QPushButton* CDialog::AddButton(QDialogButtonBox* box, int nID, const QString& text,
                                bool bDefault) {
    const auto role = nID == IDOK       ? QDialogButtonBox::AcceptRole
                      : nID == IDCANCEL ? QDialogButtonBox::RejectRole
                                        : QDialogButtonBox::ActionRole;
    QPushButton* button = Control(nID, box->addButton(text, role));
    button->setAutoDefault(false); // Enter presses the default button only
    button->setDefault(bDefault);
    if (nID == IDOK || nID == IDCANCEL)
        QObject::connect(button, &QPushButton::clicked, button,
                         [this, nID] { nID == IDOK ? OnOK() : OnCancel(); });
    return button;
}

QWidget* CDialog::GetDlgItem(int nID) const {
    if (!m_pWindow)
        return nullptr;
    for (QWidget* w : m_pWindow->findChildren<QWidget*>())
        if (w->property(kIdProperty).toInt() == nID && w->property(kIdProperty).isValid())
            return w;
    return nullptr;
}

void CDialog::FillDlgItemText(int nID, const std::string& text) {
    const bool filling = m_bFilling;
    m_bFilling = true;
    SetDlgItemText(nID, text);
    m_bFilling = filling;
}

void CDialog::SetDlgItemText(int nID, const std::string& text) {
    QWidget* w = GetDlgItem(nID);
    const QString q = QString::fromStdString(text);
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
        line->setText(q);
        line->setCursorPosition(0); // a text set by the program shows from its start
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(w)) {
        box->setPlainText(QString(q).replace("\r\n", "\n").replace('\r', '\n'));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setEditText(q);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(q);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(q);
    }
    if (!m_bFilling && (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)))
        OnEditChanged(nID);
}

std::string CDialog::GetDlgItemText(int nID) const {
    QWidget* w = GetDlgItem(nID);
    QString text;
    if (auto* line = qobject_cast<QLineEdit*>(w))
        text = line->text();
    else if (auto* box = qobject_cast<QPlainTextEdit*>(w))
        text = box->toPlainText().replace('\n', "\r\n"); // a line break is CR LF
    else if (auto* combo = qobject_cast<QComboBox*>(w))
        text = combo->currentText();
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        text = button->text();
    else if (auto* label = qobject_cast<QLabel*>(w))
        text = label->text();
    return text.toStdString();
}

bool CDialog::Refuse(int nID, const std::string& message, UINT nType) {
    AfxMessageBox(message, nType);
    QWidget* w = GetDlgItem(nID);
    if (!w)
        return false;
    w->setFocus(Qt::TabFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(w))
        line->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
    else if (auto* box = qobject_cast<QPlainTextEdit*>(w))
        box->selectAll();
    return false;
}

bool CDialog::ReadNumber(int nID, double& value) {
    auto* line = qobject_cast<QLineEdit*>(GetDlgItem(nID));
    auto* reader = line ? dynamic_cast<const NumberFieldValidator*>(line->validator()) : nullptr;
    if (!reader)
        return false;
    const QString text = line->text();
    // A text that reads as a number is stored before its range is checked.
    if (double read = 0; reader->Read(text, read))
        value = read;
    if (auto problem = reader->Problem(text))
        return Refuse(nID, problem->first, problem->second);
    return true;
}

NumberFieldValidator::NumberFieldValidator(Kind kind, double minVal, double maxVal, QObject* parent)
    : QValidator(parent), m_kind(kind), m_min(minVal), m_max(maxVal) {}

bool NumberFieldValidator::Read(const QString& text, double& value) const {
    if (m_kind == Kind::Real)
        return ParseDialogFloat(LeftChars(text, 31).toStdString().c_str(), value);
    unsigned u = 0;
    if (!ParseDialogUInt(LeftChars(text, 63).toStdString().c_str(), u))
        return false;
    value = u;
    return true;
}

QValidator::State NumberFieldValidator::validate(QString& input, int&) const {
    return Problem(input) ? Intermediate : Acceptable;
}

std::optional<std::pair<std::string, UINT>>
NumberFieldValidator::Problem(const QString& text) const {
    double v = 0;
    const bool real = m_kind == Kind::Real;
    if (!Read(text, v))
        return std::pair<std::string, UINT>(real ? kMsgParseReal : kMsgParseUInt, MB_OK);
    if (real)
        v = static_cast<float>(v); // the member that keeps it is a float
    if (v >= m_min && v <= m_max)
        return std::nullopt;
    const auto shown = [real](double d) {
        return real ? FormatC("%.*g", FLT_DIG, d) : FormatC("%.0f", d);
    };
    return std::pair<std::string, UINT>(
        AfxFormatString2(real ? kMsgParseRealRange : kMsgParseIntRange, shown(m_min), shown(m_max)),
        MB_ICONEXCLAMATION);
}
