// The editor as a whole: start-up, the frame's commands and keys, dropped
// files, closing, the persisted settings and the export in the window.
#include "app/main_frame.h"
#include "app/recovery.h"
#include "app/zelbrin_app.h"
#include "document/zelbrin_doc.h"
#include "render/page_export.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/gdi.h"
#include "platform/qt/printer.h"
#include "platform/qt/status_bar.h"
#include "platform/win/afxmsgbox.h"
#include "res/resource.h"
#include "support/modal_dialog.h"
#include "support/test_support.h"
#include "geometry/page_math.h"
#include "view/zelbrin_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class Editor : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenMetricsOverride(1024, 768);
        CWinApp::SetProfileRoot(store.path());
        // Start-up installs the real message boxes; later tests get back the quiet ones.
        m_prevHandler = SetMessageBoxHandler(nullptr, nullptr, &m_prevContext);
        SetMessageBoxHandler(m_prevHandler, m_prevContext);
        MakeJpeg(dir.File("a.jpg"), 400, 300);
        MakeJpeg(dir.File("b.jpg"), 300, 400);
    }
    void TearDown() override {
        Stop();
        SetMessageBoxHandler(m_prevHandler, m_prevContext);
        ClearScreenMetricsOverride();
    }
    MessageBoxHandler m_prevHandler = nullptr;
    void* m_prevContext = nullptr;
    bool Start(std::vector<std::string> args = {}) {
        app = std::make_unique<CZelbrinApp>();
        app->m_args = std::move(args);
        bool ok = app->InitInstance();
        QCoreApplication::processEvents();
        return ok;
    }
    void Stop() {
        if (app) {
            app->ExitInstance();
            app.reset();
        }
    }
    CZelbrinDoc& Doc() { return *app->GetDocument(); }
    CMainFrame& Frame() { return *app->GetMainFrame(); }
    CZelbrinView& View() { return *app->GetView(); }
    // $XDG_CONFIG_HOME/zelbrin/zelbrin.conf (here under the test's folder).
    QSettings Store() {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "zelbrin", "zelbrin");
    }

    TempDir store;
    TempDir dir;
    std::unique_ptr<CZelbrinApp> app;
};

TEST_F(Editor, StartsWithAnUntitledPageAndTheFiveDefaults) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame().windowTitle(), "Untitled[*] - Zelbrin");
    // Without a printer Print's prompt says where the page goes instead.
    EXPECT_EQ(Frame().GetCommandAction(ID_FILE_PRINT)->statusTip().contains("no printer"),
              AfxAppPrinterIsFallback());
    EXPECT_EQ(Doc().GetItemCount(), 0);
    EXPECT_EQ(View().m_nPixelsPerInch, ComputePixelsPerInch(768, View().m_fPageHeightInches));
    EXPECT_EQ(View().m_bShowGrid, 0);
    EXPECT_EQ(View().m_bSnapToGrid, 0);
    EXPECT_EQ(View().m_bSnapToTemplate, 0);
    EXPECT_FLOAT_EQ(View().m_fVertSpacing, 1.0f);
    EXPECT_FLOAT_EQ(View().m_fHorizSpacing, 1.0f);
    EXPECT_TRUE(View().PageDrawing().SmoothPictures());
    // The client area is the page.
    int h = 0, w = 0;
    View().GetClientExtent(h, w);
    EXPECT_EQ(w, static_cast<int>(View().m_nPixelsPerInch * View().m_fPageWidthInches));
    EXPECT_EQ(h, static_cast<int>(View().m_nPixelsPerInch * View().m_fPageHeightInches));
    Stop();
    QSettings s = Store();
    EXPECT_EQ(s.value("Gridlines/Enable").toInt(), 0);
    EXPECT_EQ(s.value("Gridlines/Show").toInt(), 0);
    EXPECT_EQ(s.value("Template/Lock").toInt(), 0);
    EXPECT_EQ(s.value("Gridlines/Vert Spacing").toString(), "1.0000");
    EXPECT_EQ(s.value("Gridlines/Horiz Spacing").toString(), "1.0000");
}

// The status bar shows the selected picture's print resolution, nothing for a text.
TEST_F(Editor, StatusBarShowsTheSelectedPicturesPrintResolution) {
    ASSERT_TRUE(Start());
    const auto pane = [this] {
        QTest::qWait(300); // the idle update
        return Frame().m_wndStatusBar.GetPaneText(1);
    };
    EXPECT_EQ(pane(), "");
    ASSERT_TRUE(Doc().AddPicture(dir.File("a.jpg").c_str()));
    PageItem item = Doc().GetLastItem();
    item.rcPlace = RECT{0, 0, 200, 150}; // 400 x 300 pixels on a place of 200 x 150
    Doc().SetLastItem(item);
    EXPECT_EQ(pane(), std::to_string(2 * View().m_nPixelsPerInch) + " ppi");
    Doc().AppendItem(TextItem("above", RECT{0, 0, 50, 20}));
    EXPECT_EQ(pane(), "");
}

TEST_F(Editor, SmoothPicturesOffGivesTheOriginalDrawing) {
    Store().setValue("Settings/SmoothPictures", 0);
    ASSERT_TRUE(Start());
    EXPECT_FALSE(View().PageDrawing().SmoothPictures());
}

TEST_F(Editor, SpacingsAreReadAndWrittenInTheCLocale) {
    {
        QSettings s = Store();
        s.setValue("Gridlines/Vert Spacing", "0.3333333");
        s.setValue("Gridlines/Horiz Spacing", "0.25");
        s.setValue("Gridlines/Show", 1);
    }
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing (scripts/deps.sh generates it)";
    ASSERT_TRUE(Start());
    EXPECT_EQ(View().m_fVertSpacing, 0.3333333f);
    EXPECT_EQ(View().m_fHorizSpacing, 0.25f);
    EXPECT_EQ(View().m_bShowGrid, 1);
    Stop();
    std::setlocale(LC_ALL, "C");
    QSettings s = Store();
    EXPECT_EQ(s.value("Gridlines/Vert Spacing").toString(), "0.3333");
    EXPECT_EQ(s.value("Gridlines/Horiz Spacing").toString(), "0.2500");
}

// The settings of an earlier version are taken over once, where a Linux user
// looks for them; the old file stays as it was.
TEST_F(Editor, OldSettingsAreTakenOverOnce) {
    const QString old =
        QString::fromStdString(store.File("Local AppWizard-Generated Applications/Zelbrin.conf"));
    {
        QSettings s(old, QSettings::IniFormat);
        s.setValue("Gridlines/Show", 1);
        s.setValue("Gridlines/Vert Spacing", "0.5");
    }
    ASSERT_TRUE(Start());
    EXPECT_EQ(View().m_bShowGrid, 1);
    EXPECT_EQ(View().m_fVertSpacing, 0.5f);
    View().OnShowGridlines();
    Stop();
    EXPECT_TRUE(FileExists(store.File("zelbrin/zelbrin.conf")));
    EXPECT_EQ(Store().value("Gridlines/Show").toInt(), 0);
    EXPECT_EQ(QSettings(old, QSettings::IniFormat).value("Gridlines/Show").toInt(), 1);
    // From now on the new file is the one read.
    ASSERT_TRUE(Start());
    EXPECT_EQ(View().m_bShowGrid, 0);
}

TEST_F(Editor, KeysRunTheCommandsTheirLabelsShow) {
    ASSERT_TRUE(Start());
    FileDialogScript files;
    files.answers.push_back(std::vector<std::string>{dir.File("a.jpg"), dir.File("b.jpg")});
    QTest::keyClick(&Frame(), Qt::Key_O, Qt::ControlModifier);
    QCoreApplication::processEvents();
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_TRUE(files.asked[0].open);
    EXPECT_EQ(files.asked[0].defExt, "jpg");
    EXPECT_EQ(files.asked[0].filter, "JPEG Files (*.jpg)");
    EXPECT_EQ(Doc().GetItemCount(), 2);
    EXPECT_EQ(Doc().m_bAlbumModified, 1);

    // Ctrl+D duplicates the selection; with nothing on the page it is refused.
    QTest::keyClick(&Frame(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(Doc().GetItemCount(), 3);
    Doc().DeleteAllItems();
    QTest::keyClick(&Frame(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(Doc().GetItemCount(), 0);
    CCmdUI ui(ID_DUPLICATE_OBJECT);
    Frame().UpdateCmdUI(ui);
    EXPECT_FALSE(ui.m_bEnabled);

    // Ctrl+B with nothing selected does nothing.
    QTest::keyClick(&Frame(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(Doc().GetItemCount(), 0);
}

TEST_F(Editor, DroppedFilesInsertOpenOrAreIgnored) {
    // b.ALB: an album with one portrait picture.
    {
        CZelbrinDoc other;
        other.OnNewDocument();
        ASSERT_TRUE(other.AddPicture(dir.File("b.jpg").c_str()));
        ASSERT_TRUE(other.SetAlbumPath(dir.File("b.ALB").c_str()));
        ASSERT_TRUE(other.WriteAlbumFile());
    }
    WriteFileBytes(dir.File("c.txt"), "hello");
    ASSERT_TRUE(Start());
    MessageBoxRecorder boxes(IDNO);
    Frame().OnDropFiles({dir.File("a.jpg"), dir.File("b.ALB"), dir.File("c.txt")});
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Save changes to Untitled?"});
    ASSERT_EQ(Doc().GetItemCount(), 1);
    EXPECT_EQ(Doc().GetItem(0).nSrcWidth, 150); // the album's portrait picture
    EXPECT_FALSE(View().IsItemDrawn(0));        // selected, floating
    EXPECT_EQ(Frame().windowTitle(), "b[*] - Zelbrin");
    EXPECT_EQ(Doc().m_bHasFile, 1);
    ASSERT_GE(app->GetRecentFileList()->GetCount(), 1);
    EXPECT_EQ((*app->GetRecentFileList())[0], dir.File("b.ALB"));
}

// While dropped pictures decode, the status bar counts them under the wait
// cursor, the window keeps handling paint and timer events; then "Ready".
TEST_F(Editor, DroppedPicturesShowTheirLoadingProgress) {
    std::vector<std::string> files;
    for (const char* name : {"p1.jpg", "p2.jpg", "p3.jpg"}) {
        MakeJpeg(dir.File(name), 2400, 1800);
        files.push_back(dir.File(name));
    }
    ASSERT_TRUE(Start());
    auto* bar = Frame().findChild<CStatusBar*>();
    ASSERT_NE(bar, nullptr);
    std::vector<std::string> prompts; // "Loading..." prompts seen, each once
    bool waitCursor = true;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const std::string text = bar->GetMessageText();
        if (text.rfind("Loading", 0) != 0 || (!prompts.empty() && prompts.back() == text))
            return;
        prompts.push_back(text);
        waitCursor = waitCursor && QApplication::overrideCursor() &&
                     QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    watch.start(0);
    Frame().OnDropFiles(files);
    watch.stop();
    ASSERT_EQ(Doc().GetItemCount(), 3);
    // The first picture is always waited for; later ones may already be there.
    ASSERT_FALSE(prompts.empty());
    EXPECT_EQ(prompts.front(), "Loading picture 1 of 3...");
    for (std::size_t i = 1; i < prompts.size(); ++i)
        EXPECT_LT(prompts[i - 1], prompts[i]);
    EXPECT_TRUE(waitCursor);
    EXPECT_EQ(bar->GetMessageText(), "Ready");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Editor, ClosingAsksAndCanBeRefused) {
    ASSERT_TRUE(Start());
    FileDialogScript files;
    // A new text item is a change: closing asks.
    OnNextModal(ClickOk);
    RouteCommand(Frame().GetCommandRoute(), ID_NEW_TEXT_ITEM);
    ASSERT_EQ(Doc().GetItemCount(), 1);
    EXPECT_STREQ(Doc().GetItem(0).szText, "some text");
    {
        MessageBoxRecorder boxes(IDCANCEL);
        EXPECT_FALSE(Frame().close());
        EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Save changes to Untitled?"});
    }
    {
        // Yes, then Save As cancelled: the frame stays open with the page.
        MessageBoxRecorder boxes(IDYES);
        EXPECT_FALSE(Frame().close());
        ASSERT_EQ(files.asked.size(), 1u);
        EXPECT_EQ(files.asked[0].initialName, "Untitled");
        EXPECT_FALSE(Frame().OnQueryEndSession());
    }
    {
        MessageBoxRecorder boxes(IDYES);
        files.answers.push_back(std::vector<std::string>{dir.File("page.alb")});
        EXPECT_TRUE(Frame().close());
        EXPECT_TRUE(FileExists(dir.File("page.alb")));
    }
}

TEST_F(Editor, RecentAlbumsAskFirstAndFailingOnesLeaveTheList) {
    {
        CZelbrinDoc other;
        other.OnNewDocument();
        other.AddPicture(dir.File("a.jpg").c_str());
        other.SetAlbumPath(dir.File("one.alb").c_str());
        other.WriteAlbumFile();
    }
    ASSERT_TRUE(Start({dir.File("one.alb")}));
    EXPECT_EQ(Frame().windowTitle(), "one[*] - Zelbrin");
    EXPECT_EQ(Doc().GetItemCount(), 1);
    EXPECT_EQ(Doc().m_bHasFile, 1);
    // Opened from the command line: first in the list.
    ASSERT_EQ(app->GetRecentFileList()->GetCount(), 1);

    Doc().AddPicture(dir.File("b.jpg").c_str());
    {
        MessageBoxRecorder boxes(IDCANCEL);
        RouteCommand(Frame().GetCommandRoute(), ID_FILE_MRU_FILE1);
        EXPECT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(Doc().GetItemCount(), 2); // kept
        EXPECT_EQ(app->GetRecentFileList()->GetCount(), 1);
    }
    {
        MessageBoxRecorder boxes(IDNO);
        RouteCommand(Frame().GetCommandRoute(), ID_FILE_MRU_FILE1);
        EXPECT_EQ(Doc().GetItemCount(), 1);
        EXPECT_EQ(Doc().m_bAlbumModified, 0);
    }
    fs::remove(dir.File("one.alb"));
    {
        MessageBoxRecorder boxes(IDOK);
        RouteCommand(Frame().GetCommandRoute(), ID_FILE_MRU_FILE1);
        EXPECT_EQ(app->GetRecentFileList()->GetCount(), 0);
    }
}

TEST_F(Editor, BadAlbumOnTheCommandLineEndsStartUp) {
    WriteFileBytes(dir.File("bad.alb"), "4\r\nlots\r\n");
    // Start-up installs the real message boxes: read the one that opens.
    QString shown;
    OnNextModal([&](QDialog* dlg) {
        if (auto* box = qobject_cast<QMessageBox*>(dlg))
            shown = box->text();
        dlg->accept();
    });
    EXPECT_FALSE(Start({dir.File("bad.alb")}));
    EXPECT_EQ(shown, "Unexpected file format.");
}

// The frame is shown once, at its final size; the message about a missing
// picture stands over the page that was already laid out.
TEST_F(Editor, MissingPictureMessageAppearsOverTheShownPage) {
    CZelbrinDoc album;
    album.AddPicture(dir.File("a.jpg").c_str());
    album.AddPicture(dir.File("b.jpg").c_str());
    ASSERT_TRUE(album.SetAlbumPath(dir.File("trip.alb").c_str()) && album.WriteAlbumFile());
    std::remove(dir.File("b.jpg").c_str());
    bool visible = false;
    QSize sizeAtMessage;
    int itemsAtMessage = -1;
    OnNextModal([&](QDialog* dlg) {
        visible = app->GetMainFrame()->isVisible();
        sizeAtMessage = app->GetMainFrame()->size();
        itemsAtMessage = app->GetDocument()->GetItemCount();
        dlg->accept();
    });
    ASSERT_TRUE(Start({dir.File("trip.alb")}));
    EXPECT_TRUE(visible);
    EXPECT_EQ(sizeAtMessage, Frame().size());
    EXPECT_EQ(itemsAtMessage, 2); // the missing one kept in its place
}

TEST_F(Editor, ExportInTheWindowEqualsTheExportWithoutDialogs) {
    ASSERT_TRUE(Start());
    Doc().AddPicture(dir.File("a.jpg").c_str());
    Doc().AddPicture(dir.File("b.jpg").c_str());
    View().SelectTopItem();
    FileDialogScript files;
    files.answers.push_back(std::vector<std::string>{dir.File("window.jpg")});
    OnNextModal([](QDialog* dlg) { QTest::keyClick(dlg, Qt::Key_Return); });
    RouteCommand(Frame().GetCommandRoute(), ID_EXPORT_PAGE);
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_FALSE(files.asked[0].open);
    EXPECT_EQ(files.asked[0].initialName, "Untitled.jpg");
    EXPECT_EQ(files.asked[0].filter, "JPEG files (*.jpg)");
    ASSERT_TRUE(FileExists(dir.File("window.jpg")));

    int h = 0, w = 0;
    View().GetClientExtent(h, w);
    ASSERT_TRUE(
        ExportPageToJpeg(Doc(), w, w, h, dir.File("direct.jpg"), View().m_fPageWidthInches));
    EXPECT_EQ(ReadFileBytes(dir.File("window.jpg")), ReadFileBytes(dir.File("direct.jpg")));
}

} // namespace

namespace {

// The recovery copies in the state folder of this test run.
std::vector<std::string> RecoveryCopies() {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(CRecovery::Folder(), ec))
        if (e.path().extension() == ".alb")
            out.push_back(e.path().string());
    return out;
}

// Waits up to two seconds for the number of copies to become n.
bool CopiesBecome(std::size_t n) {
    for (int i = 0; i < 40 && RecoveryCopies().size() != n; ++i)
        QTest::qWait(50);
    return RecoveryCopies().size() == n;
}

void Answer(const char* button) {
    OnNextModal([button](QDialog* box) {
        for (QPushButton* b : box->findChildren<QPushButton*>())
            if (b->text().remove('&') == button)
                return b->click();
        box->reject();
    });
}

} // namespace

// A modified page is copied to the state folder; saving removes the copy.
TEST_F(Editor, AModifiedPageIsCopiedForRecoveryUntilSaved) {
    qputenv("ZELBRIN_RECOVERY_SECONDS", "0");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(CopiesBecome(0));
    ASSERT_TRUE(Doc().AddPicture(dir.File("a.jpg").c_str()));
    ASSERT_TRUE(CopiesBecome(1));
    EXPECT_NE(ReadFileBytes(RecoveryCopies()[0]).find("a.jpg"), std::string::npos);
    ASSERT_TRUE(Doc().SaveAlbumAs(dir.File("trip.alb")));
    EXPECT_TRUE(CopiesBecome(0));
    // A second editor keeps a copy of its own and leaves the first's alone.
    CZelbrinDoc other;
    other.OnNewDocument();
    CRecovery second(&other);
    ASSERT_TRUE(other.AddPicture(dir.File("b.jpg").c_str()));
    ASSERT_TRUE(Doc().AddPicture(dir.File("b.jpg").c_str()));
    ASSERT_TRUE(CopiesBecome(2));
    second.OfferLeftCopies(); // the first editor lives: nothing is offered
    EXPECT_TRUE(CopiesBecome(2));
    qunsetenv("ZELBRIN_RECOVERY_SECONDS");
}

// A copy left by an editor that stopped is offered at the next start: Yes
// gives the page back, modified, as the album it was; No removes it.
TEST_F(Editor, ALeftCopyIsOfferedAtTheNextStart) {
    fs::create_directories(CRecovery::Folder());
    for (const char* answer : {"No", "Yes"}) {
        SCOPED_TRACE(answer);
        CZelbrinDoc page;
        page.OnNewDocument();
        ASSERT_TRUE(page.SetAlbumPath(dir.File("trip.alb").c_str()));
        page.m_bHasFile = 1;
        ASSERT_TRUE(page.AddPicture(dir.File("a.jpg").c_str()));
        WriteFileBytes(CRecovery::Folder() + "/left.alb", page.RecoveryText());
        Answer(answer);
        ASSERT_TRUE(Start());
        EXPECT_TRUE(RecoveryCopies().empty());
        if (std::string(answer) == "No") {
            EXPECT_EQ(Doc().GetItemCount(), 0);
            Stop();
            continue;
        }
        ASSERT_EQ(Doc().GetItemCount(), 1);
        EXPECT_EQ(std::string(Doc().m_szAlbumPath), dir.File("trip.alb"));
        EXPECT_EQ(Doc().m_bAlbumModified, 1);
        ASSERT_TRUE(Doc().WriteAlbumFile());
        EXPECT_NE(ReadFileBytes(dir.File("trip.alb")).find("a.jpg"), std::string::npos);
    }
}
