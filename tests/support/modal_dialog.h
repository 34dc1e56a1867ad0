// Acting on a modal dialog from inside its modal loop: the test arms an
// action, then runs the dialog; the action runs once the dialog is up.
#pragma once

#include "platform/qt/file_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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

// Presses the dialog's OK button.
inline void ClickOk(QDialog* dlg) {
    for (QPushButton* b : dlg->findChildren<QPushButton*>())
        if (b->text() == "OK") {
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    ADD_FAILURE() << "no OK button";
    dlg->reject();
}

// Answers file dialogs from a list (no answer is Cancel); records what each
// dialog was asked.
struct FileDialogScript {
    FileDialogScript() {
        CFileDialog::SetAnswerHook(
            [this](const CFileDialog& dlg) -> std::optional<std::vector<std::string>> {
                asked.push_back({dlg.IsOpenDialog() != 0, dlg.GetDefExt(), dlg.GetInitialName(),
                                 dlg.GetFilters().empty() ? "" : dlg.GetFilters()[0].name});
                if (answers.empty())
                    return std::nullopt;
                auto a = answers.front();
                answers.erase(answers.begin());
                return a;
            });
    }
    ~FileDialogScript() { CFileDialog::SetAnswerHook(nullptr); }
    FileDialogScript(const FileDialogScript&) = delete;
    FileDialogScript& operator=(const FileDialogScript&) = delete;
    struct Asked {
        bool open;
        std::string defExt, initialName, filter;
    };
    std::vector<Asked> asked;
    std::vector<std::optional<std::vector<std::string>>> answers;
};
