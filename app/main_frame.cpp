#include "app/main_frame.h"

#include "app/loading_progress.h"

#include "document/zelbrin_doc.h"
#include "res/qt/app_icon.h"
#include "res/qt/toolbar.h"
#include "platform/qt/printer.h"
#include "platform/qt/win_app.h"
#include "res/resource.h"
#include "view/zelbrin_view.h"

#include <QAction>
#include <QEvent>

namespace {
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_PPI, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                            ID_INDICATOR_SCRL};
}

CMainFrame::CMainFrame() {
    AfxSetFrameHost(this);
}

CMainFrame::~CMainFrame() {
    if (AfxGetFrameHost() == this)
        AfxSetFrameHost(nullptr);
    if (m_bShowsLoading)
        ShowPictureLoadingIn(nullptr);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    // No sizing border and no maximise box: the frame fits the page.
    cs.style &= ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    setWindowIcon(AppIcon());
    ShowPictureLoadingIn(this);
    m_bShowsLoading = true;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                               AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(GetToolBarButtons(), MakeToolBarBitmap(),
                                  QSize(TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT),
                                  ToolBarBackground()))
        return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, std::size(kIndicators)))
        return -1;
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY |
                             CBRS_SIZE_DYNAMIC);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    if (AfxAppPrinterIsFallback())
        GetCommandAction(ID_FILE_PRINT)
            ->setStatusTip("Print the active document (no printer is installed: the page goes to "
                           "a PDF file)");
    return 0;
}

void CMainFrame::SetPage(CZelbrinView* pView, CZelbrinDoc* pDoc) {
    m_pPageView = pView;
    m_pDoc = pDoc;
    std::vector<CCmdTarget*> route{pView, pDoc, this};
    if (CWinApp* app = AfxGetApp())
        route.push_back(app);
    SetCommandRoute(route);
}

void CMainFrame::OnDropFiles(const std::vector<std::string>& paths) {
    // Files dropped while pictures load wait for no one: they are refused.
    if (!m_pDoc || PicturesLoading())
        return;
    activateWindow();
    m_pDoc->OpenDroppedFiles(paths);
    if (m_pPageView)
        m_pPageView->SelectTopItem();
    m_pDoc->ReportFailedInserts();
}

void CMainFrame::OnClose() {
    if (PicturesLoading()) {
        CloseWhenPicturesLoaded();
        return;
    }
    if (m_pDoc && !m_pDoc->PromptSaveChanges())
        return;
    CFrameWnd::OnClose();
}

BOOL CMainFrame::OnQueryEndSession() {
    // Ending the session asks about unsaved changes as closing does.
    return !m_pDoc || m_pDoc->PromptSaveChanges();
}

void CMainFrame::FitToClient(int w, int h) {
    SetClientSize(w, h);
}

RECT CMainFrame::GetFrameRect() const {
    const QRect r = frameGeometry();
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void CMainFrame::MoveFrameTo(int x, int y) {
    move(x, y);
}

void CMainFrame::ModifyFrameStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    ModifyStyle(dwRemove, dwAdd, nFlags);
}

void CMainFrame::changeEvent(QEvent* e) {
    CFrameWnd::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && m_pPageView)
        m_pPageView->OnActivateView(TRUE, m_pPageView, nullptr);
}

bool CMainFrame::IsDocumentModified() const {
    return m_pDoc && m_pDoc->m_bAlbumModified == 1;
}
