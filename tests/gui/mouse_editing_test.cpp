// Mouse editing driven through the window system's input: presses, moves,
// releases and double-clicks on the real view. After every drag the window
// must show exactly what a full repaint shows.
#include "app/document_shell_qt.h"
#include "document/zelbrin_doc.h"
#include "platform/qt/cursor.h"
#include "platform/qt/gdi.h"
#include "view/view_cursors.h"
#include "support/modal_dialog.h"
#include "support/test_support.h"
#include "support/view_fixture.h"
#include "view/zelbrin_view.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr RECT kP{100, 100, 300, 250}; // the selected 400 x 300 picture
constexpr RECT kWhole{0, 0, 400, 300};
constexpr POINT kNone{-1, -1};

// A 480 x 630 page (steps 60, last gridlines 8 and 10) holding, in order,
// picture Q, text T, text U lying over P, and picture P, selected.
class MouseEditing : public ViewFixture {
protected:
    void SetUp() override {
        ViewFixture::SetUp();
        shell = std::make_unique<CDocumentShellQt>(view.get());
        doc.SetShell(shell.get());
        SetPrinter(2400, 3150, 300); // an 8 x 10.5 inch page
        view->OnInitialUpdate();
        view->setFixedSize(view->size()); // a top-level window keeps the page's size
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        win = view->windowHandle();
        Build(kP, kWhole);
    }
    void TearDown() override {
        doc.SetShell(nullptr);
        shell.reset();
        ViewFixture::TearDown();
    }
    void Build(RECT pPlace, RECT pSource) {
        doc.DeleteAllItems();
        names.Clear();
        names.Append(doc, PatternPictureItem(100, 80, RECT{320, 300, 420, 400}), "Q");
        names.Append(doc, TextItem("Summer", RECT{20, 500, 220, 560}), "T");
        names.Append(doc, TextItem("Over", RECT{110, 200, 250, 240}), "U");
        PageItem p = PatternPictureItem(400, 300, pPlace);
        p.rcSource = pSource;
        names.Append(doc, p, "P");
        view->SelectTopItem();
        // The whole page drawn, as when the window is activated.
        view->RedrawPage();
        doc.m_bAlbumModified = 0;
    }
    QPoint At(POINT p) const { return QPoint(p.x, p.y); }
    void Press(POINT p) { QTest::mousePress(win, Qt::LeftButton, {}, At(p)); }
    void Move(POINT p) { QTest::mouseMove(win, At(p)); }
    void Release(POINT p) { QTest::mouseRelease(win, Qt::LeftButton, {}, At(p)); }
    void Click(POINT p) { QTest::mouseClick(win, Qt::LeftButton, {}, At(p)); }
    std::string Selected() const { return names.Selected(doc); }
    const PageItem* Find(const char* name) const { return names.Find(doc, name); }
    // The window now equals the window after a full repaint.
    void ExpectFullRepaint(const char* when) {
        const QImage shown = view->Surface().copy();
        view->RedrawPage();
        EXPECT_TRUE(shown == view->Surface()) << when;
    }
    // Runs act, rejecting and counting every modal dialog that opens meanwhile.
    int DialogsDuring(const std::function<void()>& act) {
        int n = 0;
        QTimer timer;
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [&n] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++n;
                d->reject();
            }
        });
        timer.start();
        act();
        return n;
    }

    ItemNames names;
    std::unique_ptr<CDocumentShellQt> shell;
    QWindow* win = nullptr;
};

TEST_F(MouseEditing, EveryStateOfADragEndsAsAFullRepaintShows) {
    struct Case {
        const char* name;
        RECT pPlace, pSource;
        int snap;
        POINT first; // a click before the drag, or kNone
        POINT press, via, to;
        int mode, edge;
        const char* selected;
        RECT place, source;
    } cases[] = {
        // clang-format off
        {"handle reach 10", kP, kWhole, 0, kNone, {310, 260}, {400, 200}, {350, 400}, DRAG_SIZE_BOTTOMRIGHT, EDGE_NONE, "P", {100, 100, 350, 287}, kWhole},
        {"handle reach 11 is paper", kP, kWhole, 0, kNone, {311, 261}, kNone, {350, 400}, DRAG_NONE, EDGE_NONE, "P", kP, kWhole},
        {"edge reach 7 crops", kP, kWhole, 0, kNone, {93, 175}, {120, 175}, {150, 175}, DRAG_CROP, EDGE_LEFT, "P", {150, 100, 300, 250}, {100, 0, 400, 300}},
        {"edge reach 8 is paper", kP, kWhole, 0, kNone, {92, 175}, kNone, {150, 175}, DRAG_NONE, EDGE_NONE, "P", kP, kWhole},
        {"corner wins over edge", kP, kWhole, 0, kNone, {95, 245}, kNone, {60, 300}, DRAG_SIZE_BOTTOMLEFT, EDGE_NONE, "P", {60, 100, 300, 279}, kWhole},
        {"top-right corner", kP, kWhole, 0, kNone, {300, 100}, kNone, {340, 20}, DRAG_SIZE_TOPRIGHT, EDGE_NONE, "P", {100, 70, 340, 250}, kWhole},
        {"top-left corner", kP, kWhole, 0, kNone, {100, 100}, kNone, {20, 80}, DRAG_SIZE_TOPLEFT, EDGE_NONE, "P", {73, 80, 300, 250}, kWhole},
        {"crop left to 50", kP, kWhole, 0, kNone, {100, 175}, kNone, {50, 175}, DRAG_CROP, EDGE_LEFT, "P", kP, kWhole},
        {"crop left to 299", kP, kWhole, 0, kNone, {100, 175}, kNone, {299, 175}, DRAG_CROP, EDGE_LEFT, "P", {295, 100, 300, 250}, {390, 0, 400, 300}},
        {"crop top to 130", kP, kWhole, 0, kNone, {200, 100}, kNone, {200, 130}, DRAG_CROP, EDGE_TOP, "P", {100, 130, 300, 250}, {0, 0, 400, 240}},
        {"crop bottom to 200", kP, kWhole, 0, kNone, {200, 250}, kNone, {200, 200}, DRAG_CROP, EDGE_BOTTOM, "P", {100, 100, 300, 200}, {0, 100, 400, 300}},
        {"right edge stops 5 from the source left", {150, 100, 300, 250}, {100, 0, 400, 300}, 0, kNone, {300, 175}, kNone, {152, 175}, DRAG_CROP, EDGE_RIGHT, "P", {150, 100, 155, 250}, {100, 0, 110, 300}},
        {"sized by its height", {10, 10, 210, 110}, kWhole, 0, kNone, {210, 110}, kNone, {250, 200}, DRAG_SIZE_BOTTOMRIGHT, EDGE_NONE, "P", {10, 10, 250, 130}, kWhole},
        {"sized by its width", {10, 10, 210, 110}, kWhole, 0, kNone, {210, 110}, kNone, {450, 110}, DRAG_SIZE_BOTTOMRIGHT, EDGE_NONE, "P", {10, 10, 210, 110}, kWhole},
        {"grid snap (89, 31)", kP, kWhole, 1, kNone, {200, 175}, {300, 300}, {189, 106}, DRAG_MOVE, EDGE_NONE, "P", {60, 60, 260, 210}, kWhole},
        {"grid snap top 30", kP, kWhole, 1, kNone, {200, 175}, kNone, {189, 105}, DRAG_MOVE, EDGE_NONE, "P", {60, 0, 260, 150}, kWhole},
        {"no grid snap", kP, kWhole, 0, kNone, {200, 175}, kNone, {189, 106}, DRAG_MOVE, EDGE_NONE, "P", {89, 31, 289, 181}, kWhole},
        {"beyond the window: clamped", kP, kWhole, 0, kNone, {200, 175}, {600, 100}, {700, 900}, DRAG_MOVE, EDGE_NONE, "P", {280, 480, 480, 630}, kWhole},
        {"another picture, 480 wide", kP, kWhole, 0, kNone, {370, 350}, kNone, {450, 350}, DRAG_MOVE, EDGE_NONE, "Q", {380, 300, 480, 400}, {0, 0, 100, 80}},
        {"a text never snaps", kP, kWhole, 1, kNone, {120, 530}, kNone, {209, 561}, DRAG_MOVE, EDGE_NONE, "T", {109, 531, 309, 591}, {0, 0, 100, 25}},
        {"a text over the picture wins", kP, kWhole, 0, kNone, {180, 220}, kNone, {190, 220}, DRAG_MOVE, EDGE_NONE, "U", {120, 200, 260, 240}, {0, 0, 100, 25}},
        {"a text not below 10 wide", kP, kWhole, 0, {120, 530}, {220, 560}, kNone, {29, 600}, DRAG_SIZE_BOTTOMRIGHT, EDGE_NONE, "T", {20, 500, 220, 560}, {0, 0, 100, 25}},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Build(c.pPlace, c.pSource);
        view->m_bSnapToGrid = c.snap;
        if (c.first.x >= 0)
            Click(c.first);
        doc.m_bAlbumModified = 0;
        std::vector<PageItem> before;
        for (int i = 0; i < doc.GetItemCount(); ++i)
            before.push_back(doc.GetItem(i));

        Press(c.press);
        EXPECT_EQ(view->CurrentDrag(), c.mode);
        EXPECT_EQ(view->CurrentCropEdge(), c.edge);
        EXPECT_EQ(CWnd::GetCapture(), c.mode != DRAG_NONE ? view.get() : nullptr);
        EXPECT_FALSE(view->IsItemDrawn(doc.GetLastIndex())); // floating, also after a full repaint
        if (c.via.x >= 0)
            Move(c.via);
        Move(c.to);
        ExpectFullRepaint("after the last step");
        Release(c.to);
        EXPECT_EQ(view->CurrentDrag(), DRAG_NONE);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        EXPECT_EQ(Selected(), c.selected);
        EXPECT_EQ(doc.GetLastItem().rcPlace, c.place);
        EXPECT_EQ(doc.GetLastItem().rcSource, c.source);
        // Only a drag that changed the item modifies the album.
        bool changed = false;
        for (const PageItem& was : before)
            changed = changed || !(doc.GetItem(doc.IndexOfItem(was.nId)) == was);
        for (const PageItem& was : before) {
            if (was.nId == doc.GetLastItem().nId) {
                EXPECT_EQ(changed, !(was.rcPlace == c.place && was.rcSource == c.source));
            }
        }
        EXPECT_EQ(doc.m_bAlbumModified, changed ? 1 : 0);
        ExpectFullRepaint("after the release");
    }
}

TEST_F(MouseEditing, AMovedPictureSnapsIntoATemplateSlotOnRelease) {
    // The six default slots; slot 3 (centre 360, 315) holds Q.
    struct Case {
        const char* name;
        int snap;
        POINT press, release;
        const char* moved;
        RECT place, q;
    } cases[] = {
        // clang-format off
        {"off: stays where dropped", 0, {200, 175}, {240, 100}, "P", {140, 25, 340, 175}, {320, 300, 420, 400}},
        {"on, over no slot: back", 1, {200, 175}, {240, 100}, "P", kP, {320, 300, 420, 400}},
        {"on, onto Q's slot: swapped", 1, {200, 175}, {360, 315}, "P", {245, 229, 475, 401}, {107, 100, 293, 250}},
        {"a text never snaps", 1, {120, 530}, {360, 315}, "T", {260, 285, 460, 345}, {320, 300, 420, 400}},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Build(kP, kWhole);
        view->m_bSnapToTemplate = c.snap;
        Press(c.press);
        Move(c.release);
        Release(c.release);
        EXPECT_EQ(Selected(), c.moved);
        EXPECT_EQ(Find(c.moved)->rcPlace, c.place);
        EXPECT_EQ(Find("Q")->rcPlace, c.q);
        EXPECT_EQ(view->CurrentDrag(), DRAG_NONE);
        ExpectFullRepaint("after the release");
    }
}

TEST_F(MouseEditing, ThePointerShowsWhatAPressWouldDo) {
    struct Case {
        POINT pt;
        unsigned cursor; // 0: the standard arrow
    } over[] = {
        {{310, 260}, IDC_SIZE_NWSE},  {{90, 90}, IDC_SIZE_NWSE},    {{95, 245}, IDC_SIZE_NESW},
        {{305, 95}, IDC_SIZE_NESW},   {{93, 175}, IDC_MOVE_CROP},   {{200, 256}, IDC_MOVE_CROP},
        {{200, 175}, IDC_HAND_POINT}, {{370, 350}, IDC_HAND_POINT}, {{450, 50}, 0},
    };
    for (const Case& c : over) {
        Move(c.pt);
        EXPECT_EQ(GetCursor(), c.cursor ? LoadCursor(c.cursor) : LoadStandardCursor(IDC_ARROW))
            << c.pt.x << "," << c.pt.y;
    }
    // The shape changes as a drag begins and ends, without a move.
    Press({200, 175});
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_HAND_GRAB));
    EXPECT_EQ(view->cursor().shape(), Qt::ClosedHandCursor);
    Release({200, 175});
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_HAND_POINT));
    Press({93, 175});
    Move({60, 175});
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_MOVE_CROP));
    Release({60, 175});

    // On an item small enough for handle zones to overlap, the pointer
    // shows the top-left diagonal while a press takes the bottom-left corner.
    Build(RECT{100, 100, 130, 115}, kWhole);
    Move({105, 105});
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_SIZE_NWSE));
    Press({105, 105});
    EXPECT_EQ(view->CurrentDrag(), DRAG_SIZE_BOTTOMLEFT);
    Release({105, 105});
}

TEST_F(MouseEditing, SelectionChangesNeverDrawATextOverItself) {
    const std::function<void()> steps[] = {
        [&] {
            Click({200, 175});
        }, // P under text U
        [&] {
            Click({370, 350});
        }, // Q
        [&] {
            Click({180, 220});
        }, // U above P
        [&] {
            Click({200, 120});
        }, // P again
        [&] {
            view->OnShowGridlines();
            view->OnShowGridlines();
        }, // grid on and off
        [&] {
            Click({450, 50});
        }, // paper
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i]();
        ExpectFullRepaint(std::to_string(i).c_str());
    }
}

TEST_F(MouseEditing, LosingTheCaptureEndsTheDragWhereItStood) {
    const std::function<void()> takers[] = {
        [] {
            static QWidget other;
            other.grabMouse();
            QEvent nudge(QEvent::User);
            QCoreApplication::sendEvent(&other, &nudge);
            other.releaseMouse();
        },
        [&] {
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(view.get(), &deactivate);
        },
    };
    for (const auto& take : takers) {
        Build(kP, kWhole);
        Press({200, 175});
        Move({220, 195});
        take();
        EXPECT_EQ(view->CurrentDrag(), DRAG_NONE);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        Move({260, 260}); // the button is still down, but no drag is going on
        EXPECT_EQ(doc.GetLastItem().rcPlace, (RECT{120, 120, 320, 270}));
        Release({260, 260});
        ExpectFullRepaint("after the capture was lost");
    }
}

TEST_F(MouseEditing, AFullRepaintDuringADragLeavesNoTrail) {
    // The window is activated (and the page redrawn) after the press reached it.
    Press({200, 175});
    view->OnActivateView(TRUE, view.get(), nullptr);
    Move({250, 300});
    EXPECT_EQ(doc.GetLastItem().rcPlace, (RECT{150, 225, 350, 375}));
    ExpectFullRepaint("after the step");
    Release({250, 300});
}

TEST_F(MouseEditing, DoubleClickEditsOnlyTextItems) {
    // On a picture or on paper nothing opens and nothing changes.
    for (POINT pt : {POINT{200, 175}, POINT{450, 50}}) {
        EXPECT_EQ(DialogsDuring([&] { QTest::mouseDClick(win, Qt::LeftButton, {}, At(pt)); }), 0);
        EXPECT_EQ(doc.GetLastItem().rcPlace, kP);
        EXPECT_EQ(doc.m_bAlbumModified, 0);
        EXPECT_EQ(view->CurrentDrag(), DRAG_NONE);
    }
    EXPECT_EQ(DialogsDuring([&] {
                  QTest::mouseDClick(win, Qt::LeftButton, {}, At({120, 530}));
              }),
              1); // cancelled
    EXPECT_STREQ(Find("T")->szText, "Summer");
    EXPECT_EQ(doc.m_bAlbumModified, 0);

    const std::string longText = std::string(399, 'x') + "\xC3\xA9"; // 401 bytes
    struct Case {
        QString typed, font;
        std::string text, fontName;
        int lines;
    } cases[] = {
        {"a\n\nb", "Tahoma", "a\r\n\r\nb", "Tahoma", 3},
        {"", "Verdana", "", "Verdana", 1},
        {QString::fromStdString(longText), QString(19, 'y') + QChar(0xE9), std::string(399, 'x'),
         std::string(19, 'y'), 1},
    };
    for (const Case& c : cases) {
        doc.m_bAlbumModified = 0;
        OnNextModal([&](QDialog* d) {
            d->findChild<QPlainTextEdit*>()->setPlainText(c.typed);
            d->findChild<QComboBox*>()->setEditText(c.font);
            for (QCheckBox* box : d->findChildren<QCheckBox*>())
                box->setChecked(box->text() == "Bold");
            for (QPushButton* b : d->findChildren<QPushButton*>())
                if (b->text() == "OK")
                    b->click();
        });
        QTest::mouseDClick(win, Qt::LeftButton, {}, At({120, 530}));
        const PageItem* t = Find("T");
        EXPECT_EQ(t->szText, c.text);
        EXPECT_EQ(t->szFontName, c.fontName);
        EXPECT_EQ(t->nLines, c.lines);
        EXPECT_EQ(t->bBold, 1);
        EXPECT_EQ(t->bItalic, 0);
        EXPECT_EQ(t->rcPlace, (RECT{20, 500, 220, 560}));
        EXPECT_EQ(doc.m_szFontName, c.fontName);
        EXPECT_EQ(doc.m_bBold, 1);
        EXPECT_EQ(doc.m_bAlbumModified, 1);
        EXPECT_EQ(view->CurrentDrag(), DRAG_NONE);
        ExpectFullRepaint("after the edit");
    }
}

// Records the mouse messages a window receives.
class MessageLog : public CWnd {
public:
    std::string log;
    void Note(const char* what, UINT flags, POINT p) {
        log += std::string(what) + "(" + std::to_string(p.x) + "," + std::to_string(p.y) +
               (flags & MK_LBUTTON ? ",L" : "") + ") ";
    }
    void OnLButtonDown(UINT f, POINT p) override { Note("down", f, p); }
    void OnLButtonUp(UINT f, POINT p) override { Note("up", f, p); }
    void OnLButtonDblClk(UINT f, POINT p) override { Note("dbl", f, p); }
    void OnCaptureChanged(CWnd*) override { log += "lost "; }
};

TEST(MouseMessages, TheSecondPressOfADoubleClickArrivesAsTheDoubleClick) {
    MessageLog w;
    w.resize(100, 100);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_EQ(w.log, "down(10,20,L) up(10,20) dbl(10,20,L) up(10,20) down(30,40,L) up(30,40) ");
    w.log.clear();
    w.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), &w);
    w.ReleaseCapture();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(w.log, "lost ");
}

// The five pointers follow the desktop's cursor theme.
TEST(Cursors, FiveShapesFromTheCursorTheme) {
    RegisterViewCursors();
    const std::pair<unsigned, Qt::CursorShape> cases[] = {{IDC_HAND_POINT, Qt::PointingHandCursor},
                                                          {IDC_SIZE_NWSE, Qt::SizeFDiagCursor},
                                                          {IDC_MOVE_CROP, Qt::SizeAllCursor},
                                                          {IDC_HAND_GRAB, Qt::ClosedHandCursor},
                                                          {IDC_SIZE_NESW, Qt::SizeBDiagCursor}};
    for (const auto& [id, shape] : cases) {
        ASSERT_NE(LoadCursor(id), nullptr) << id;
        EXPECT_EQ(LoadCursor(id)->shape(), shape) << id;
    }
    EXPECT_EQ(LoadCursor(999), nullptr);
}

} // namespace
