// Reaching a dialog's controls by their ids, as the dialog tests do.
#pragma once

#include "platform/qt/dialog.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

// The control with id; a failure when there is none.
inline QWidget* Item(CDialog& d, int id) {
    QWidget* w = d.GetDlgItem(id);
    EXPECT_NE(w, nullptr) << "control " << id;
    return w;
}

// Clicks the button with id.
inline void Click(CDialog& d, int id) {
    auto* b = qobject_cast<QAbstractButton*>(d.GetDlgItem(id));
    ASSERT_NE(b, nullptr) << "button " << id;
    QTest::mouseClick(b, Qt::LeftButton);
}

// Whether the control with id, or a part of it, has the focus.
inline bool HasFocus(CDialog& d, int id) {
    QWidget* w = d.GetDlgItem(id);
    QWidget* f = d.GetSafeHwnd() ? d.GetSafeHwnd()->focusWidget() : nullptr;
    return w && f && (f == w || w->isAncestorOf(f));
}
