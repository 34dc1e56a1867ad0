// The main frame: menu, tool bar, status bar and accelerators around the
// page view; dropped files; the close request with its save prompt.
#pragma once

#include "platform/qt/frame_host.h"
#include "platform/qt/frame_wnd.h"
#include "platform/qt/status_bar.h"
#include "platform/qt/tool_bar.h"

class CZelbrinDoc;
class CZelbrinView;

class CMainFrame : public CFrameWnd, public CFrameHost {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnDropFiles(const std::vector<std::string>& paths) override;
    void OnClose() override;
    BOOL OnQueryEndSession() override;
    bool IsDocumentModified() const override;

    // The page view and its document, once the template has made them.
    void SetPage(CZelbrinView* pView, CZelbrinDoc* pDoc);
    CZelbrinView* GetActiveView() const { return m_pPageView; }

    // The frame around the view's client area.
    void FitToClient(int w, int h) override;
    RECT GetFrameRect() const override;
    void MoveFrameTo(int x, int y) override;
    void ModifyFrameStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) override;

    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    bool m_bShowsLoading = false; // the decoding progress shows in this frame

protected:
    void changeEvent(QEvent* e) override;

private:
    CZelbrinView* m_pPageView = nullptr;
    CZelbrinDoc* m_pDoc = nullptr;
};
