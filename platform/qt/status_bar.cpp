#include "platform/qt/status_bar.h"
#include "platform/win/app_resources.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>

namespace {

// Follows the lock keys through the application's key events. Qt offers no
// query of lock states; X11 reports Caps Lock and Num Lock in the modifier
// state of every key event (Lock and Mod2), and Scroll Lock is followed by
// counting its presses.
class KeyLockTracker : public QObject {
public:
    static KeyLockTracker& Instance() {
        static KeyLockTracker* tracker = [] {
            auto* t = new KeyLockTracker;
            if (QCoreApplication* app = QCoreApplication::instance()) {
                t->setParent(app);
                app->installEventFilter(t);
            }
            return t;
        }();
        return *tracker;
    }

    bool caps = false;
    bool num = false;
    bool scroll = false;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
            auto* k = static_cast<QKeyEvent*>(e);
            bool press = e->type() == QEvent::KeyPress && !k->isAutoRepeat();
            quint32 state = k->nativeModifiers();
            if (k->key() == Qt::Key_CapsLock) {
                caps = press ? !caps : caps;
            } else if (k->key() == Qt::Key_NumLock) {
                num = press ? !num : num;
            } else if (k->key() == Qt::Key_ScrollLock) {
                scroll = press ? !scroll : scroll;
            } else if (k->nativeScanCode() != 0) {
                caps = (state & 0x02) != 0;
                num = (state & 0x10) != 0;
            }
        }
        return QObject::eventFilter(watched, e);
    }
};

CStatusBar::LockStateFunc& LockFunc() {
    static CStatusBar::LockStateFunc func;
    return func;
}

} // namespace

bool IsKeyLockOn(UINT nIndicatorID) {
    KeyLockTracker& t = KeyLockTracker::Instance();
    switch (nIndicatorID) {
    case ID_INDICATOR_CAPS:
        return t.caps;
    case ID_INDICATOR_NUM:
        return t.num;
    case ID_INDICATOR_SCRL:
        return t.scroll;
    default:
        return false;
    }
}

void CStatusBar::SetLockStateFunc(LockStateFunc func) {
    LockFunc() = std::move(func);
}

CStatusBar::CStatusBar() {
    setObjectName("statusbar");
    setSizeGripEnabled(false);
    KeyLockTracker::Instance();
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    for (const Pane& p : m_panes) {
        removeWidget(p.label);
        delete p.label;
    }
    m_panes.clear();
    for (int i = 0; i < nIDCount; ++i) {
        UINT nID = lpIDArray[i];
        auto* label = new QLabel(this);
        if (nID == ID_SEPARATOR) {
            label->setText(QString::fromStdString(AfxLoadString(AFX_IDS_IDLEMESSAGE)));
            addWidget(label, 1);
        } else {
            if (!AfxHasString(nID))
                return FALSE;
            // Wide enough for its string, which comes and goes with the lock
            // (for the other panes, the widest text they show).
            QString text = QString::fromStdString(AfxLoadString(nID));
            label->setAlignment(Qt::AlignCenter);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 8);
            addPermanentWidget(label);
        }
        m_panes.push_back({nID, label});
    }
    UpdateIndicators();
    return TRUE;
}

std::string CStatusBar::GetPaneText(int nIndex) const {
    return m_panes.at(static_cast<std::size_t>(nIndex)).label->text().toStdString();
}

void CStatusBar::SetPaneText(int nIndex, const std::string& text) {
    m_panes.at(static_cast<std::size_t>(nIndex)).label->setText(QString::fromStdString(text));
}

void CStatusBar::SetMessageText(const std::string& text) {
    for (const Pane& p : m_panes) {
        if (p.nID == ID_SEPARATOR) {
            p.label->setText(QString::fromStdString(text));
            return;
        }
    }
}

std::string CStatusBar::GetMessageText() const {
    for (const Pane& p : m_panes) {
        if (p.nID == ID_SEPARATOR)
            return p.label->text().toStdString();
    }
    return std::string();
}

void CStatusBar::UpdateIndicators(const PaneTextFunc& paneText) {
    for (const Pane& p : m_panes) {
        if (p.nID == ID_SEPARATOR)
            continue;
        QString text;
        if (p.nID == ID_INDICATOR_CAPS || p.nID == ID_INDICATOR_NUM || p.nID == ID_INDICATOR_SCRL) {
            const bool on = LockFunc() ? LockFunc()(p.nID) : IsKeyLockOn(p.nID);
            text = on ? QString::fromStdString(AfxLoadString(p.nID)) : QString();
        } else if (std::string set; paneText && paneText(p.nID, set)) {
            text = QString::fromStdString(set);
        } else {
            continue;
        }
        if (p.label->text() != text)
            p.label->setText(text);
    }
}
