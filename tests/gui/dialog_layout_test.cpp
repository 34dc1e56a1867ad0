// The dialogs as they appear: every control inside the window, its text
// within its rectangle. With ZELBRIN_SHOTS set to a folder, each dialog is
// also saved there as dialog-<name>.png for a look by eye.
#include "dialogs/about_dialog.h"
#include "dialogs/export_dialog.h"
#include "dialogs/gridline_dialog.h"
#include "dialogs/text_item_dialog.h"
#include "platform/qt/qt_message_box.h"
#include "platform/win/afxmsgbox.h"
#include "support/modal_dialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>

#include <gtest/gtest.h>

#include <memory>

namespace {

QString ShotPath(const char* name) {
    QString dir = qEnvironmentVariable("ZELBRIN_SHOTS");
    if (dir.isEmpty())
        return QString();
    QDir().mkpath(dir);
    return QDir(dir).filePath(QStringLiteral("dialog-%1.png").arg(name));
}

// Checks the layout of the open dialog and saves its picture when asked to.
void CheckLayout(QDialog* w, const char* name) {
    SCOPED_TRACE(name);
    const QRect client = w->rect();
    int controls = 0;
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (!c->isVisible())
            continue;
        ++controls;
        SCOPED_TRACE(c->objectName().toStdString() + " " + c->metaObject()->className());
        const QRect place(c->mapTo(w, QPoint(0, 0)), c->size());
        EXPECT_TRUE(client.contains(place)) << "outside the dialog";
        QFontMetrics fm(c->font());
        if (auto* label = qobject_cast<QLabel*>(c); label && !label->text().isEmpty()) {
            if (label->wordWrap())
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << label->text().toStdString();
            else
                EXPECT_LE(fm.horizontalAdvance(label->text()), label->width());
        } else if (auto* check = qobject_cast<QCheckBox*>(c)) {
            EXPECT_LE(check->sizeHint().width(), check->width()) << check->text().toStdString();
        } else if (auto* button = qobject_cast<QAbstractButton*>(c)) {
            EXPECT_LE(fm.horizontalAdvance(button->text()) + 8, button->width());
            EXPECT_LE(fm.height() + 4, button->height());
        } else if (auto* edit = qobject_cast<QLineEdit*>(c)) {
            EXPECT_LE(fm.height() + 2, edit->height());
        }
    }
    EXPECT_GT(controls, 3);

    QString path = ShotPath(name);
    if (!path.isEmpty()) {
        QPixmap shot = w->grab();
        EXPECT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(path)) << path.toStdString();
    }
}

} // namespace

TEST(DialogLayout, About) {
    CAboutDialog dlg;
    OnNextModal([&](QDialog* w) {
        CheckLayout(w, "about");
        w->close();
    });
    dlg.DoModal();
}

TEST(DialogLayout, Gridline) {
    CGridlineDialog dlg;
    dlg.m_fHorizSpacing = 0.5f;
    dlg.m_fVertSpacing = 0.333333333f;
    OnNextModal([&](QDialog* w) {
        CheckLayout(w, "gridline");
        w->close();
    });
    dlg.DoModal();
}

TEST(DialogLayout, TextItem) {
    CTextItemDialog dlg;
    dlg.m_strText = "Summer holidays 1998\r\nAt the lake, with the whole family and the dog";
    dlg.m_nBold = 1;
    dlg.m_nUnderline = 1;
    dlg.m_strFont = "Times";
    OnNextModal([&](QDialog* w) {
        CheckLayout(w, "text-item");
        // The list open, taken from the screen (the list is a window of its own).
        QString path = ShotPath("text-item-fonts");
        if (!path.isEmpty() && QGuiApplication::platformName() == "xcb") {
            auto* combo = qobject_cast<QComboBox*>(dlg.GetDlgItem(IDC_FONT));
            combo->showPopup();
            QTest::qWait(200);
            QRect area = w->frameGeometry().united(combo->view()->window()->frameGeometry());
            QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
                0, area.x(), area.y(), area.width(), area.height());
            EXPECT_TRUE(shot.save(path));
            combo->hidePopup();
        }
        w->close();
    });
    dlg.DoModal();
}

TEST(DialogLayout, Export) {
    CExportDialog dlg;
    dlg.SetStartValues(1024, 768);
    OnNextModal([&](QDialog* w) {
        CheckLayout(w, "export");
        w->close();
    });
    dlg.DoModal();
}

TEST(DialogLayout, ValidationMessage) {
    InstallQtMessageBoxes("Zelbrin");
    CGridlineDialog dlg;
    dlg.m_fHorizSpacing = 1.0f;
    dlg.m_fVertSpacing = 1.0f;
    bool refused = false;
    OnNextModal([&](QDialog* w) {
        dlg.SetDlgItemText(IDC_HORIZ_SPACING, "99.5");
        // The message box comes up inside the click; it is looked at and closed.
        OnNextModal([&](QDialog* box) {
            auto* mb = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(mb, nullptr);
            EXPECT_EQ(mb->text(), "Please enter a number between 0 and 99.");
            EXPECT_EQ(mb->icon(), QMessageBox::Warning);
            QString path = ShotPath("message");
            if (!path.isEmpty()) {
                EXPECT_TRUE(box->grab().save(path));
            }
            QTest::keyClick(box, Qt::Key_Return);
        });
        QTest::mouseClick(qobject_cast<QAbstractButton*>(dlg.GetDlgItem(IDOK)), Qt::LeftButton);
        refused = w->isVisible();
        w->close();
    });
    dlg.DoModal();
    SetMessageBoxHandler(nullptr, nullptr);
    EXPECT_TRUE(refused);
}
