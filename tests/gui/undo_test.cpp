// Undo and Redo in the editor: every kind of step, done through its real
// command, key or mouse drag, is taken back to exactly the page before it
// (the window's pixels, every record in the album's order, the template)
// and made again to exactly the page after it.
#include "app/main_frame.h"
#include "app/zelbrin_app.h"
#include "document/slot_fit.h"
#include "document/zelbrin_doc.h"
#include "platform/qt/color_dialog.h"
#include "platform/qt/gdi.h"
#include "platform/win/afxmsgbox.h"
#include "base/c_locale.h"
#include "res/resource.h"
#include "support/modal_dialog.h"
#include "support/test_support.h"
#include "view/zelbrin_view.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

constexpr RECT kA{40, 40, 240, 190};   // a.jpg, 200 x 150 at half size
constexpr RECT kB{300, 300, 420, 460}; // b.jpg
constexpr RECT kT{40, 400, 240, 460};  // the text "Summer", selected

class Undo : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenMetricsOverride(1024, 768);
        CWinApp::SetProfileRoot(store.path());
        for (const char* name : {"a.jpg", "c.jpg"})
            MakeJpeg(dir.File(name), 400, 300);
        for (const char* name : {"b.jpg", "d.jpg"})
            MakeJpeg(dir.File(name), 300, 400);
        WriteFileBytes(dir.File("t.zbt"), "1\r\n\r\n0.5\r\n0.5\r\n0.9\r\n0.9\r\n");
        CZelbrinDoc doc;
        doc.OnNewDocument();
        for (auto [name, place] : {std::pair{"a.jpg", kA}, std::pair{"b.jpg", kB}}) {
            ASSERT_TRUE(doc.AddPicture(dir.File(name).c_str()));
            PageItem item = doc.GetLastItem();
            item.rcPlace = place;
            doc.SetLastItem(item);
        }
        doc.AppendItem(TextItem("Summer\r\n", kT));
        ASSERT_TRUE(doc.SetAlbumPath(dir.File("page.alb").c_str()));
        ASSERT_TRUE(doc.WriteAlbumFile());

        app = std::make_unique<CZelbrinApp>();
        app->m_args = {"--ppi", "60", dir.File("page.alb")};
        ASSERT_TRUE(app->InitInstance());
        QCoreApplication::processEvents();
        ASSERT_EQ(Doc().GetItemCount(), 3);
    }
    void TearDown() override {
        CColorDialog::SetAnswerHook(nullptr);
        if (app) {
            // Whatever the test left is not saved.
            MessageBoxRecorder no(IDNO);
            app->ExitInstance();
        }
        app.reset();
        ClearScreenMetricsOverride();
    }
    CZelbrinDoc& Doc() { return *app->GetDocument(); }
    CMainFrame& Frame() { return *app->GetMainFrame(); }
    CZelbrinView& View() { return *app->GetView(); }

    // The mouse on the view, in its own coordinates.
    QPoint On(POINT p) { return View().mapTo(&Frame(), QPoint(p.x, p.y)); }
    void Drag(POINT from, POINT to) {
        QWindow* win = Frame().windowHandle();
        QTest::mousePress(win, Qt::LeftButton, {}, On(from));
        QTest::mouseMove(win, On(POINT{(from.x + to.x) / 2, (from.y + to.y) / 2}));
        QTest::mouseMove(win, On(to));
        QTest::mouseRelease(win, Qt::LeftButton, {}, On(to));
    }
    void Click(POINT p) { QTest::mouseClick(Frame().windowHandle(), Qt::LeftButton, {}, On(p)); }
    RECT PlaceOf(ItemId id) { return Doc().ItemAt(Doc().IndexOfItem(id)).rcPlace; }
    ItemId IdOf(const char* file) {
        for (int i = 0; i < Doc().GetItemCount(); ++i)
            if (std::filesystem::path(Doc().ItemAt(i).szPath).filename() == file)
                return Doc().ItemAt(i).nId;
        return 0;
    }

    // What the user has: the window as it shows the page (the last item
    // selected), the album's records in their order, the template's slots.
    struct Page {
        QImage shown;
        std::string album;
        bool operator==(const Page&) const = default;
    };
    Page Now() {
        View().SelectTopItem();
        std::vector<AlbumRecord> records;
        for (int i = 0; i < Doc().GetItemCount(); ++i) {
            AlbumRecord r;
            r.item = Doc().ItemAt(i);
            r.relPath = std::to_string(r.item.nId);
            r.fullPath = r.item.szPath;
            records.push_back(r);
        }
        std::string album = FormatAlbumText(records);
        for (int s = 0; s < Doc().m_nSlotCount; ++s) {
            const TemplateSlot& slot = Doc().m_slots[s];
            album += FormatC("slot %g %g %g %g %d\n", slot.fCenterX, slot.fCenterY, slot.fWidth,
                             slot.fHeight, slot.bUsed);
        }
        return Page{View().Surface().copy(), album};
    }
    // The Edit menu's label and prompt for Undo or Redo, as its update rule sets them.
    std::pair<std::string, bool> Label(UINT nID) {
        CCmdUI ui(nID);
        Frame().UpdateCmdUI(ui);
        return {ui.m_strText, ui.m_bEnabled != FALSE};
    }

    TempDir store, dir;
    std::unique_ptr<CZelbrinApp> app;
};

TEST_F(Undo, EveryStepIsTakenBackAndMadeAgainExactly) {
    FileDialogScript files;
    const ItemId a = IdOf("a.jpg");
    const auto slotCentre = [&](int s) {
        int h = 0, w = 0;
        View().GetClientExtent(h, w);
        const RECT rc = SlotRect(Doc().m_slots[s], w, h);
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    };
    const auto command = [&](UINT nID) { return [&, nID] { Frame().OnCommand(nID); }; };
    struct Row {
        const char* name;
        std::function<void()> select; // not a step
        std::function<void()> act;
    };
    const Row rows[] = {
        {"Move",
         [&] {
             Click({140, 115});
         },
         [&] {
             Drag({140, 115}, {170, 145});
         }},
        {"Resize",
         {},
         [&] {
             Drag({PlaceOf(a).right, PlaceOf(a).bottom}, {300, 240});
         }},
        {"Crop",
         {},
         [&] {
             const RECT rc = PlaceOf(a);
             Drag({rc.left, (rc.top + rc.bottom) / 2}, {rc.left + 30, (rc.top + rc.bottom) / 2});
         }},
        {"Snap to Template", [&] { View().m_bSnapToTemplate = 1; },
         [&] {
             const RECT rc = PlaceOf(a);
             const POINT from{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
             Drag(from, slotCentre(4));
             View().m_bSnapToTemplate = 0;
         }},
        {"Send To Back", {}, command(ID_SEND_TO_BACK)},
        {"Bold", {}, command(ID_TEXT_BOLD)},
        {"Italic", {}, command(ID_TEXT_ITALIC)},
        {"Underline", {}, command(ID_TEXT_UNDERLINE)},
        {"Text Color",
         [] {
             CColorDialog::SetAnswerHook(
                 [](COLORREF) -> std::optional<COLORREF> { return RGB(0, 128, 0); });
         },
         command(ID_TEXT_COLOR)},
        {"Edit Text",
         {},
         [&] {
             OnNextModal([](QDialog* d) {
                 d->findChild<QPlainTextEdit*>()->setPlainText("Winter");
                 ClickOk(d);
             });
             QTest::mouseDClick(Frame().windowHandle(), Qt::LeftButton, {}, On({140, 430}));
         }},
        {"New Text",
         {},
         [&] {
             OnNextModal(ClickOk);
             Frame().OnCommand(ID_NEW_TEXT_ITEM);
         }},
        {"Duplicate", {}, command(ID_DUPLICATE_OBJECT)},
        {"Delete", {}, command(ID_DELETE_OBJECT)},
        {"Insert Pictures",
         [&] {
             files.answers.push_back(std::vector{dir.File("c.jpg"), dir.File("d.jpg")});
         },
         command(ID_FILE_OPEN)},
        {"Load Template", [&] { files.answers.push_back(std::vector{dir.File("t.zbt")}); },
         command(ID_LOAD_TEMPLATE)},
    };
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.select)
            row.select();
        const Page before = Now();
        row.act();
        ASSERT_EQ(Doc().UndoName(), row.name);
        EXPECT_EQ(Label(ID_EDIT_UNDO),
                  std::pair(std::string("&Undo ") + row.name + "\tCtrl+Z", true));
        const Page after = Now();
        ASSERT_FALSE(after == before);
        // The keys go to the active window (a dialog may have been it).
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        // Undo and Redo by the menu and by each of their keys in turn.
        if (n % 2 == 0)
            Frame().OnCommand(ID_EDIT_UNDO);
        else
            QTest::keyClick(&Frame(), n % 4 == 1 ? Qt::Key_Z : Qt::Key_Backspace,
                            n % 4 == 1 ? Qt::ControlModifier : Qt::AltModifier);
        EXPECT_TRUE(Now() == before);
        EXPECT_EQ(Label(ID_EDIT_REDO),
                  std::pair(std::string("&Redo ") + row.name + "\tCtrl+Y", true));
        if (n % 2 == 0)
            Frame().OnCommand(ID_EDIT_REDO);
        else
            QTest::keyClick(&Frame(), n % 4 == 1 ? Qt::Key_Y : Qt::Key_Z,
                            n % 4 == 1 ? Qt::ControlModifier
                                       : Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(Now() == after);
        EXPECT_EQ(Doc().RedoName(), "");
        ++n;
    }
    EXPECT_EQ(Doc().HistorySize(), std::size(rows));
}

// A press and release that changes nothing adds no step; back at the saved
// page the album is unmodified, the title loses its mark and closing asks
// nothing; Save makes the page the saved one.
TEST_F(Undo, TheModifiedFlagFollowsTheSteps) {
    Click({140, 115}); // selects a.jpg
    Drag({140, 115}, {140, 115});
    EXPECT_EQ(Doc().HistorySize(), 0u);
    EXPECT_EQ(Label(ID_EDIT_UNDO), std::pair(std::string("&Undo\tCtrl+Z"), false));
    Frame().OnIdleUpdateCmdUI();
    EXPECT_FALSE(Frame().isWindowModified());

    Drag({140, 115}, {200, 160});
    Frame().OnIdleUpdateCmdUI();
    EXPECT_EQ(Doc().m_bAlbumModified, 1);
    EXPECT_TRUE(Frame().isWindowModified());
    Frame().OnCommand(ID_EDIT_UNDO);
    Frame().OnIdleUpdateCmdUI();
    EXPECT_EQ(Doc().m_bAlbumModified, 0);
    EXPECT_FALSE(Frame().isWindowModified());
    Frame().OnCommand(ID_EDIT_REDO);
    EXPECT_EQ(Doc().m_bAlbumModified, 1);

    Frame().OnCommand(ID_FILE_SAVE);
    EXPECT_EQ(Doc().m_bAlbumModified, 0);
    Frame().OnCommand(ID_EDIT_UNDO); // before the save: modified again
    EXPECT_EQ(Doc().m_bAlbumModified, 1);
    Frame().OnCommand(ID_EDIT_REDO);
    EXPECT_EQ(Doc().m_bAlbumModified, 0);
    MessageBoxRecorder boxes;
    EXPECT_TRUE(Frame().close());
    EXPECT_TRUE(boxes.texts().empty());
    app->ExitInstance();
    app.reset();
}

// Undo of Delete brings the picture back from the step, without its file.
TEST_F(Undo, ADeletedPictureComesBackWithoutItsFile) {
    Click({140, 115});
    const PageItem a = Doc().GetLastItem();
    const Page before = Now();
    Frame().OnCommand(ID_DELETE_OBJECT);
    ASSERT_EQ(Doc().GetItemCount(), 2);
    std::filesystem::remove(dir.File("a.jpg"));
    Frame().OnCommand(ID_EDIT_UNDO);
    ASSERT_EQ(Doc().GetItemCount(), 3);
    EXPECT_TRUE(Doc().GetLastItem() == a);
    EXPECT_TRUE(Now() == before);
}

// File New and opening an album start an empty history.
TEST_F(Undo, NewAndOpenStartAnEmptyHistory) {
    Frame().OnCommand(ID_DELETE_OBJECT);
    ASSERT_EQ(Doc().HistorySize(), 1u);
    MessageBoxRecorder no(IDNO);
    Frame().OnCommand(ID_FILE_NEW);
    EXPECT_EQ(Doc().HistorySize(), 0u);
    EXPECT_EQ(Label(ID_EDIT_UNDO).second, false);
    Frame().OnDropFiles({dir.File("c.jpg")});
    ASSERT_EQ(Doc().HistorySize(), 1u);
    EXPECT_EQ(Doc().UndoName(), "Insert Pictures");
    Frame().OnDropFiles({dir.File("page.alb")});
    EXPECT_EQ(Doc().GetItemCount(), 3);
    EXPECT_EQ(Doc().HistorySize(), 0u);
}

} // namespace
