#include "app/zelbrin_app.h"

#include "app/recovery.h"

#include "cli/command_line.h"
#include "app/document_shell_qt.h"
#include "app/main_frame.h"
#include "app/program_resources.h"
#include "dialogs/about_dialog.h"
#include "document/album_paths.h"
#include "document/zelbrin_doc.h"
#include "platform/qt/doc_template.h"
#include "platform/qt/qt_message_box.h"
#include "res/resource.h"
#include "view/zelbrin_view.h"

#include <cstdio>

BEGIN_MESSAGE_MAP(CZelbrinApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, OnRecentFile)
END_MESSAGE_MAP()

CZelbrinApp::CZelbrinApp() : CWinApp(InstallProgramResources()) {}

CZelbrinApp::~CZelbrinApp() {
    m_pTemplate.reset();
}

CZelbrinDoc* CZelbrinApp::GetDocument() const {
    return m_pTemplate ? static_cast<CZelbrinDoc*>(m_pTemplate->GetDocument()) : nullptr;
}

CZelbrinView* CZelbrinApp::GetView() const {
    CMainFrame* frame = GetMainFrame();
    return frame ? frame->GetActiveView() : nullptr;
}

CMainFrame* CZelbrinApp::GetMainFrame() const {
    return m_pTemplate ? static_cast<CMainFrame*>(m_pTemplate->GetFrame()) : nullptr;
}

BOOL CZelbrinApp::InitInstance() {
    InstallQtMessageBoxes(QString::fromStdString(GetAppName()));
    // $XDG_CONFIG_HOME/zelbrin/zelbrin.conf, taken over from where earlier
    // versions kept it.
    SetRegistryKey("zelbrin");
    SetProfileName("zelbrin", "Local AppWizard-Generated Applications", "Zelbrin");
    LoadStdProfileSettings(4);

    m_pTemplate = std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, [] { return std::make_unique<CZelbrinDoc>(); },
        [](CDocument* doc) -> CFrameWnd* {
            auto* frame = new CMainFrame;
            auto* view = new CZelbrinView(frame);
            view->AttachDocument(static_cast<CZelbrinDoc*>(doc));
            frame->SetViewWidget(view);
            frame->SetPage(view, static_cast<CZelbrinDoc*>(doc));
            return frame;
        });
    AddDocTemplate(m_pTemplate.get());

    const CommandLine cl = ParseCommandLine(m_args);
    if (cl.mode == CommandLine::Mode::Error) {
        std::fprintf(stderr, "zelbrin: %s\n", cl.error.c_str());
        return FALSE;
    }
    if (cl.ppi)
        CZelbrinView::SetFixedPixelsPerInch(cl.ppi);

    // Document, frame and view, with a new page.
    if (!m_pTemplate->OpenDocumentFile(nullptr))
        return FALSE;
    CZelbrinDoc* doc = GetDocument();
    CZelbrinView* view = GetView();
    CMainFrame* frame = GetMainFrame();
    m_pShell = std::make_unique<CDocumentShellQt>(frame);
    doc->SetShell(m_pShell.get());
    // The frame is shown once, laid out for the page, before the album is read,
    // so that a message about its pictures stands over the page.
    view->OnInitialUpdate();
    // A template and pictures named on the command line, once the page has its size.
    if (!cl.templatePath.empty() && !doc->LoadTemplateFile(cl.templatePath.c_str()))
        return FALSE;
    if (!cl.inserts.empty()) {
        doc->InsertPictures(cl.inserts);
        doc->ReportFailedInserts();
    }
    frame->DragAcceptFiles(TRUE);
    frame->show();
    if (!cl.album.empty() && !doc->OpenAlbumByPath(cl.album.c_str(), false))
        return FALSE;
    // A page left unsaved by an editor that stopped is offered back.
    m_pRecovery = std::make_unique<CRecovery>(doc);
    m_pRecovery->OfferLeftCopies();
    view->OnActivateView(TRUE, view, nullptr);
    return TRUE;
}

int CZelbrinApp::ExitInstance() {
    // Closing the frame destroys the view, which stores the settings, before
    // the recent-file list is written.
    // A clean end: the recovery copy goes.
    m_pRecovery.reset();
    if (m_pTemplate)
        m_pTemplate->CloseAllDocuments();
    const int code = CWinApp::ExitInstance();
    AddDocTemplate(nullptr);
    m_pTemplate.reset();
    return code;
}

CDocument* CZelbrinApp::OpenDocumentFile(const char* path) {
    CZelbrinDoc* doc = GetDocument();
    if (!doc || !doc->OpenAlbumByPath(path, true))
        return nullptr;
    return doc;
}

void CZelbrinApp::OnRecentFile(UINT nID) {
    CRecentFileList* list = GetRecentFileList();
    CZelbrinDoc* doc = GetDocument();
    const int n = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (!list || !doc || n < 0 || n >= list->GetCount())
        return;
    const std::string path = (*list)[n];
    bool kept = false;
    if (doc->OpenAlbumByPath(path.c_str(), true, &kept))
        return; // the document put it first in the list
    if (kept)
        return;
    for (int i = 0; i < list->GetCount(); ++i)
        if ((*list)[i] == path) {
            list->Remove(i);
            break;
        }
}

void CZelbrinApp::OnAppAbout() {
    CAboutDialog dlg(GetMainFrame());
    dlg.DoModal();
}
