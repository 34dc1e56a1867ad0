// The program's dialogs, driven through their controls: Gridline Setup,
// Edit Text Item, About and Export as JPEG.
#include "dialogs/about_dialog.h"
#include "dialogs/export_dialog.h"
#include "dialogs/gridline_dialog.h"
#include "dialogs/text_item_dialog.h"
#include "support/dialog_controls.h"
#include "support/modal_dialog.h"
#include "support/test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

QComboBox* FontBox(CDialog& d) {
    return qobject_cast<QComboBox*>(d.GetDlgItem(IDC_FONT));
}
QCheckBox* Check(CDialog& d, int id) {
    return qobject_cast<QCheckBox*>(d.GetDlgItem(id));
}

} // namespace

// ------------------------------------------------------- Gridline Setup ---

TEST(GridlineDialog, ShowsSpacingsWithSixSignificantDigits) {
    struct Case {
        float value;
        const char* shown;
    };
    const Case cases[] = {{1.0f, "1"},   {0.25f, "0.25"}, {1.5f, "1.5"}, {0.333333333f, "0.333333"},
                          {99.0f, "99"}, {0.0f, "0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        CGridlineDialog dlg;
        dlg.m_fHorizSpacing = c.value;
        dlg.m_fVertSpacing = c.value;
        OnNextModal([&](QDialog* w) {
            EXPECT_EQ(w->windowTitle(), "Girdline Setup");
            EXPECT_EQ(dlg.GetDlgItemText(IDC_HORIZ_SPACING), c.shown);
            EXPECT_EQ(dlg.GetDlgItemText(IDC_VERT_SPACING), c.shown);
            QTest::keyClick(Item(dlg, IDC_HORIZ_SPACING), Qt::Key_Escape);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
}

TEST(GridlineDialog, AcceptsAndRefusesAsTheRuleSays) {
    struct Case {
        const char* text;
        const char* message; // null: accepted
        UINT type;
        float value;
    };
    const char* kRange = "Please enter a number between 0 and 99.";
    const char* kNumber = "Please enter a number.";
    const Case cases[] = {
        {"0", nullptr, 0, 0.0f},
        {"0.0", nullptr, 0, 0.0f},
        {"99", nullptr, 0, 99.0f},
        {"99.0", nullptr, 0, 99.0f},
        {"  2  ", nullptr, 0, 2.0f},
        {"\t2\t", nullptr, 0, 2.0f},
        {"0.5", nullptr, 0, 0.5f},
        {"1e1", nullptr, 0, 10.0f},
        {"99.5", kRange, MB_ICONEXCLAMATION, 0},
        {"-0.5", kRange, MB_ICONEXCLAMATION, 0},
        {"1e3", kRange, MB_ICONEXCLAMATION, 0},
        {"abc", kNumber, MB_OK, 0},
        {".0", kNumber, MB_OK, 0},
        {"-0", kNumber, MB_OK, 0},
        {"", kNumber, MB_OK, 0},
        {"2 inches", kNumber, MB_OK, 0},
        // Only the first 31 characters are read: the x is not seen.
        {"0.250000000000000000000000000000x", nullptr, 0, 0.25f},
    };
    for (int box : {IDC_HORIZ_SPACING, IDC_VERT_SPACING}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(box == IDC_HORIZ_SPACING ? "horizontal '" : "vertical '") +
                         c.text + "'");
            MessageBoxRecorder boxes;
            CGridlineDialog dlg;
            dlg.m_fHorizSpacing = 1.0f;
            dlg.m_fVertSpacing = 1.0f;
            OnNextModal([&](QDialog* w) {
                // A dialog's Tab moves the focus: tabs are put in by the program.
                if (std::strchr(c.text, '\t'))
                    dlg.SetDlgItemText(box, c.text);
                else
                    TypeInto(Item(dlg, box), c.text);
                Click(dlg, IDOK);
                if (!c.message)
                    return;
                EXPECT_TRUE(w->isVisible());
                ASSERT_EQ(boxes.texts(), std::vector<std::string>{c.message});
                EXPECT_EQ(boxes.boxes()[0].type, c.type);
                EXPECT_TRUE(HasFocus(dlg, box));
                EXPECT_EQ(dlg.GetDlgItemText(box), c.text); // the entry is kept
                TypeInto(Item(dlg, box), "3");
                Click(dlg, IDOK);
            });
            ASSERT_EQ(dlg.DoModal(), IDOK);
            float want = c.message ? 3.0f : c.value;
            EXPECT_EQ(box == IDC_HORIZ_SPACING ? dlg.m_fHorizSpacing : dlg.m_fVertSpacing, want);
            EXPECT_EQ(box == IDC_HORIZ_SPACING ? dlg.m_fVertSpacing : dlg.m_fHorizSpacing, 1.0f);
            EXPECT_EQ(boxes.boxes().size(), c.message ? 1u : 0u);
        }
    }
}

TEST(GridlineDialog, ReadsHorizontalBeforeVertical) {
    MessageBoxRecorder boxes;
    CGridlineDialog dlg;
    dlg.m_fHorizSpacing = 1.0f;
    dlg.m_fVertSpacing = 1.0f;
    OnNextModal([&](QDialog*) {
        TypeInto(Item(dlg, IDC_HORIZ_SPACING), "x");
        TypeInto(Item(dlg, IDC_VERT_SPACING), "200");
        Click(dlg, IDOK);
        ASSERT_EQ(boxes.texts(), std::vector<std::string>{"Please enter a number."});
        EXPECT_TRUE(HasFocus(dlg, IDC_HORIZ_SPACING));
        // With the horizontal box mended the vertical one fails, after the
        // horizontal value has been stored.
        TypeInto(Item(dlg, IDC_HORIZ_SPACING), "4");
        Click(dlg, IDOK);
        ASSERT_EQ(boxes.boxes().size(), 2u);
        EXPECT_EQ(boxes.boxes()[1].text, "Please enter a number between 0 and 99.");
        EXPECT_TRUE(HasFocus(dlg, IDC_VERT_SPACING));
        EXPECT_EQ(dlg.m_fHorizSpacing, 4.0f);
        EXPECT_EQ(dlg.m_fVertSpacing, 200.0f); // as the exchange left it
        QTest::keyClick(Item(dlg, IDC_VERT_SPACING), Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(GridlineDialog, TypedThirdIsStoredAsFloatAndShownAgainShort) {
    CGridlineDialog dlg;
    dlg.m_fHorizSpacing = 1.0f;
    dlg.m_fVertSpacing = 0.5f;
    OnNextModal([&](QDialog*) {
        TypeInto(Item(dlg, IDC_HORIZ_SPACING), "0.333333333");
        // Enter takes the default OK button.
        QTest::keyClick(Item(dlg, IDC_HORIZ_SPACING), Qt::Key_Return);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_fHorizSpacing, 0.333333333f);
    EXPECT_EQ(dlg.m_fVertSpacing, 0.5f);

    CGridlineDialog again;
    again.m_fHorizSpacing = dlg.m_fHorizSpacing;
    again.m_fVertSpacing = dlg.m_fVertSpacing;
    std::string shown;
    OnNextModal([&](QDialog*) {
        shown = again.GetDlgItemText(IDC_HORIZ_SPACING);
        Click(again, IDCANCEL);
    });
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, "0.333333");
}

TEST(GridlineDialog, CancelLeavesTheMembers) {
    CGridlineDialog dlg;
    dlg.m_fHorizSpacing = 1.25f;
    dlg.m_fVertSpacing = 2.5f;
    OnNextModal([&](QDialog* w) {
        TypeInto(Item(dlg, IDC_HORIZ_SPACING), "7");
        TypeInto(Item(dlg, IDC_VERT_SPACING), "8");
        w->close(); // the caption's close button
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_fHorizSpacing, 1.25f);
    EXPECT_EQ(dlg.m_fVertSpacing, 2.5f);
}

// ------------------------------------------------------- Edit Text Item ---

TEST(TextItemDialog, OpensWithTheFontListInOrder) {
    CTextItemDialog dlg;
    dlg.m_strFont = "Arial";
    OnNextModal([&](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), "Edit Text Item");
        QComboBox* combo = FontBox(dlg);
        ASSERT_NE(combo, nullptr);
        EXPECT_TRUE(combo->isEditable());
        std::vector<std::string> names;
        for (int i = 0; i < combo->count(); ++i)
            names.push_back(combo->itemText(i).toStdString());
        EXPECT_EQ(names,
                  (std::vector<std::string>{"Arial", "Arial Narrow", "Mistral", "Times New Roman",
                                            "Helvetica", "Palatino", "Century Gothic", "Tahoma",
                                            "Verdana", "Garamond", "Bookman", "Wingdings"}));
        // The OK button is not the default one.
        EXPECT_FALSE(qobject_cast<QPushButton*>(Item(dlg, IDC_TEXT_OK))->isDefault());
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// The line under the text says how much of the item's room is left, as typed.
TEST(TextItemDialog, TellsHowManyCharactersAreLeft) {
    CTextItemDialog dlg;
    dlg.m_strText = "Summer";
    OnNextModal([&](QDialog*) {
        auto* left = qobject_cast<QLabel*>(Item(dlg, IDC_TEXT_LEFT));
        ASSERT_NE(left, nullptr);
        EXPECT_EQ(left->text(), "394 of 400 characters left");
        auto* text = qobject_cast<QPlainTextEdit*>(Item(dlg, IDC_TEXT));
        text->setPlainText("a\nb"); // the line break takes two
        EXPECT_EQ(left->text(), "396 of 400 characters left");
        text->setPlainText(QString(402, 'x'));
        EXPECT_EQ(left->text(), "2 characters too many: the text is cut at 400");
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(TextItemDialog, FontNameSelectsTheFirstEntryBeginningWithIt) {
    struct Case {
        const char* font;
        const char* shown;
        int index;
    };
    const Case cases[] = {
        {"Times", "Times New Roman", 3},
        {"times", "Times New Roman", 3},
        {"ARIAL N", "Arial Narrow", 1},
        {"Arial", "Arial", 0},
        {"Ar", "Arial", 0},
        {"Courier New", "Courier New", -1},
        {"Times New Roman Bold", "Times New Roman Bold", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font);
        CTextItemDialog dlg;
        dlg.m_strFont = c.font;
        OnNextModal([&](QDialog*) {
            EXPECT_EQ(FontBox(dlg)->currentText().toStdString(), c.shown);
            if (c.index >= 0) {
                EXPECT_EQ(FontBox(dlg)->currentIndex(), c.index);
            }
            Click(dlg, IDC_TEXT_OK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_strFont, c.shown);
    }
}

TEST(TextItemDialog, FontNameOfThirtyCharactersPassesThirtyOneIsRefused) {
    const std::string thirty(30, 'F');
    MessageBoxRecorder boxes;
    CTextItemDialog dlg;
    dlg.m_strFont = "Arial";
    OnNextModal([&](QDialog* w) {
        QLineEdit* edit = FontBox(dlg)->lineEdit();
        TypeInto(edit, QString::fromStdString(thirty + "F"));
        EXPECT_EQ(FontBox(dlg)->currentText().size(), 31); // typing is not limited
        Click(dlg, IDC_TEXT_OK);
        EXPECT_TRUE(w->isVisible());
        ASSERT_EQ(boxes.texts(),
                  std::vector<std::string>{"Please enter no more than 30 characters."});
        EXPECT_EQ(boxes.boxes()[0].type, MB_ICONEXCLAMATION);
        EXPECT_TRUE(HasFocus(dlg, IDC_FONT));
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_Backspace);
        Click(dlg, IDC_TEXT_OK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strFont, thirty);
    EXPECT_EQ(boxes.boxes().size(), 1u);
}

TEST(TextItemDialog, EmptyFontNameIsRefused) {
    MessageBoxRecorder boxes;
    CTextItemDialog dlg;
    dlg.m_strFont = "Tahoma";
    OnNextModal([&](QDialog* w) {
        for (const char* blank : {"", "   "}) {
            TypeInto(FontBox(dlg)->lineEdit(), blank);
            Click(dlg, IDC_TEXT_OK);
            EXPECT_TRUE(w->isVisible());
            EXPECT_TRUE(HasFocus(dlg, IDC_FONT));
        }
        EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"Please enter a font name.",
                                                           "Please enter a font name."}));
        EXPECT_EQ(boxes.boxes()[0].type, MB_ICONEXCLAMATION);
        TypeInto(FontBox(dlg)->lineEdit(), "Verdana");
        Click(dlg, IDC_TEXT_OK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strFont, "Verdana");
}

TEST(TextItemDialog, StyleValuesOutsideTheRangeOpenUncheckedAndReturnZero) {
    CTextItemDialog dlg;
    dlg.m_strFont = "Arial";
    dlg.m_nBold = 5;
    dlg.m_nItalic = 1;
    dlg.m_nUnderline = -3;
    bool bold = true, italic = false, underline = true;
    OnNextModal([&](QDialog*) {
        bold = Check(dlg, IDC_BOLD)->isChecked();
        italic = Check(dlg, IDC_ITALIC)->isChecked();
        underline = Check(dlg, IDC_UNDERLINE)->isChecked();
        Click(dlg, IDC_TEXT_OK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(bold);
    EXPECT_TRUE(italic);
    EXPECT_FALSE(underline);
    EXPECT_EQ(dlg.m_nBold, 0);
    EXPECT_EQ(dlg.m_nItalic, 1);
    EXPECT_EQ(dlg.m_nUnderline, 0);
}

TEST(TextItemDialog, TypedLineBreakComesBackAsCrLf) {
    CTextItemDialog dlg;
    dlg.m_strFont = "Arial";
    dlg.m_strText = "first\r\nsecond";
    OnNextModal([&](QDialog* w) {
        auto* text = qobject_cast<QPlainTextEdit*>(Item(dlg, IDC_TEXT));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->document()->blockCount(), 2);
        QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_Return); // a new line, the dialog stays
        QTest::keyClicks(text, "third");
        EXPECT_TRUE(w->isVisible());
        Check(dlg, IDC_BOLD)->click();
        Click(dlg, IDC_TEXT_OK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strText, "first\r\nsecond\r\nthird");
    EXPECT_EQ(dlg.m_nBold, 1);
}

TEST(TextItemDialog, TextBoxTakesNoMoreLinesThanItShows) {
    CTextItemDialog dlg;
    dlg.m_strFont = "Arial";
    int shown = 0;
    OnNextModal([&](QDialog*) {
        auto* text = qobject_cast<QPlainTextEdit*>(Item(dlg, IDC_TEXT));
        for (int i = 0; i < 30; ++i) {
            QTest::keyClicks(text, QString::number(i));
            QTest::keyClick(text, Qt::Key_Return);
        }
        shown = text->document()->blockCount();
        Click(dlg, IDC_TEXT_OK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    // 62 dialog units hold a handful of lines, not thirty.
    EXPECT_GE(shown, 4);
    EXPECT_LT(shown, 12);
    std::size_t breaks = 0;
    for (std::size_t p = dlg.m_strText.find("\r\n"); p != std::string::npos;
         p = dlg.m_strText.find("\r\n", p + 2))
        ++breaks;
    EXPECT_EQ(static_cast<int>(breaks), shown - 1);
    EXPECT_EQ(dlg.m_strText.rfind("0\r\n1\r\n", 0), 0u);
}

TEST(TextItemDialog, EnterInTheFontBoxConfirms) {
    CTextItemDialog dlg;
    dlg.m_strFont = "Arial";
    dlg.m_strText = "Hello";
    OnNextModal([&](QDialog*) {
        QLineEdit* edit = FontBox(dlg)->lineEdit();
        TypeInto(edit, "Garamond");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strFont, "Garamond");
    EXPECT_EQ(dlg.m_strText, "Hello");
    EXPECT_EQ(FontBox(dlg), nullptr); // the window is gone
}

TEST(TextItemDialog, CancelAndEscReadNothing) {
    for (bool esc : {false, true}) {
        CTextItemDialog dlg;
        dlg.m_strFont = "Arial";
        dlg.m_strText = "keep";
        OnNextModal([&](QDialog*) {
            TypeInto(Item(dlg, IDC_TEXT), "changed");
            TypeInto(FontBox(dlg)->lineEdit(), "Tahoma");
            if (esc)
                QTest::keyClick(Item(dlg, IDC_TEXT), Qt::Key_Escape);
            else
                Click(dlg, IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.m_strText, "keep");
        EXPECT_EQ(dlg.m_strFont, "Arial");
    }
}

TEST(TextItemDialog, TakesAndGivesTheFieldsItShows) {
    CTextItemDialog dlg;
    dlg.SetFields({"old\r\nline", 1, 0, 1, "Tahoma"});
    OnNextModal([&](QDialog*) {
        EXPECT_EQ(dlg.GetDlgItemText(IDC_TEXT), "old\r\nline");
        EXPECT_TRUE(Check(dlg, IDC_UNDERLINE)->isChecked());
        Check(dlg, IDC_ITALIC)->click();
        Click(dlg, IDC_TEXT_OK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const TextItemFields f = dlg.Fields();
    EXPECT_EQ(f.text, "old\r\nline");
    EXPECT_EQ(std::vector<int>({f.bBold, f.bItalic, f.bUnderline}), std::vector<int>({1, 1, 1}));
    EXPECT_EQ(f.fontName, "Tahoma");
}

// ------------------------------------------------------------------ About ---

TEST(AboutDialog, ShowsIconAndVersionAndEndsEveryWay) {
    for (int way = 0; way < 4; ++way) {
        SCOPED_TRACE(way);
        CAboutDialog dlg;
        OnNextModal([&](QDialog* w) {
            EXPECT_EQ(w->windowTitle(), "About Zelbrin");
            bool version = false, icon = false;
            for (QLabel* label : w->findChildren<QLabel*>()) {
                version = version || label->text() == "Zelbrin Version 1.4";
                icon = icon || !label->pixmap().isNull();
            }
            EXPECT_TRUE(version);
            EXPECT_TRUE(icon);
            EXPECT_TRUE(qobject_cast<QPushButton*>(Item(dlg, IDOK))->isDefault());
            switch (way) {
            case 0:
                Click(dlg, IDOK);
                break;
            case 1:
                QTest::keyClick(w, Qt::Key_Return);
                break;
            case 2:
                QTest::keyClick(w, Qt::Key_Escape);
                break;
            default:
                w->close();
                break;
            }
        });
        EXPECT_EQ(dlg.DoModal(), way < 2 ? IDOK : IDCANCEL);
    }
}

// --------------------------------------------------------- Export as JPEG ---

TEST(ExportDialog, StartValuesGiveTheFloatRatio) {
    CExportDialog dlg;
    EXPECT_EQ(dlg.m_nWidth, 0u);
    EXPECT_EQ(dlg.m_nHeight, 0u);
    EXPECT_EQ(dlg.m_bLinking, 0);
    dlg.SetStartValues(800, 600);
    EXPECT_EQ(dlg.m_nWidth, 800u);
    EXPECT_EQ(dlg.m_nHeight, 600u);
    EXPECT_EQ(dlg.m_fRatio, 1.3333334f);
    EXPECT_GT(static_cast<double>(dlg.m_fRatio), 4.0 / 3.0); // slightly above 4/3
}

TEST(ExportDialog, OpeningShowsTheClientSizeUnlinked) {
    // The start values fill the fields as they are; linking starts with the
    // user's first change.
    CExportDialog dlg;
    dlg.SetStartValues(800, 600);
    OnNextModal([&](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), "Export as JPEG");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_EXPORT_HEIGHT), "600");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_EXPORT_WIDTH), "800");
        EXPECT_EQ(dlg.m_nWidth, 800u);
        EXPECT_EQ(dlg.m_nHeight, 600u);
        EXPECT_EQ(dlg.m_bLinking, 0);
        QTest::keyClick(Item(dlg, IDC_EXPORT_WIDTH), Qt::Key_Return);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nWidth, 800u);
    EXPECT_EQ(dlg.m_nHeight, 600u);
}

TEST(ExportDialog, TypingOneSideSetsTheOther) {
    struct Case {
        int typedInto;
        const char* text;
        const char* otherShows;
        UINT width, height; // after OK
    };
    const Case cases[] = {
        {IDC_EXPORT_WIDTH, "400", "299", 400, 299},
        {IDC_EXPORT_HEIGHT, "300", "400", 400, 300},
        {IDC_EXPORT_WIDTH, "3000", "2249", 3000, 2249},
        {IDC_EXPORT_HEIGHT, "1", "1", 1, 1},
        // The linking reads the leading digits; 12 / r is just below 9.
        {IDC_EXPORT_WIDTH, "12px", "8", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        MessageBoxRecorder boxes;
        CExportDialog dlg;
        dlg.SetStartValues(800, 600);
        int other = c.typedInto == IDC_EXPORT_WIDTH ? IDC_EXPORT_HEIGHT : IDC_EXPORT_WIDTH;
        OnNextModal([&](QDialog*) {
            TypeInto(Item(dlg, c.typedInto), c.text);
            EXPECT_EQ(dlg.GetDlgItemText(other), c.otherShows);
            EXPECT_EQ(dlg.m_bLinking, 0);
            Click(dlg, IDOK);
            if (c.width == 0) { // refused: "12px" is no number
                EXPECT_EQ(boxes.texts(),
                          std::vector<std::string>{"Please enter a positive integer."});
                EXPECT_TRUE(HasFocus(dlg, IDC_EXPORT_WIDTH));
                Click(dlg, IDCANCEL);
            }
        });
        int result = dlg.DoModal();
        if (c.width == 0) {
            EXPECT_EQ(result, IDCANCEL);
            continue;
        }
        ASSERT_EQ(result, IDOK);
        EXPECT_TRUE(boxes.texts().empty());
        EXPECT_EQ(dlg.m_nWidth, c.width);
        EXPECT_EQ(dlg.m_nHeight, c.height);
    }
}

TEST(ExportDialog, ChangeNotificationsFollowTheUpdateOnes) {
    // Typing 400 into Width: its update stores height 299 and writes it;
    // the height field's change stores width 299 * r = 398; then the
    // width's own change stores height 398 / r = 298. The other order
    // would leave different numbers.
    CExportDialog dlg;
    dlg.SetStartValues(800, 600);
    OnNextModal([&](QDialog*) {
        TypeInto(Item(dlg, IDC_EXPORT_WIDTH), "400");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_EXPORT_HEIGHT), "299");
        EXPECT_EQ(dlg.m_nWidth, 398u);
        EXPECT_EQ(dlg.m_nHeight, 298u);
        // A change by the program links the same way.
        dlg.SetDlgItemText(IDC_EXPORT_HEIGHT, "300");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_EXPORT_WIDTH), "400");
        EXPECT_EQ(dlg.m_nHeight, 299u); // width 400's change: 400 / r
        EXPECT_EQ(dlg.m_nWidth, 398u);  // then the height's: 299 * r
        EXPECT_EQ(dlg.m_bLinking, 0);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(ExportDialog, NonNumberWidthGivesHeightZeroAndOkRefusesTheRange) {
    MessageBoxRecorder boxes;
    CExportDialog dlg;
    dlg.SetStartValues(800, 600);
    OnNextModal([&](QDialog* w) {
        TypeInto(Item(dlg, IDC_EXPORT_WIDTH), "abc");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_EXPORT_HEIGHT), "0");
        Click(dlg, IDOK);
        EXPECT_TRUE(w->isVisible());
        ASSERT_EQ(boxes.texts(),
                  std::vector<std::string>{"Please enter an integer between 1 and 3000."});
        EXPECT_EQ(boxes.boxes()[0].type, MB_ICONEXCLAMATION);
        EXPECT_TRUE(HasFocus(dlg, IDC_EXPORT_HEIGHT)); // the height is checked first
        TypeInto(Item(dlg, IDC_EXPORT_HEIGHT), "3001");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_EXPORT_WIDTH), "4001");
        Click(dlg, IDOK);
        ASSERT_EQ(boxes.boxes().size(), 2u);
        EXPECT_EQ(boxes.boxes()[1].text, "Please enter an integer between 1 and 3000.");
        EXPECT_TRUE(HasFocus(dlg, IDC_EXPORT_HEIGHT));
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(ExportDialog, HeightIsValidatedBeforeWidth) {
    MessageBoxRecorder boxes;
    CExportDialog dlg;
    dlg.SetStartValues(800, 600);
    OnNextModal([&](QDialog*) {
        // Height "x" links the width to "0": the width alone would give the
        // range message, the height gives the number message first.
        TypeInto(Item(dlg, IDC_EXPORT_HEIGHT), "x");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_EXPORT_WIDTH), "0");
        Click(dlg, IDOK);
        ASSERT_EQ(boxes.texts(), std::vector<std::string>{"Please enter a positive integer."});
        EXPECT_EQ(boxes.boxes()[0].type, MB_OK);
        EXPECT_TRUE(HasFocus(dlg, IDC_EXPORT_HEIGHT));
        // A good height, then the width's own message.
        dlg.SetDlgItemText(IDC_EXPORT_HEIGHT, "300"); // width follows: 400
        dlg.SetDlgItemText(IDC_EXPORT_WIDTH, "-4");   // height follows: -3
        dlg.SetDlgItemText(IDC_EXPORT_HEIGHT, "150"); // width follows: 200
        {
            // The fields can disagree with the ratio when the program writes
            // one without linking; the width is then checked on its own.
            QSignalBlocker block(Item(dlg, IDC_EXPORT_WIDTH));
            qobject_cast<QLineEdit*>(Item(dlg, IDC_EXPORT_WIDTH))->setText("9000");
        }
        Click(dlg, IDOK);
        ASSERT_EQ(boxes.boxes().size(), 2u);
        EXPECT_EQ(boxes.boxes()[1].text, "Please enter an integer between 1 and 3000.");
        EXPECT_TRUE(HasFocus(dlg, IDC_EXPORT_WIDTH));
        EXPECT_EQ(dlg.m_nHeight, 150u); // stored before the width failed
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}
