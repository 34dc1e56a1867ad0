// The document template and the application's file steps: the document and
// frame are made once, File New and opening a file reuse them, failures at
// start leave nothing behind, the caption follows the title.
#include "platform/qt/doc_template.h"
#include "platform/qt/frame_wnd.h"
#include "platform/qt/win_app.h"
#include "platform/win/document.h"
#include "res/resource.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <string>
#include <vector>

namespace {

struct Counts {
    int nNew = 0;
    int nOpen = 0;
    int nDocs = 0;
    int nFrames = 0;
    bool bNewFails = false;
    bool bOpenFails = false;
    bool bFrameFails = false;
    std::vector<std::string> commands;
};
Counts g;

class CountingDoc : public CDocument {
public:
    CountingDoc() { ++g.nDocs; }
    ~CountingDoc() override { --g.nDocs; }
    BOOL OnNewDocument() override {
        ++g.nNew;
        return g.bNewFails ? FALSE : CDocument::OnNewDocument();
    }
    BOOL OnOpenDocument(const char*) override {
        ++g.nOpen;
        return !g.bOpenFails;
    }

protected:
    void OnSave() { g.commands.push_back("doc:save"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingDoc, CDocument)
ON_COMMAND(ID_FILE_SAVE, OnSave)
ON_COMMAND(ID_FILE_PRINT, OnSave)
END_MESSAGE_MAP()

// A view that is both a widget and a command target, as the real one is.
class CommandView : public QWidget, public CCmdTarget {
protected:
    void OnPrint() { g.commands.push_back("view:print"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandView, CCmdTarget)
ON_COMMAND(ID_FILE_PRINT, OnPrint)
END_MESSAGE_MAP()

class CountingFrame : public CFrameWnd {
public:
    CountingFrame() { ++g.nFrames; }
    ~CountingFrame() override { --g.nFrames; }
    int OnCreate(LPCREATESTRUCT) override { return g.bFrameFails ? -1 : 0; }
};

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("Zelbrin") {}
    void FileNew() { OnFileNew(); }
};

class DocTemplateTest : public ::testing::Test {
protected:
    void SetUp() override {
        g = Counts();
        CWinApp::SetProfileRoot(store.path());
        app.LoadStdProfileSettings(4);
        app.AddDocTemplate(&tmpl);
    }

    TempDir store;
    TestApp app;
    CSingleDocTemplate tmpl{IDR_MAINFRAME, [] { return std::make_unique<CountingDoc>(); },
                            [](CDocument*) {
                                auto* frame = new CountingFrame;
                                frame->SetViewWidget(new CommandView);
                                return frame;
                            }};
};

TEST_F(DocTemplateTest, FileNewMakesDocumentAndFrameOnceAndTitlesUntitled) {
    app.FileNew();
    ASSERT_NE(tmpl.GetDocument(), nullptr);
    ASSERT_NE(tmpl.GetFrame(), nullptr);
    CDocument* doc = tmpl.GetDocument();
    CFrameWnd* frame = tmpl.GetFrame();
    EXPECT_EQ(g.nNew, 1);
    EXPECT_EQ(doc->GetTitle(), "Untitled");
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Zelbrin");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(app.m_pMainWnd, frame);

    app.FileNew();
    EXPECT_EQ(g.nNew, 2);
    EXPECT_EQ(tmpl.GetDocument(), doc);
    EXPECT_EQ(tmpl.GetFrame(), frame);
    EXPECT_EQ(g.nDocs, 1);
    EXPECT_EQ(g.nFrames, 1);
}

TEST_F(DocTemplateTest, OpeningAFileTitlesItAndListsItAsRecent) {
    CDocument* doc = app.OpenDocumentFile("/albums/summer.alb");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(g.nOpen, 1);
    EXPECT_EQ(g.nNew, 0);
    EXPECT_EQ(doc->GetPathName(), "/albums/summer.alb");
    EXPECT_EQ(doc->GetTitle(), "summer");
    EXPECT_EQ(tmpl.GetFrame()->windowTitle(), "summer[*] - Zelbrin");
    ASSERT_EQ(app.GetRecentFileList()->GetCount(), 1);
    EXPECT_EQ((*app.GetRecentFileList())[0], "/albums/summer.alb");
}

TEST_F(DocTemplateTest, FailuresAtStartLeaveNoFrame) {
    g.bOpenFails = true;
    EXPECT_EQ(app.OpenDocumentFile("/albums/broken.alb"), nullptr);
    EXPECT_EQ(tmpl.GetFrame(), nullptr);
    EXPECT_EQ(g.nFrames, 0);
    EXPECT_EQ(g.nDocs, 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(app.GetRecentFileList()->GetCount(), 0);

    g.bOpenFails = false;
    g.bFrameFails = true;
    EXPECT_EQ(tmpl.OpenDocumentFile(nullptr), nullptr);
    EXPECT_EQ(g.nFrames, 0);
    EXPECT_EQ(g.nDocs, 0);
    EXPECT_EQ(g.nNew, 0);
}

TEST_F(DocTemplateTest, LaterFailuresKeepTheDocumentAndItsTitle) {
    app.OpenDocumentFile("/albums/summer.alb");
    g.bNewFails = true;
    EXPECT_EQ(tmpl.OpenDocumentFile(nullptr), nullptr);
    g.bOpenFails = true;
    EXPECT_EQ(app.OpenDocumentFile("/albums/other.alb"), nullptr);
    ASSERT_NE(tmpl.GetDocument(), nullptr);
    EXPECT_EQ(tmpl.GetDocument()->GetTitle(), "summer");
    EXPECT_EQ(g.nFrames, 1);
}

TEST_F(DocTemplateTest, RouteRunsViewThenDocument) {
    app.FileNew();
    CFrameWnd* frame = tmpl.GetFrame();
    EXPECT_TRUE(frame->OnCommand(ID_FILE_PRINT));
    EXPECT_TRUE(frame->OnCommand(ID_FILE_SAVE));
    EXPECT_EQ(g.commands, (std::vector<std::string>{"view:print", "doc:save"}));
    std::vector<CCmdTarget*> route = frame->GetCommandRoute();
    ASSERT_EQ(route.size(), 4u);
    EXPECT_EQ(route[1], tmpl.GetDocument());
    EXPECT_EQ(route[2], frame);
    EXPECT_EQ(route[3], &app);
}

TEST_F(DocTemplateTest, FrameThatDeletesItselfOnCloseIsForgotten) {
    app.FileNew();
    QPointer<CFrameWnd> frame = tmpl.GetFrame();
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.isNull());
    EXPECT_EQ(tmpl.GetFrame(), nullptr);
}

TEST_F(DocTemplateTest, MessageLoopEndsWhenTheFrameClosesThenAllIsDestroyedAndSaved) {
    app.OpenDocumentFile("/albums/summer.alb");
    bool closedByTest = false;
    QTimer::singleShot(0, [&] {
        closedByTest = true;
        app.m_pMainWnd->close();
    });
    // Safety net so that a stray window cannot hang the run.
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::quit(); });
    safety.start(5000);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(closedByTest);
    EXPECT_EQ(g.nFrames, 0);
    EXPECT_EQ(g.nDocs, 0);
    EXPECT_EQ(app.GetProfileString("Recent File List", "File1"), "/albums/summer.alb");
}

} // namespace
