// The dialog framework: templates in dialog units, the modal loop and its
// keys, edit notifications, data exchange and validation, message boxes and
// the wait cursor.
#include "platform/qt/ddx.h"
#include "platform/qt/dialog.h"
#include "platform/qt/edit_control.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/wait_cursor.h"
#include "platform/win/afxmsgbox.h"
#include "support/dialog_controls.h"
#include "support/modal_dialog.h"
#include "support/test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

using K = DlgControlClass;

constexpr int IDC_NAME = 501;
constexpr int IDC_VALUE = 502;
constexpr int IDC_COUNT = 503;
constexpr int IDC_FLAG = 504;
constexpr int IDC_CHOICE = 505;
constexpr int IDC_NOTES = 506;
constexpr int IDC_APPLY = 507;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

const DlgItemTemplate kProbeItems[] = {
    {K::Edit, IDC_NAME, "", 10, 10, 80, 14, kEdit},
    {K::Edit, IDC_VALUE, "", 10, 30, 80, 14, kEdit},
    {K::Edit, IDC_COUNT, "", 10, 50, 80, 14, kEdit},
    {K::Button, IDC_FLAG, "Flag", 10, 70, 60, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    {K::ComboBox, IDC_CHOICE, "", 10, 86, 80, 60, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP},
    {K::Edit, IDC_NOTES, "", 100, 10, 90, 40,
     ES_MULTILINE | ES_WANTRETURN | WS_BORDER | WS_TABSTOP},
    {K::Static, IDC_STATIC, "Label", 100, 60, 40, 8, SS_LEFT},
    {K::Button, IDC_APPLY, "Apply", 150, 80, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {K::Button, IDOK, "OK", 150, 100, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {K::Button, IDCANCEL, "Cancel", 150, 118, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};
const DlgTemplate kProbeTemplate = {900,
                                    "Probe",
                                    210,
                                    140,
                                    "MS Sans Serif",
                                    8,
                                    DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                    kProbeItems,
                                    std::size(kProbeItems),
                                    nullptr};

// No default push button: Enter is the OK command.
const DlgItemTemplate kNoDefaultItems[] = {
    {K::Edit, IDC_NAME, "", 10, 10, 80, 14, kEdit},
    {K::Button, IDC_APPLY, "Go", 100, 10, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};
const DlgTemplate kNoDefaultTemplate = {901,
                                        "No default",
                                        160,
                                        40,
                                        "MS Sans Serif",
                                        8,
                                        WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                        kNoDefaultItems,
                                        std::size(kNoDefaultItems),
                                        nullptr};

// Exchanges every kind of value the framework offers.
class ProbeDialog : public CDialog {
public:
    explicit ProbeDialog(const DlgTemplate& t = kProbeTemplate) : CDialog(t) {}
    std::string m_strName = "name";
    float m_fValue = 1.5f;
    UINT m_nCount = 7;
    int m_nFlag = 0;
    std::string m_strChoice;
    std::string m_strNotes;
    int m_nMaxName = 10;
    std::vector<std::string> m_events; // notifications seen, with the text they saw

    void Watch(int nID, const char* name) {
        MapNotification(nID, EN_UPDATE, [this, nID, name] {
            m_events.push_back(std::string("update ") + name + "=" + GetDlgItemText(nID));
        });
        MapNotification(nID, EN_CHANGE, [this, nID, name] {
            m_events.push_back(std::string("change ") + name + "=" + GetDlgItemText(nID));
        });
    }
    using CDialog::MapCommand;
    using CDialog::MapNotification;

protected:
    BOOL OnInitDialog() override {
        if (auto* combo = qobject_cast<QComboBox*>(GetDlgItem(IDC_CHOICE)))
            for (const char* s : {"Red", "Green", "Grey", "Blue"})
                combo->addItem(s);
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override {
        if (!GetDlgItem(IDC_VALUE)) { // the small template
            DDX_Text(pDX, IDC_NAME, m_strName);
            return;
        }
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, m_nMaxName);
        DDX_Text(pDX, IDC_VALUE, m_fValue);
        DDV_MinMaxFloat(pDX, m_fValue, -5.0f, 5.0f);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxUInt(pDX, m_nCount, 1, 100);
        DDX_Check(pDX, IDC_FLAG, m_nFlag);
        DDX_CBString(pDX, IDC_CHOICE, m_strChoice);
        DDX_Text(pDX, IDC_NOTES, m_strNotes);
    }
};

} // namespace

// ---------------------------------------------------------------- units ----

TEST(DialogUnits, MapLikeTheDialogManager) {
    DialogBaseUnits u{6, 13};
    EXPECT_EQ(MapDialogX(u, 4), 6);
    EXPECT_EQ(MapDialogY(u, 8), 13);
    EXPECT_EQ(MapDialogX(u, 1), 2);   // 1.5 rounds up
    EXPECT_EQ(MapDialogY(u, 3), 5);   // 4.875
    EXPECT_EQ(MapDialogX(u, -1), -2); // rounded away from zero
    // Edges map independently, so adjacent controls stay adjacent.
    QRect a = MapDialogRect(u, 7, 59, 222, 62);
    EXPECT_EQ(a, QRect(QPoint(11, 96), QPoint(344 - 1, 197 - 1)));
    QRect b = MapDialogRect(u, 229, 59, 10, 10);
    EXPECT_EQ(b.left(), a.right() + 1);
}

TEST(DialogUnits, BaseUnitsComeFromTheFont) {
    QFont font = DialogFont("MS Sans Serif", 8);
    // This system has no "MS Sans Serif": the face is a real one, the size kept.
    if (!QFontDatabase::hasFamily("MS Sans Serif")) {
        EXPECT_TRUE(QFontDatabase::hasFamily(QFontInfo(font).family()));
    }
    EXPECT_EQ(font.pointSize(), 8);
    QFontMetrics fm(font);
    DialogBaseUnits u = DialogBaseUnitsOf(font);
    int letters = fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    EXPECT_LE(std::abs(u.cx * 52 - letters), 52); // the rounded average
    EXPECT_EQ(u.cy, fm.height());
    // A bigger font makes bigger units.
    DialogBaseUnits big = DialogBaseUnitsOf(DialogFont("MS Sans Serif", 16));
    EXPECT_GT(big.cx, u.cx);
    EXPECT_GT(big.cy, u.cy);
}

TEST(DialogTemplate, WindowAndControlsAreLaidOutInDialogUnits) {
    ProbeDialog dlg;
    OnNextModal([&](QDialog* w) {
        const DialogBaseUnits& u = dlg.GetBaseUnits();
        EXPECT_EQ(w->size(), MapDialogRect(u, 0, 0, 210, 140).size());
        EXPECT_EQ(w->windowTitle(), "Probe");
        EXPECT_EQ(Item(dlg, IDC_NAME)->geometry(), MapDialogRect(u, 10, 10, 80, 14));
        EXPECT_EQ(Item(dlg, IDOK)->geometry(), MapDialogRect(u, 150, 100, 50, 14));
        EXPECT_TRUE(qobject_cast<QPushButton*>(Item(dlg, IDOK))->isDefault());
        EXPECT_FALSE(qobject_cast<QPushButton*>(Item(dlg, IDCANCEL))->isDefault());
        EXPECT_NE(qobject_cast<QCheckBox*>(Item(dlg, IDC_FLAG)), nullptr);
        EXPECT_NE(qobject_cast<QPlainTextEdit*>(Item(dlg, IDC_NOTES)), nullptr);
        EXPECT_EQ(dlg.GetDlgItemText(IDC_STATIC), "Label");
        // The combo box's template height holds its list; the box itself is one line.
        EXPECT_LT(Item(dlg, IDC_CHOICE)->height(), MapDialogY(u, 60));
        // Focus starts on the first tab stop, its text selected.
        EXPECT_TRUE(HasFocus(dlg, IDC_NAME));
        EXPECT_TRUE(qobject_cast<QLineEdit*>(Item(dlg, IDC_NAME))->hasSelectedText());
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME), nullptr); // the controls went with the window
}

// ------------------------------------------------------------ modal loop ---

TEST(DialogModal, EveryWayOutGivesItsResult) {
    struct Way {
        const char* name;
        std::function<void(ProbeDialog&, QDialog*)> act;
        int result;
    };
    const std::vector<Way> ways = {
        {"OK button", [](ProbeDialog& d, QDialog*) { Click(d, IDOK); }, IDOK},
        {"Cancel button", [](ProbeDialog& d, QDialog*) { Click(d, IDCANCEL); }, IDCANCEL},
        {"Esc",
         [](ProbeDialog& d, QDialog*) { QTest::keyClick(Item(d, IDC_NAME), Qt::Key_Escape); },
         IDCANCEL},
        {"caption close", [](ProbeDialog&, QDialog* w) { w->close(); }, IDCANCEL},
        {"Enter in an edit takes the default button",
         [](ProbeDialog& d, QDialog*) { QTest::keyClick(Item(d, IDC_VALUE), Qt::Key_Return); },
         IDOK},
        {"keypad Enter on a check box",
         [](ProbeDialog& d, QDialog*) { QTest::keyClick(Item(d, IDC_FLAG), Qt::Key_Enter); }, IDOK},
        {"Enter on the focused Cancel button",
         [](ProbeDialog& d, QDialog*) {
             Item(d, IDCANCEL)->setFocus();
             QTest::keyClick(Item(d, IDCANCEL), Qt::Key_Return);
         },
         IDCANCEL},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        ProbeDialog dlg;
        dlg.m_strName = "before";
        OnNextModal([&](QDialog* w) {
            TypeInto(Item(dlg, IDC_NAME), "after");
            way.act(dlg, w);
        });
        int result = dlg.DoModal();
        EXPECT_EQ(result, way.result);
        // Only OK reads the controls.
        EXPECT_EQ(dlg.m_strName, result == IDOK ? "after" : "before");
    }
}

TEST(DialogModal, EnterWithoutDefaultButtonIsTheOkCommand) {
    ProbeDialog dlg(kNoDefaultTemplate);
    int applied = 0;
    dlg.MapCommand(IDC_APPLY, [&] { ++applied; });
    OnNextModal([&](QDialog*) {
        Click(dlg, IDC_APPLY);
        EXPECT_EQ(applied, 1);
        EXPECT_TRUE(dlg.GetSafeHwnd()->isVisible()); // a mapped button ends nothing
        TypeInto(Item(dlg, IDC_NAME), "typed");
        QTest::keyClick(Item(dlg, IDC_NAME), Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(dlg.m_strName, "typed");
}

TEST(DialogModal, EnterInAMultiLineEditStartsANewLine) {
    ProbeDialog dlg;
    OnNextModal([&](QDialog* w) {
        QWidget* notes = Item(dlg, IDC_NOTES);
        QTest::keyClicks(notes, "one");
        QTest::keyClick(notes, Qt::Key_Return);
        QTest::keyClicks(notes, "two");
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(dlg.GetDlgItemText(IDC_NOTES), "one\r\ntwo");
        Click(dlg, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strNotes, "one\r\ntwo");
}

TEST(DialogModal, RunsOverTheActiveWindowAndDisablesIt) {
    QWidget main;
    main.resize(300, 200);
    main.show();
    QApplication::setActiveWindow(&main);
    ProbeDialog dlg;
    OnNextModal([&](QDialog* w) {
        EXPECT_EQ(w->parentWidget(), &main);
        EXPECT_TRUE(w->isModal());
        EXPECT_TRUE(QApplication::activeModalWidget() == w);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(DialogModal, MultiLineEditWithoutAutoScrollStopsAtItsLastLine) {
    ProbeDialog dlg;
    dlg.Watch(IDC_NOTES, "notes");
    OnNextModal([&](QDialog*) {
        auto* notes = dynamic_cast<MultiLineEditControl*>(Item(dlg, IDC_NOTES));
        ASSERT_NE(notes, nullptr);
        for (int i = 0; i < 20; ++i) {
            QTest::keyClicks(notes, "line");
            QTest::keyClick(notes, Qt::Key_Return);
        }
        std::string text = dlg.GetDlgItemText(IDC_NOTES);
        int lines = notes->document()->blockCount();
        EXPECT_GT(lines, 1);
        EXPECT_LT(lines, 20); // the box holds only a few lines
        EXPECT_FALSE(notes->Overflows());
        // Refused keys notify nothing: the last notification saw the text kept.
        ASSERT_FALSE(dlg.m_events.empty());
        EXPECT_EQ(dlg.m_events.back(), "change notes=" + text);
        // Deleting still works, and frees room for typing again.
        QTest::keyClick(notes, Qt::Key_Backspace);
        QTest::keyClick(notes, Qt::Key_Backspace);
        QTest::keyClicks(notes, "x");
        EXPECT_NE(dlg.GetDlgItemText(IDC_NOTES), text);
        // The program may put in more than the box shows.
        std::string many;
        for (int i = 0; i < 20; ++i)
            many += "row\r\n";
        dlg.SetDlgItemText(IDC_NOTES, many);
        EXPECT_EQ(dlg.GetDlgItemText(IDC_NOTES), many);
        EXPECT_TRUE(notes->Overflows());
        Click(dlg, IDCANCEL);
    });
    dlg.DoModal();
}

// --------------------------------------------------------- notifications ---

TEST(EditNotifications, UpdateThenChangeInsideEveryChange) {
    ProbeDialog dlg;
    dlg.Watch(IDC_NAME, "name");
    dlg.Watch(IDC_NOTES, "notes");
    std::vector<std::string> typed, set, same, multi;
    OnNextModal([&](QDialog*) {
        dlg.m_events.clear();
        QTest::keyClicks(Item(dlg, IDC_NAME), "ab");
        typed = dlg.m_events;
        dlg.m_events.clear();
        dlg.SetDlgItemText(IDC_NAME, "xyz");
        set = dlg.m_events;
        dlg.m_events.clear();
        dlg.SetDlgItemText(IDC_NAME, "xyz"); // the same text notifies again
        same = dlg.m_events;
        dlg.m_events.clear();
        QTest::keyClicks(Item(dlg, IDC_NOTES), "q");
        dlg.SetDlgItemText(IDC_NOTES, "l1\r\nl2");
        multi = dlg.m_events;
        Click(dlg, IDCANCEL);
    });
    dlg.DoModal();
    // Typing appends to the selected start text "name": the first key replaces it.
    EXPECT_EQ(typed, (std::vector<std::string>{"update name=a", "change name=a", "update name=ab",
                                               "change name=ab"}));
    EXPECT_EQ(set, (std::vector<std::string>{"update name=xyz", "change name=xyz"}));
    EXPECT_EQ(same, set);
    EXPECT_EQ(multi, (std::vector<std::string>{"update notes=q", "change notes=q",
                                               "update notes=l1\r\nl2", "change notes=l1\r\nl2"}));
}

TEST(EditNotifications, OpeningSetsOnlyTextsThatDiffer) {
    ProbeDialog dlg;
    dlg.m_strName = ""; // the empty field already shows this
    dlg.m_nCount = 42;
    dlg.Watch(IDC_NAME, "name");
    dlg.Watch(IDC_COUNT, "count");
    OnNextModal([&](QDialog*) { Click(dlg, IDCANCEL); });
    dlg.DoModal();
    EXPECT_EQ(dlg.m_events, (std::vector<std::string>{"update count=42", "change count=42"}));
}

// --------------------------------------------------------- data exchange ---

TEST(DataExchange, ReadsFloatsAsTheFrameworkDoes) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"0", true, 0.0},       {"0.0", true, 0.0},     {"2", true, 2.0},     {"  2  ", true, 2.0},
        {"\t2.5\t", true, 2.5}, {"-1.25", true, -1.25}, {"+3", true, 3.0},    {"1e2", true, 100.0},
        {"1.5E-1", true, 0.15}, {"7.", true, 7.0},      {".5", true, 0.5},    {"00", true, 0.0},
        {"", false, 0},         {"   ", false, 0},      {".0", false, 0},     {"-0", false, 0},
        {"+0", false, 0},       {"abc", false, 0},      {"2x", false, 0},     {"2 3", false, 0},
        {"1e", false, 0},       {"0x10", false, 0},     {"inf", false, 0},    {"nan", false, 0},
        {"1,5", false, 0},      {"2\n", false, 0},      {"1e-400", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "'");
        double v = -99;
        EXPECT_EQ(ParseDialogFloat(c.text, v), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value);
        }
    }
}

TEST(DataExchange, ReadsUnsignedIntegersAsTheFrameworkDoes) {
    struct Case {
        const char* text;
        bool ok;
        UINT value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"400", true, 400},
        {" 12 ", true, 12},
        {"+5", true, 5},
        {"0042", true, 42},
        {"4294967295", true, 4294967295u},
        {"99999999999", true, 4294967295u}, // held to the 32-bit maximum
        {"", false, 0},
        {"-1", false, 0},
        {"-0", false, 0},
        {"abc", false, 0},
        {"12a", false, 0},
        {"1.5", false, 0},
        {"+", false, 0},
        {"1 2", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "'");
        UINT v = 77;
        EXPECT_EQ(ParseDialogUInt(c.text, v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }
}

TEST(DataExchange, FillsTheControlsWhenTheDialogOpens) {
    ProbeDialog dlg;
    dlg.m_strName = "Zed";
    dlg.m_fValue = 0.1f;
    dlg.m_nCount = 3000000000u;
    dlg.m_nFlag = 1;
    dlg.m_strChoice = "gr"; // the first entry beginning with it, case ignored
    dlg.m_strNotes = "a\r\nb";
    OnNextModal([&](QDialog*) {
        EXPECT_EQ(dlg.GetDlgItemText(IDC_NAME), "Zed");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_VALUE), "0.1");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_COUNT), "3000000000");
        EXPECT_TRUE(qobject_cast<QCheckBox*>(Item(dlg, IDC_FLAG))->isChecked());
        auto* combo = qobject_cast<QComboBox*>(Item(dlg, IDC_CHOICE));
        EXPECT_EQ(combo->currentIndex(), 1);
        EXPECT_EQ(combo->currentText(), "Green");
        auto* notes = qobject_cast<QPlainTextEdit*>(Item(dlg, IDC_NOTES));
        EXPECT_EQ(notes->toPlainText(), "a\nb");
        EXPECT_EQ(notes->document()->blockCount(), 2);
        Click(dlg, IDCANCEL);
    });
    dlg.DoModal();
}

TEST(DataExchange, ComboTextWithoutMatchingEntryGoesIntoTheEditField) {
    ProbeDialog dlg;
    dlg.m_strChoice = "Purple";
    OnNextModal([&](QDialog*) {
        auto* combo = qobject_cast<QComboBox*>(Item(dlg, IDC_CHOICE));
        EXPECT_EQ(combo->currentText(), "Purple");
        EXPECT_EQ(combo->count(), 4); // nothing was added to the list
        Click(dlg, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strChoice, "Purple");
}

TEST(DataExchange, FailedValidationKeepsTheDialogOpenOnTheControl) {
    MessageBoxRecorder boxes;
    ProbeDialog dlg;
    OnNextModal([&](QDialog* w) {
        TypeInto(Item(dlg, IDC_NAME), "fresh");
        TypeInto(Item(dlg, IDC_VALUE), "7");
        TypeInto(Item(dlg, IDC_COUNT), "abc");
        Item(dlg, IDC_NAME)->setFocus();
        Click(dlg, IDOK);
        ASSERT_TRUE(w->isVisible());
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, "Please enter a number between -5 and 5.");
        EXPECT_EQ(boxes.boxes()[0].type, MB_ICONEXCLAMATION);
        EXPECT_TRUE(HasFocus(dlg, IDC_VALUE));
        EXPECT_EQ(qobject_cast<QLineEdit*>(Item(dlg, IDC_VALUE))->selectedText(), "7");
        // The exchange stopped at the failing control: earlier members changed,
        // the failing one holds what was read, later ones are untouched.
        EXPECT_EQ(dlg.m_strName, "fresh");
        EXPECT_EQ(dlg.m_fValue, 7.0f);
        EXPECT_EQ(dlg.m_nCount, 7u);

        TypeInto(Item(dlg, IDC_VALUE), "-5");
        Click(dlg, IDOK);
        ASSERT_EQ(boxes.boxes().size(), 2u);
        EXPECT_EQ(boxes.boxes()[1].text, "Please enter a positive integer.");
        EXPECT_EQ(boxes.boxes()[1].type, MB_OK);
        EXPECT_TRUE(HasFocus(dlg, IDC_COUNT));

        TypeInto(Item(dlg, IDC_COUNT), "101");
        Click(dlg, IDOK);
        ASSERT_EQ(boxes.boxes().size(), 3u);
        EXPECT_EQ(boxes.boxes()[2].text, "Please enter an integer between 1 and 100.");
        EXPECT_EQ(boxes.boxes()[2].type, MB_ICONEXCLAMATION);

        TypeInto(Item(dlg, IDC_VALUE), "x");
        Click(dlg, IDOK);
        ASSERT_EQ(boxes.boxes().size(), 4u);
        EXPECT_EQ(boxes.boxes()[3].text, "Please enter a number.");
        EXPECT_EQ(boxes.boxes()[3].type, MB_OK);

        TypeInto(Item(dlg, IDC_VALUE), "5");
        TypeInto(Item(dlg, IDC_COUNT), "100");
        Click(dlg, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(boxes.boxes().size(), 4u);
    EXPECT_EQ(dlg.m_fValue, 5.0f);
    EXPECT_EQ(dlg.m_nCount, 100u);
}

TEST(DataExchange, MaxCharsCountsCharactersAndLimitsTyping) {
    MessageBoxRecorder boxes;
    ProbeDialog dlg;
    dlg.m_nMaxName = 4;
    OnNextModal([&](QDialog*) {
        // Opening limits an edit control's typing to the maximum.
        QTest::keyClick(Item(dlg, IDC_NAME), Qt::Key_End);
        QTest::keyClicks(Item(dlg, IDC_NAME), "abcdef");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_NAME), "name");
        // The program may set more; OK refuses it.
        dlg.SetDlgItemText(IDC_NAME, "names");
        Click(dlg, IDOK);
        ASSERT_EQ(boxes.texts(),
                  std::vector<std::string>{"Please enter no more than 4 characters."});
        EXPECT_EQ(boxes.boxes()[0].type, MB_ICONEXCLAMATION);
        // Four characters of two bytes each pass.
        dlg.SetDlgItemText(IDC_NAME, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
        Click(dlg, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(dlg.m_strName, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
}

TEST(DataExchange, CheckBoxValuesOutsideTheRangeAreReset) {
    for (int start : {-1, 0, 1, 2, 3, 5}) {
        SCOPED_TRACE(start);
        ProbeDialog dlg;
        dlg.m_nFlag = start;
        bool shown = false;
        OnNextModal([&](QDialog*) {
            shown = qobject_cast<QCheckBox*>(Item(dlg, IDC_FLAG))->isChecked();
            Click(dlg, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        bool on = start == 1 || start == 2;
        EXPECT_EQ(shown, on);
        EXPECT_EQ(dlg.m_nFlag, on ? 1 : 0);
    }
}

// ----------------------------------------------------------- message box ---

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
