// Message boxes on Qt and the wait cursor.
#include "platform/qt/qt_message_box.h"
#include "platform/qt/wait_cursor.h"
#include "platform/win/afxmsgbox.h"
#include "support/modal_dialog.h"
#include "support/test_support.h"

#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(QtMessageBoxes, CaptionButtonsIconsAndAnswers) {
    InstallQtMessageBoxes("Zelbrin");
    struct Case {
        UINT type;
        QMessageBox::Icon icon;
        std::vector<QString> buttons; // in order
        QString press;                // button text, or "Esc"
        int result;
    };
    const std::vector<Case> cases = {
        {MB_OK, QMessageBox::NoIcon, {"OK"}, "OK", IDOK},
        {MB_OK | MB_ICONEXCLAMATION, QMessageBox::Warning, {"OK"}, "Esc", IDOK},
        {MB_OKCANCEL | MB_ICONHAND, QMessageBox::Critical, {"OK", "Cancel"}, "Esc", IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, QMessageBox::Question, {"Yes", "No"}, "No", IDNO},
        {MB_YESNOCANCEL | MB_ICONASTERISK,
         QMessageBox::Information,
         {"Yes", "No", "Cancel"},
         "Yes",
         IDYES},
        {MB_YESNOCANCEL, QMessageBox::NoIcon, {"Yes", "No", "Cancel"}, "Cancel", IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        OnNextModal([&](QDialog* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Zelbrin");
            EXPECT_EQ(box->text(), "Line one\nline two");
            EXPECT_EQ(box->icon(), c.icon);
            std::vector<QString> texts;
            QAbstractButton* press = nullptr;
            for (QAbstractButton* b : box->buttons()) {
                QString t = b->text().remove('&');
                texts.push_back(t);
                if (t == c.press)
                    press = b;
            }
            std::sort(texts.begin(), texts.end());
            std::vector<QString> want = c.buttons;
            std::sort(want.begin(), want.end());
            EXPECT_EQ(texts, want);
            if (c.press == "Esc")
                QTest::keyClick(box, Qt::Key_Escape);
            else if (press)
                press->click();
            else
                box->done(0);
        });
        EXPECT_EQ(AfxMessageBox("Line one\nline two", c.type), c.result);
    }
    SetMessageBoxHandler(nullptr, nullptr);
}

TEST(QtMessageBoxes, YesNoBoxCannotBeEscapedAndDefaultButtonIsChosen) {
    InstallQtMessageBoxes();
    QString oldName = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName("Album Tool");
    OnNextModal([&](QDialog* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Album Tool");
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_TRUE(box->isVisible());
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(AfxMessageBox("Save?", MB_YESNO | 0x0100 /* second button default */), IDNO);
    QGuiApplication::setApplicationDisplayName(oldName);
    SetMessageBoxHandler(nullptr, nullptr);
}

// ----------------------------------------------------------- wait cursor ---

TEST(WaitCursor, ShownForItsLifetimeAndNested) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        CWaitCursor outer;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            CWaitCursor inner;
            EXPECT_EQ(WaitCursorDepth(), 2);
            QGuiApplication::changeOverrideCursor(QCursor(Qt::ArrowCursor));
            inner.Restore();
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            EXPECT_EQ(WaitCursorDepth(), 2);
        }
        EXPECT_EQ(WaitCursorDepth(), 1);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(WaitCursorDepth(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EndWaitCursor(); // an unmatched End does nothing
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
