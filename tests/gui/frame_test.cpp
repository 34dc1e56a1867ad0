// The frame window: menus, tool bar and status bar from the resources, keys,
// update handlers before commands, prompts, drops and the close request.
#include "platform/qt/frame_wnd.h"
#include "app/main_frame.h"
#include "res/qt/toolbar.h"
#include "platform/qt/help_window.h"
#include "platform/qt/status_bar.h"
#include "platform/qt/tool_bar.h"
#include "platform/qt/win_app.h"
#include "platform/win/document.h"
#include "res/resource.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

// A view with the commands that the real view answers, switchable rules.
class FakeView : public CCmdTarget {
public:
    bool m_bTextSelected = false;
    bool m_bShowGrid = false;
    bool m_bBold = false;

protected:
    void OnTextBold() { g_log.push_back("view:bold"); }
    void OnUpdateTextBold(CCmdUI* pCmdUI) {
        g_log.push_back("view:update-bold");
        pCmdUI->Enable(m_bTextSelected);
        if (m_bTextSelected)
            pCmdUI->SetCheck(m_bBold);
    }
    void OnDeleteObject() { g_log.push_back("view:delete"); }
    void OnSaveCommand() { g_log.push_back("view:save"); }
    void OnShowGridlines() { m_bShowGrid = !m_bShowGrid; }
    void OnUpdateShowGridlines(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bShowGrid); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FakeView, CCmdTarget)
ON_COMMAND(ID_TEXT_BOLD, OnTextBold)
ON_UPDATE_COMMAND_UI(ID_TEXT_BOLD, OnUpdateTextBold)
ON_COMMAND(ID_DELETE_OBJECT, OnDeleteObject)
ON_COMMAND(ID_FILE_SAVE, OnSaveCommand)
ON_COMMAND(ID_SHOW_GRIDLINES, OnShowGridlines)
ON_UPDATE_COMMAND_UI(ID_SHOW_GRIDLINES, OnUpdateShowGridlines)
END_MESSAGE_MAP()

class FakeDoc : public CDocument {
public:
    int m_nItems = 0;

protected:
    void OnFileOpenImage() { g_log.push_back("doc:open-image"); }
    void OnFileOpenAlbum() { g_log.push_back("doc:open-album"); }
    void OnFileSave() { g_log.push_back("doc:save"); }
    void OnEditDuplicate() { g_log.push_back("doc:duplicate"); }
    void OnUpdateItemCommand(CCmdUI* pCmdUI) {
        g_log.push_back("doc:update-items");
        pCmdUI->Enable(m_nItems != 0);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FakeDoc, CDocument)
ON_COMMAND(ID_FILE_OPEN, OnFileOpenImage)
ON_COMMAND(ID_OPEN_DOCUMENT, OnFileOpenAlbum)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_DUPLICATE_OBJECT, OnEditDuplicate)
ON_UPDATE_COMMAND_UI(ID_DUPLICATE_OBJECT, OnUpdateItemCommand)
ON_UPDATE_COMMAND_UI(ID_DELETE_OBJECT, OnUpdateItemCommand)
END_MESSAGE_MAP()

// The program's main frame, with its drops and close requests recorded.
class TestFrame : public CMainFrame {
public:
    void OnDropFiles(const std::vector<std::string>& paths) override { m_dropped = paths; }
    void OnClose() override {
        ++m_nCloseRequests;
        if (m_bMayClose)
            CFrameWnd::OnClose();
    }

    std::vector<std::string> m_dropped;
    bool m_bMayClose = true;
    int m_nCloseRequests = 0;
};

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME));
        frame.SetViewWidget(new QWidget);
        frame.SetClientSize(400, 300);
        frame.SetCommandRoute({&view, &doc, &frame, &app});
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
    void TearDown() override { CStatusBar::SetLockStateFunc({}); }

    QAction* Action(UINT nID) { return frame.GetCommandAction(nID); }
    QToolButton* Button(UINT nID) {
        return qobject_cast<QToolButton*>(frame.m_wndToolBar.widgetForAction(Action(nID)));
    }
    QAction* MenuItem(int menu, const QString& text) {
        for (QAction* a : frame.GetMenu(menu)->actions()) {
            if (a->text() == text)
                return a;
        }
        return nullptr;
    }

    CWinApp app{"Zelbrin"};
    FakeView view;
    FakeDoc doc;
    TestFrame frame;
};

TEST_F(FrameTest, MenuBarHasTheSixMenusAndLabelsWithKeys) {
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "Text", "Grid", "Template", "&Help"}));
    QStringList file;
    for (QAction* a : frame.GetMenu(0)->actions())
        file << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(file, (QStringList{"&New Document\tCtrl+N", "&Open Document...",
                                 "Open Image...\tCtrl+O", "-", "&Save\tCtrl+S", "Save &As...",
                                 "Export Page...", "-", "&Print...\tCtrl+P", "Print Pre&view",
                                 "P&rint Setup...", "-", "Recent File", "-", "E&xit"}));
    EXPECT_EQ(frame.windowTitle(), "Untitled[*] - Zelbrin"); // "[*]": the unsaved mark
}

TEST_F(FrameTest, CtrlORunsOpenImageNotOpenDocument) {
    QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
    // The commands run; the frame's periodic refresh may ask for updates meanwhile.
    std::vector<std::string> commands;
    for (const std::string& entry : g_log)
        if (entry.find(":update-") == std::string::npos)
            commands.push_back(entry);
    EXPECT_EQ(commands, (std::vector<std::string>{"doc:open-image"}));
}

TEST_F(FrameTest, CommandHandledByViewAndDocumentGoesToTheView) {
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(g_log, (std::vector<std::string>{"view:save"}));
}

TEST_F(FrameTest, DisabledCommandIsRefusedFromTheKeyboard) {
    QTest::keyClick(&frame, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(g_log, (std::vector<std::string>{"view:update-bold"}));

    g_log.clear();
    view.m_bTextSelected = true;
    QTest::keyClick(&frame, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(g_log, (std::vector<std::string>{"view:update-bold", "view:bold"}));
}

TEST_F(FrameTest, EveryDeleteKeyRunsDeleteWhileThereAreItems) {
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_X, Qt::ControlModifier},
                                                              {Qt::Key_Delete, Qt::NoModifier},
                                                              {Qt::Key_Delete, Qt::ShiftModifier},
                                                              {Qt::Key_Backspace, Qt::NoModifier}};
    for (auto [key, mods] : keys)
        QTest::keyClick(&frame, key, mods);
    EXPECT_EQ(g_log, std::vector<std::string>(4, "doc:update-items"));

    g_log.clear();
    doc.m_nItems = 2;
    for (auto [key, mods] : keys)
        QTest::keyClick(&frame, key, mods);
    std::vector<std::string> once = {"doc:update-items", "view:delete"};
    std::vector<std::string> expected;
    for (int i = 0; i < 4; ++i)
        expected.insert(expected.end(), once.begin(), once.end());
    EXPECT_EQ(g_log, expected);
}

TEST_F(FrameTest, KeysOfUnhandledCommandsDoNothing) {
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_C, Qt::ControlModifier}, {Qt::Key_Insert, Qt::ControlModifier},
        {Qt::Key_V, Qt::ControlModifier}, {Qt::Key_Insert, Qt::ShiftModifier},
        {Qt::Key_Z, Qt::ControlModifier}, {Qt::Key_Backspace, Qt::AltModifier},
        {Qt::Key_F6, Qt::NoModifier},     {Qt::Key_F6, Qt::ShiftModifier}};
    doc.m_nItems = 1;
    view.m_bTextSelected = true;
    for (auto [key, mods] : keys)
        QTest::keyClick(&frame, key, mods);
    EXPECT_TRUE(g_log.empty());
    for (UINT nID : {ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_UNDO, ID_NEXT_PANE, ID_PREV_PANE}) {
        CCmdUI ui(nID);
        frame.UpdateCmdUI(ui);
        EXPECT_FALSE(ui.m_bEnabled) << nID;
    }
}

TEST_F(FrameTest, MenuItemsAreRefreshedWhenTheirMenuOpens) {
    QMenu* edit = frame.GetMenu(1);
    QAction* duplicate = MenuItem(1, "Duplicate Object\tCtrl+D");
    ASSERT_NE(duplicate, nullptr);
    edit->popup(frame.mapToGlobal(QPoint(10, 10)));
    EXPECT_FALSE(duplicate->isEnabled());
    edit->hide();

    doc.m_nItems = 1;
    EXPECT_FALSE(duplicate->isEnabled()); // not refreshed until the menu opens again
    edit->popup(frame.mapToGlobal(QPoint(10, 10)));
    EXPECT_TRUE(duplicate->isEnabled());
    edit->hide();
}

TEST_F(FrameTest, MenuShowsTheCheckMarkOfItsUpdateRule) {
    QMenu* grid = frame.GetMenu(3);
    QAction* show = MenuItem(3, "Show Gridlines");
    ASSERT_NE(show, nullptr);
    grid->popup(frame.mapToGlobal(QPoint(10, 10)));
    EXPECT_FALSE(show->isChecked());
    grid->hide();
    show->trigger();
    EXPECT_TRUE(view.m_bShowGrid);
    grid->popup(frame.mapToGlobal(QPoint(10, 10)));
    EXPECT_TRUE(show->isChecked());
    grid->hide();
}

// A rule that disables its command without setting a check keeps the mark.
TEST_F(FrameTest, DisabledCommandKeepsItsCheckMark) {
    QToolButton* bold = Button(ID_TEXT_BOLD);
    ASSERT_NE(bold, nullptr);
    view.m_bTextSelected = true;
    view.m_bBold = true;
    QTest::qWait(300);
    EXPECT_TRUE(bold->isEnabled());
    EXPECT_TRUE(bold->isChecked());
    view.m_bTextSelected = false; // a picture is selected
    QTest::qWait(300);
    EXPECT_FALSE(bold->isEnabled());
    EXPECT_TRUE(bold->isChecked());
}

TEST_F(FrameTest, MenuItemAsksTheUpdateRuleBeforeRunning) {
    // A stale enabled item must still be refused when its rule now says no.
    QAction* duplicate = MenuItem(1, "Duplicate Object\tCtrl+D");
    ASSERT_NE(duplicate, nullptr);
    duplicate->setEnabled(true);
    duplicate->trigger();
    EXPECT_EQ(g_log, (std::vector<std::string>{"doc:update-items"}));
}

TEST_F(FrameTest, ToolBarButtonsFollowTheirRulesWhileIdle) {
    QToolButton* duplicate = Button(ID_DUPLICATE_OBJECT);
    ASSERT_NE(duplicate, nullptr);
    QTest::qWait(300);
    EXPECT_FALSE(duplicate->isEnabled());
    QTest::mouseClick(duplicate, Qt::LeftButton);
    EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "doc:duplicate"), 0);

    doc.m_nItems = 1;
    QTest::qWait(300);
    EXPECT_TRUE(duplicate->isEnabled());
    g_log.clear();
    QTest::mouseClick(duplicate, Qt::LeftButton);
    EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "doc:duplicate"), 1);

    // The gridlines button shows its check state.
    QToolButton* grid = Button(ID_SHOW_GRIDLINES);
    QTest::mouseClick(grid, Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_TRUE(grid->isChecked());
    QTest::mouseClick(grid, Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_FALSE(grid->isChecked());
}

TEST_F(FrameTest, ToolBarHasSixteenButtonsWithTips) {
    int buttons = 0;
    for (QAction* a : frame.m_wndToolBar.actions())
        buttons += !a->isSeparator();
    EXPECT_EQ(buttons, 16);
    EXPECT_EQ(Button(ID_FILE_OPEN)->toolTip(), "Insert image");
    EXPECT_EQ(Button(ID_APP_ABOUT)->toolTip(), "About");
    EXPECT_FALSE(Button(ID_FILE_NEW)->icon().isNull());
    EXPECT_EQ(frame.m_wndToolBar.GetDlgCtrlID(), AFX_IDW_TOOLBAR);
}

TEST_F(FrameTest, StatusBarShowsReadyOrThePromptUnderThePointer) {
    EXPECT_EQ(frame.m_wndStatusBar.GetMessageText(), "Ready");
    QToolButton* open = Button(ID_FILE_OPEN);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), open->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(open, &enter);
    EXPECT_EQ(frame.m_wndStatusBar.GetMessageText(), "Insert an image into the document");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(open, &leave);
    EXPECT_EQ(frame.m_wndStatusBar.GetMessageText(), "Ready");

    // A menu item under the pointer shows its prompt too.
    QMenu* file = frame.GetMenu(0);
    file->popup(frame.mapToGlobal(QPoint(10, 10)));
    file->setActiveAction(MenuItem(0, "&Save\tCtrl+S"));
    EXPECT_EQ(frame.m_wndStatusBar.GetMessageText(), "Save the active document");
    file->hide();
    EXPECT_EQ(frame.m_wndStatusBar.GetMessageText(), "Ready");
}

TEST_F(FrameTest, ToolTipsOnlyWithTheToolTipStyle) {
    QToolButton* open = Button(ID_FILE_OPEN);
    QPoint at(3, 3);
    QHelpEvent help(QEvent::ToolTip, at, open->mapToGlobal(at));
    QApplication::sendEvent(open, &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Insert image");
    QToolTip::hideText();
    for (int i = 0; i < 100 && QToolTip::isVisible(); ++i)
        QTest::qWait(10);
    ASSERT_FALSE(QToolTip::isVisible());

    frame.m_wndToolBar.SetBarStyle(frame.m_wndToolBar.GetBarStyle() & ~CBRS_TOOLTIPS);
    QHelpEvent again(QEvent::ToolTip, at, open->mapToGlobal(at));
    QApplication::sendEvent(open, &again);
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(FrameTest, ToolBarWithoutFlyByShowsNoPrompts) {
    frame.m_wndToolBar.SetBarStyle(frame.m_wndToolBar.GetBarStyle() & ~CBRS_FLYBY);
    QToolButton* save = Button(ID_FILE_SAVE);
    QStatusTipEvent tip(save->statusTip());
    QApplication::sendEvent(save, &tip);
    EXPECT_EQ(frame.m_wndStatusBar.GetMessageText(), "Ready");
}

TEST_F(FrameTest, LockIndicatorsShowWhileTheLockIsOn) {
    // The message, the print resolution, then the three locks.
    ASSERT_EQ(frame.m_wndStatusBar.GetCount(), 5);
    EXPECT_EQ(frame.m_wndStatusBar.GetItemID(1), ID_INDICATOR_PPI);
    bool caps = true;
    CStatusBar::SetLockStateFunc([&caps](UINT nID) {
        return (nID == ID_INDICATOR_CAPS && caps) || nID == ID_INDICATOR_SCRL;
    });
    QTest::qWait(300);
    EXPECT_EQ(frame.m_wndStatusBar.GetPaneText(2), "CAP");
    EXPECT_EQ(frame.m_wndStatusBar.GetPaneText(3), "");
    EXPECT_EQ(frame.m_wndStatusBar.GetPaneText(4), "SCRL");
    caps = false;
    QTest::qWait(300);
    EXPECT_EQ(frame.m_wndStatusBar.GetPaneText(2), "");
}

TEST_F(FrameTest, FrameIsFixedSizeWithMinimiseButNoMaximise) {
    Qt::WindowFlags flags = frame.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_EQ(frame.minimumSize(), frame.maximumSize());
    EXPECT_EQ(frame.GetViewWidget()->size(), QSize(400, 300));
    QSize before = frame.size();
    frame.resize(before.width() + 100, before.height() + 100);
    QTest::qWait(10);
    EXPECT_EQ(frame.size(), before);

    frame.SetClientSize(500, 350);
    QTest::qWait(10);
    EXPECT_EQ(frame.GetViewWidget()->size(), QSize(500, 350));
    EXPECT_GE(frame.height(), 350 + frame.menuBar()->height() + frame.statusBar()->height());
}

TEST_F(FrameTest, ToolBarDocksOnEverySideAndFloats) {
    CToolBar& bar = frame.m_wndToolBar;
    EXPECT_EQ(frame.toolBarArea(&bar), Qt::TopToolBarArea);
    EXPECT_EQ(bar.allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_TRUE(bar.isFloatable());
    EXPECT_TRUE(bar.isMovable());
    frame.addToolBar(Qt::LeftToolBarArea, &bar);
    EXPECT_EQ(frame.toolBarArea(&bar), Qt::LeftToolBarArea);
    // Docked at the side the fixed frame grows sideways to keep the client size.
    QTest::qWait(10);
    EXPECT_EQ(frame.GetViewWidget()->size(), QSize(400, 300));
}

TEST_F(FrameTest, DroppedFilesArriveInOrder) {
    frame.DragAcceptFiles(TRUE);
    EXPECT_TRUE(frame.acceptDrops());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/a.jpg"), QUrl("https://example.invalid/x.jpg"),
                  QUrl::fromLocalFile("/tmp/b.ALB"), QUrl::fromLocalFile("/tmp/c.txt")});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    EXPECT_EQ(frame.m_dropped,
              (std::vector<std::string>{"/tmp/a.jpg", "/tmp/b.ALB", "/tmp/c.txt"}));
}

TEST_F(FrameTest, LongDroppedPathsArriveWhole) {
    frame.DragAcceptFiles(TRUE);
    std::string longPath = "/tmp/" + std::string(300, 'p') + ".jpg";
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(longPath))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    EXPECT_EQ(frame.m_dropped, std::vector<std::string>{longPath});
}

TEST_F(FrameTest, FilesAreRefusedUntilDropsAreAccepted) {
    EXPECT_FALSE(frame.acceptDrops());
    QMimeData text;
    text.setText("not a file");
    frame.DragAcceptFiles(TRUE);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&frame, &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(FrameTest, CloseRequestCanBeRefused) {
    frame.m_bMayClose = false;
    frame.close();
    EXPECT_EQ(frame.m_nCloseRequests, 1);
    EXPECT_TRUE(frame.isVisible());
    frame.m_bMayClose = true;
    frame.close();
    EXPECT_EQ(frame.m_nCloseRequests, 2);
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(FrameTest, ExitSendsTheCloseRequest) {
    app.m_pMainWnd = &frame;
    frame.m_bMayClose = false;
    EXPECT_TRUE(frame.OnCommand(ID_APP_EXIT));
    EXPECT_EQ(frame.m_nCloseRequests, 1);
    EXPECT_TRUE(frame.isVisible());
}

TEST_F(FrameTest, HelpTopicsShowsTheHelpPage) {
    EXPECT_EQ(frame.GetHelpWindow(), nullptr);
    QAction* topics = MenuItem(5, "Help Topics...");
    ASSERT_NE(topics, nullptr);
    topics->trigger();
    ASSERT_NE(frame.GetHelpWindow(), nullptr);
    EXPECT_TRUE(frame.GetHelpWindow()->isVisible());
    EXPECT_TRUE(frame.GetHelpWindow()->toPlainText().contains("Open Image"));
    frame.close();
    EXPECT_FALSE(frame.GetHelpWindow()->isVisible());
}

// An application whose albums open when their file exists.
class RecentApp : public CWinApp {
public:
    RecentApp() : CWinApp("Zelbrin") {}
    CDocument* OpenDocumentFile(const char* path) override {
        m_opened.push_back(path);
        return m_bOpens ? &m_doc : nullptr;
    }
    std::vector<std::string> m_opened;
    bool m_bOpens = true;
    CDocument m_doc;
};

class RecentFileMenu : public ::testing::Test {
protected:
    void SetUp() override {
        CWinApp::SetProfileRoot(store.path());
        app.LoadStdProfileSettings(4);
        ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME));
        frame.SetClientSize(300, 200);
        frame.show();
    }
    QStringList FileMenu() {
        QMenu* file = frame.GetMenu(0);
        file->popup(frame.mapToGlobal(QPoint(5, 5)));
        QStringList items;
        for (QAction* a : file->actions()) {
            if (a->isVisible())
                items << (a->isSeparator() ? "-" : a->text());
        }
        file->hide();
        return items.mid(11); // from the separator after Print Setup on
    }
    QAction* Entry(const QString& text) {
        for (QAction* a : frame.GetMenu(0)->actions()) {
            if (a->text() == text && a->isVisible())
                return a;
        }
        return nullptr;
    }

    TempDir store;
    RecentApp app;
    TestFrame frame;
};

TEST_F(RecentFileMenu, PlaceholderWhileEmptyThenEntriesNewestFirst) {
    app.GetRecentFileList()->SetPaths({});
    EXPECT_EQ(FileMenu(), (QStringList{"-", "Recent File", "-", "E&xit"}));
    EXPECT_FALSE(Entry("Recent File")->isEnabled());

    app.AddToRecentFileList("/albums/one.alb");
    app.AddToRecentFileList("/albums/two.alb");
    EXPECT_EQ(FileMenu(),
              (QStringList{"-", "&1 /albums/two.alb", "&2 /albums/one.alb", "-", "E&xit"}));
}

TEST_F(RecentFileMenu, PickingAnEntryOpensItAndMovesItFirst) {
    app.GetRecentFileList()->SetPaths({"/albums/two.alb", "/albums/one.alb"});
    FileMenu();
    Entry("&2 /albums/one.alb")->trigger();
    EXPECT_EQ(app.m_opened, (std::vector<std::string>{"/albums/one.alb"}));
    EXPECT_EQ(FileMenu(),
              (QStringList{"-", "&1 /albums/one.alb", "&2 /albums/two.alb", "-", "E&xit"}));
}

TEST_F(RecentFileMenu, AnEntryThatCannotBeOpenedIsDropped) {
    app.GetRecentFileList()->SetPaths({"/albums/gone.alb", "/albums/one.alb"});
    app.m_bOpens = false;
    FileMenu();
    Entry("&1 /albums/gone.alb")->trigger();
    EXPECT_EQ(FileMenu(), (QStringList{"-", "&1 /albums/one.alb", "-", "E&xit"}));
}

} // namespace
