// Lock states followed through key events: Caps Lock and Num Lock from the
// modifier state the window system reports, Scroll Lock from its presses.
#include "platform/qt/status_bar.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

constexpr quint32 kLockMask = 0x02;
constexpr quint32 kNumMask = 0x10;

void SendKey(QWidget& w, QEvent::Type type, int key, quint32 scanCode, quint32 state) {
    QKeyEvent e(type, key, Qt::NoModifier, scanCode, 0, state);
    QApplication::sendEvent(&w, &e);
}

TEST(KeyLocks, ModifierStateOfKeyEventsSetsCapsAndNum) {
    CStatusBar bar; // starts following the keys
    QWidget w;
    SendKey(w, QEvent::KeyPress, Qt::Key_A, 38, kLockMask | kNumMask);
    EXPECT_TRUE(IsKeyLockOn(ID_INDICATOR_CAPS));
    EXPECT_TRUE(IsKeyLockOn(ID_INDICATOR_NUM));
    SendKey(w, QEvent::KeyRelease, Qt::Key_A, 38, kNumMask);
    EXPECT_FALSE(IsKeyLockOn(ID_INDICATOR_CAPS));
    EXPECT_TRUE(IsKeyLockOn(ID_INDICATOR_NUM));
    // Keys made up without a scan code say nothing about the locks.
    SendKey(w, QEvent::KeyPress, Qt::Key_B, 0, 0);
    EXPECT_TRUE(IsKeyLockOn(ID_INDICATOR_NUM));
    SendKey(w, QEvent::KeyPress, Qt::Key_A, 38, 0);
    EXPECT_FALSE(IsKeyLockOn(ID_INDICATOR_NUM));
}

TEST(KeyLocks, LockKeysToggleOnPress) {
    CStatusBar bar;
    QWidget w;
    bool scroll = IsKeyLockOn(ID_INDICATOR_SCRL);
    SendKey(w, QEvent::KeyPress, Qt::Key_ScrollLock, 78, 0);
    EXPECT_EQ(IsKeyLockOn(ID_INDICATOR_SCRL), !scroll);
    SendKey(w, QEvent::KeyRelease, Qt::Key_ScrollLock, 78, 0);
    EXPECT_EQ(IsKeyLockOn(ID_INDICATOR_SCRL), !scroll);
    SendKey(w, QEvent::KeyPress, Qt::Key_ScrollLock, 78, 0);
    EXPECT_EQ(IsKeyLockOn(ID_INDICATOR_SCRL), scroll);

    SendKey(w, QEvent::KeyPress, Qt::Key_A, 38, 0);
    SendKey(w, QEvent::KeyPress, Qt::Key_CapsLock, 66, 0);
    EXPECT_TRUE(IsKeyLockOn(ID_INDICATOR_CAPS));
    EXPECT_FALSE(IsKeyLockOn(ID_INDICATOR_NUM));
}

} // namespace
