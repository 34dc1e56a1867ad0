// Acting on a modal dialog from inside its modal loop: the test arms an
// action, then runs the dialog; the action runs once the dialog is up.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Runs action on the next modal dialog that opens. The action is expected to
// end the dialog; one left open is a test failure and is cancelled, so that
// the test does not hang. No dialog within timeoutMs is a failure too.
inline void OnNextModal(std::function<void(QDialog*)> action, int timeoutMs = 5000) {
    auto* timer = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, started, action, timeoutMs] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (started->elapsed() > timeoutMs) {
                timer->stop();
                timer->deleteLater();
                ADD_FAILURE() << "no modal dialog opened";
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        action(dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog is still open after the test's action";
            dialog->close();
            if (dialog->isVisible())
                dialog->done(0);
        }
    });
    timer->start();
}

// Replaces the whole text of a line edit by typing, one key at a time.
inline void TypeInto(QWidget* edit, const QString& text) {
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}
