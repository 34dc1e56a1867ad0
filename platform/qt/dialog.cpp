#include "platform/qt/dialog.h"

#include "platform/qt/edit_control.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

// The window of a running dialog: hands Enter, Esc and the caption's close
// button to the dialog object instead of QDialog's own handling.
class CDialogWindow : public QDialog {
public:
    CDialogWindow(CDialog* owner, QWidget* parent) : QDialog(parent), m_owner(owner) {}

    void EndModal(int nResult) {
        m_bEnding = true;
        done(nResult);
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (m_owner->HandleDialogKey(focusWidget(), e->key()))
            e->accept();
        else
            QWidget::keyPressEvent(e); // not QDialog's: it would end the loop itself
    }

    void closeEvent(QCloseEvent* e) override {
        if (m_bEnding) {
            e->accept();
            return;
        }
        // The caption's close button (or Alt+F4) is the Cancel command.
        e->ignore();
        m_owner->SendCommand(IDCANCEL);
    }

    void reject() override { m_owner->SendCommand(IDCANCEL); }

    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            auto* ke = static_cast<QKeyEvent*>(e);
            int key = ke->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
                auto* w = qobject_cast<QWidget*>(watched);
                if (m_owner->HandleDialogKey(w, key))
                    return true;
            }
        }
        return QDialog::eventFilter(watched, e);
    }

private:
    CDialog* m_owner;
    bool m_bEnding = false;
};

CDialog::CDialog(const DlgTemplate& dialogTemplate, QWidget* pParent)
    : m_template(dialogTemplate), m_pParent(pParent) {}

CDialog::~CDialog() {
    delete m_pWindow;
}

QDialog* CDialog::GetSafeHwnd() const {
    return m_pWindow;
}

void CDialog::MapNotification(int nID, UINT nCode, Handler handler) {
    m_handlers[{nID, nCode}] = std::move(handler);
}

int CDialog::DoModal() {
    QWidget* owner = m_pParent ? m_pParent.data() : QApplication::activeWindow();
    m_pWindow = new CDialogWindow(this, owner);
    m_bEnded = false;
    m_nModalResult = IDCANCEL;
    CreateControls();

    if (OnInitDialog())
        SetInitialFocus();
    int result = m_nModalResult;
    if (!m_bEnded)
        result = m_pWindow->exec();

    // The controls go with the window; members keep what was exchanged.
    CDialogWindow* window = m_pWindow;
    m_pWindow = nullptr;
    m_controls.clear();
    delete window;
    return result;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bEnded = true;
    if (m_pWindow)
        m_pWindow->EndModal(nResult);
}

void CDialog::CreateControls() {
    m_font = DialogFont(m_template.fontName, m_template.fontPointSize);
    m_units = DialogBaseUnitsOf(m_font);
    m_pWindow->setFont(m_font);
    m_pWindow->setWindowTitle(QString::fromUtf8(m_template.caption ? m_template.caption : ""));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (m_template.style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    m_pWindow->setWindowFlags(flags);
    QRect client = MapDialogRect(m_units, 0, 0, m_template.cx, m_template.cy);
    m_pWindow->setFixedSize(client.size());

    for (std::size_t i = 0; i < m_template.itemCount; ++i) {
        const DlgItemTemplate& item = m_template.items[i];
        QWidget* w = CreateControl(item);
        w->setProperty("dlgCtrlId", item.id);
        w->setObjectName(QStringLiteral("ctrl%1").arg(item.id));
        w->installEventFilter(m_pWindow);
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
            combo->lineEdit()->installEventFilter(m_pWindow);
        m_controls.emplace_back(w, &item);
    }
}

QWidget* CDialog::CreateControl(const DlgItemTemplate& item) {
    QWidget* parent = m_pWindow;
    const QString text = QString::fromUtf8(item.text ? item.text : "");
    QRect rc = MapDialogRect(m_units, item.x, item.y, item.cx, item.cy);
    const bool tabStop = (item.style & WS_TABSTOP) != 0;
    const int id = item.id;
    QWidget* w = nullptr;

    switch (item.kind) {
    case DlgControlClass::Button: {
        DWORD type = item.style & BS_TYPEMASK;
        if (type == BS_GROUPBOX) {
            auto* group = new QGroupBox(text, parent);
            group->setFocusPolicy(Qt::NoFocus);
            group->setGeometry(rc);
            group->lower(); // behind the controls it frames
            return group;
        }
        QAbstractButton* button;
        if (type == BS_AUTOCHECKBOX) {
            button = new QCheckBox(text, parent);
        } else {
            auto* push = new QPushButton(text, parent);
            push->setAutoDefault(false); // the dialog picks the button Enter presses
            push->setDefault(type == BS_DEFPUSHBUTTON);
            button = push;
        }
        QObject::connect(button, &QAbstractButton::clicked, m_pWindow,
                         [this, id] { SendCommand(id, BN_CLICKED); });
        button->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
        w = button;
        break;
    }
    case DlgControlClass::Edit: {
        EditControl* edit;
        if (item.style & ES_MULTILINE)
            edit = new MultiLineEditControl(parent, item.style);
        else
            edit = new LineEditControl(parent, item.style);
        edit->SetNotify([this, id](UINT code) { SendCommand(id, code); });
        w = edit->Widget();
        w->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
        break;
    }
    case DlgControlClass::Static: {
        auto* label = new QLabel(parent);
        label->setFocusPolicy(Qt::NoFocus);
        if ((item.style & SS_TYPEMASK) == SS_ICON) {
            // An icon static takes the icon's size, whatever the template says.
            int iconId = text.startsWith(u'#') ? text.mid(1).toInt() : 0;
            if (m_template.loadIcon) {
                QIcon icon = m_template.loadIcon(iconId);
                label->setPixmap(icon.pixmap(32, 32));
            }
            rc.setSize(QSize(32, 32));
        } else {
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
        w = label;
        break;
    }
    case DlgControlClass::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable((item.style & 0x3) == CBS_DROPDOWN);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setDuplicatesEnabled(true);
        if (combo->isEditable())
            combo->setCompleter(nullptr); // typing completes nothing
        combo->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
        combo->setFont(m_font);
        // The template's height includes the drop-down list.
        int boxHeight = combo->sizeHint().height();
        int listHeight = rc.height() - boxHeight;
        int itemHeight = QFontMetrics(m_font).height() + 2;
        combo->setMaxVisibleItems(std::max(1, listHeight / std::max(1, itemHeight)));
        combo->view()->setVerticalScrollBarPolicy(
            (item.style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        rc.setHeight(boxHeight);
        w = combo;
        break;
    }
    }
    w->setGeometry(rc);
    return w;
}

void CDialog::SetInitialFocus() {
    for (auto& [w, item] : m_controls) {
        if ((item->style & WS_TABSTOP) && w->isEnabled() && w->focusPolicy() != Qt::NoFocus) {
            GotoDlgCtrl(item->id);
            return;
        }
    }
}

const DlgItemTemplate* CDialog::ItemOf(const QWidget* widget) const {
    for (const auto& [w, item] : m_controls)
        if (w == widget || (widget && w->isAncestorOf(widget)))
            return item;
    return nullptr;
}

int CDialog::DefaultButtonId() const {
    for (const auto& [w, item] : m_controls)
        if (item->kind == DlgControlClass::Button &&
            (item->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && w->isEnabled())
            return item->id;
    return IDOK; // no default push button: Enter is the OK command
}

bool CDialog::HandleDialogKey(QWidget* target, int key) {
    if (key == Qt::Key_Escape) {
        SendCommand(IDCANCEL);
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (auto* multi = dynamic_cast<MultiLineEditControl*>(target); multi && multi->WantsReturn())
        return false; // Enter starts a new line there
    const DlgItemTemplate* item = ItemOf(target);
    if (item && item->kind == DlgControlClass::Button &&
        (item->style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) {
        SendCommand(item->id); // a push button with the focus is the default one
        return true;
    }
    SendCommand(DefaultButtonId());
    return true;
}

void CDialog::SendCommand(int nID, UINT nCode) {
    auto it = m_handlers.find({nID, nCode});
    if (it != m_handlers.end()) {
        Handler handler = it->second; // the handler may remap
        handler();
        return;
    }
    if (nCode != BN_CLICKED)
        return;
    if (nID == IDOK)
        OnOK();
    else if (nID == IDCANCEL)
        OnCancel();
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

QWidget* CDialog::GetDlgItem(int nID) const {
    for (const auto& [w, item] : m_controls)
        if (item->id == nID)
            return w;
    return nullptr;
}

void CDialog::SetDlgItemText(int nID, const std::string& text) {
    QWidget* w = GetDlgItem(nID);
    if (!w)
        return;
    QString q = FromUtf8(text);
    if (EditControl* edit = AsEditControl(w))
        edit->SetText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->setEditText(q);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(q);
    else if (auto* group = qobject_cast<QGroupBox*>(w))
        group->setTitle(q);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(q);
}

std::string CDialog::GetDlgItemText(int nID) const {
    QWidget* w = GetDlgItem(nID);
    if (!w)
        return std::string();
    if (EditControl* edit = AsEditControl(w))
        return edit->GetText();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return ToUtf8(combo->currentText());
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return ToUtf8(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return ToUtf8(group->title());
    if (auto* label = qobject_cast<QLabel*>(w))
        return ToUtf8(label->text());
    return std::string();
}

void CDialog::GotoDlgCtrl(int nID) {
    QWidget* w = GetDlgItem(nID);
    if (!w)
        return;
    w->setFocus(Qt::TabFocusReason);
    if (EditControl* edit = AsEditControl(w))
        edit->SelectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
}

void CDialog::SetFocus(int nID) {
    if (QWidget* w = GetDlgItem(nID))
        w->setFocus(Qt::OtherFocusReason);
}
