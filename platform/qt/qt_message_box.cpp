#include "platform/qt/qt_message_box.h"

#include "platform/win/afxmsgbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace {

constexpr UINT kAbortRetryIgnore = 0x0002;
constexpr UINT kRetryCancel = 0x0005;
constexpr UINT kDefButtonMask = 0x0F00;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;

QString g_title;

struct ButtonChoice {
    QMessageBox::StandardButton button;
    int result;
};

std::vector<ButtonChoice> ButtonsOf(UINT nType) {
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case kAbortRetryIgnore:
        return {{QMessageBox::Abort, kIdAbort},
                {QMessageBox::Retry, kIdRetry},
                {QMessageBox::Ignore, kIdIgnore}};
    case MB_YESNOCANCEL:
        return {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case kRetryCancel:
        return {{QMessageBox::Retry, kIdRetry}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon IconOf(UINT nType) {
    switch (nType & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// A box whose buttons include no way out (Yes/No) must be answered: Esc and
// the caption's close button do nothing there.
class AnswerBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool m_bEscapable = true;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape && !m_bEscapable) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        if (!m_bEscapable) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }
};

int Handler(const char* text, UINT nType, void*) {
    return ShowQtMessageBox(text, nType);
}

} // namespace

QString MessageBoxCaption() {
    if (!g_title.isEmpty())
        return g_title;
    QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Zelbrin") : name;
}

void InstallQtMessageBoxes(const QString& title) {
    g_title = title;
    SetMessageBoxHandler(&Handler, nullptr);
}

int ShowQtMessageBox(const char* text, UINT nType) {
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    AnswerBox box(IconOf(nType), MessageBoxCaption(), QString::fromUtf8(text ? text : ""),
                  QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    std::vector<ButtonChoice> choices = ButtonsOf(nType);
    std::vector<QAbstractButton*> buttons;
    for (const ButtonChoice& c : choices)
        buttons.push_back(box.addButton(c.button));
    std::size_t def = (nType & kDefButtonMask) >> 8;
    if (def >= buttons.size())
        def = 0;
    box.setDefaultButton(static_cast<QPushButton*>(buttons[def]));
    // Esc: the Cancel button, or the only button of an OK box; a Yes/No box
    // must be answered.
    box.m_bEscapable = false;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].result == IDCANCEL || choices.size() == 1) {
            box.setEscapeButton(buttons[i]);
            box.m_bEscapable = true;
        }
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i] == clicked)
            return choices[i].result;
    // Closed without a button (only possible where Esc is allowed).
    for (const ButtonChoice& c : choices)
        if (c.result == IDCANCEL)
            return IDCANCEL;
    return choices.front().result;
}
