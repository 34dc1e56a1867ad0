// The frame window: menu bar, bars, accelerators, command routing with update
// handlers, the view as its client, dropped files and the close request.
#pragma once

#include "platform/qt/bar_styles.h"
#include "platform/win/cmdtarget.h"
#include "platform/win/wintypes.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>

#include <map>
#include <memory>
#include <string>
#include <vector>

class CHelpWindow;
class CStatusBar;
class CToolBar;
class QAction;
class QMenu;
class QSessionManager;
class QShortcut;

// Window styles of the frame.
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

struct CREATESTRUCT {
    DWORD style = WS_OVERLAPPEDWINDOW;
};
using LPCREATESTRUCT = CREATESTRUCT*;

class CFrameWnd : public QMainWindow, public CCmdTarget {
    Q_OBJECT

public:
    explicit CFrameWnd(QWidget* parent = nullptr);
    ~CFrameWnd() override;

    // Creates the frame: PreCreateWindow, the menu bar and accelerators of
    // resource nIDResource, then OnCreate. FALSE when either hook refuses.
    BOOL LoadFrame(UINT nIDResource);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Builds the frame's bars; 0 on success, -1 makes LoadFrame fail.
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);

    // The frame's style (WS_ flags): a sizing border and a maximise box
    // make it resizable; without the sizing border it keeps its contents' size.
    DWORD GetStyle() const { return m_dwStyle; }
    void ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // Print preview: preview takes the view's place and the frame's bars, menu
    // and keys rest until EndPreview puts the view back. A close request of
    // the frame meanwhile runs onClose instead of closing.
    void BeginPreview(QWidget* preview, std::function<void()> onClose);
    void EndPreview();
    QWidget* GetPreviewWidget() const { return m_pPreview; }

    // The view: placed as the client area.
    void SetViewWidget(QWidget* view);
    QWidget* GetViewWidget() const { return m_pView; }
    // Sizes the frame around a client area of cx x cy pixels.
    void SetClientSize(int cx, int cy);
    // Sets the caption "<document title> - <application title>".
    void OnUpdateFrameTitle(const std::string& docTitle);

    // Targets in routing order: active view, its document, this frame, the
    // application. Without a route given, the frame and the application.
    void SetCommandRoute(std::vector<CCmdTarget*> route);
    std::vector<CCmdTarget*> GetCommandRoute() const;
    // Runs command nID as a menu item, button or key would: refused when its
    // update handler disables it. TRUE when a handler ran.
    BOOL OnCommand(UINT nID);
    // The update state of nID along the route.
    void UpdateCmdUI(CCmdUI& ui) const;

    // Refreshes the tool-bar buttons and the lock indicators; runs after input
    // has been handled and every quarter second.
    void OnIdleUpdateCmdUI();
    // Refreshes the items of one pop-up menu, as done when it opens.
    void UpdateMenu(QMenu* menu);

    // Docking sides allowed for bars (CBRS_ALIGN_ flags).
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CToolBar* bar, DWORD dwDockSide = CBRS_ALIGN_TOP);

    // Accepts (or stops accepting) files dropped from the desktop.
    void DragAcceptFiles(BOOL bAccept = TRUE);
    // Full paths of the dropped files in the order the desktop gave them.
    virtual void OnDropFiles(const std::vector<std::string>& paths);
    // The close request; the base closes the frame, an override may refuse by
    // not calling it.
    virtual void OnClose();
    // Whether the document shown has unsaved changes: the title shows a mark.
    virtual bool IsDocumentModified() const { return false; }
    // Asked when the desktop session ends; FALSE asks it to cancel.
    virtual BOOL OnQueryEndSession();

    // The action of command nID, made on first use and shared by menu and tool bar.
    QAction* GetCommandAction(UINT nID);
    QMenu* GetMenu(int nIndex) const;
    CStatusBar* GetMessageBar() const { return m_pStatusBar; }
    CHelpWindow* GetHelpWindow() const { return m_pHelpWindow; }
    // Shows the idle message or a command prompt in the status bar's message pane.
    void SetMessageText(const std::string& text);

protected:
    // Help Topics: opens the program's help page.
    void OnHelpFinder();

    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

    DECLARE_MESSAGE_MAP()

private:
    friend class CStatusBar;
    friend class CToolBar;

    void BuildMenuBar();
    void BuildAccelerators();
    void ApplyStyle(DWORD style);
    void UpdateAction(UINT nID, QAction* action);
    void UpdateRecentFileItems(QMenu* menu);
    void OnCommitDataRequest(QSessionManager& manager);
    void ScheduleIdleUpdate();

    QWidget* m_pView = nullptr;
    QWidget* m_pPreview = nullptr;
    std::function<void()> m_previewClose;
    std::vector<QWidget*> m_hiddenBars;
    DWORD m_dwStyle = WS_OVERLAPPEDWINDOW;
    CStatusBar* m_pStatusBar = nullptr;
    std::vector<CToolBar*> m_toolBars;
    CHelpWindow* m_pHelpWindow = nullptr;
    std::vector<CCmdTarget*> m_route;
    std::map<UINT, QAction*> m_actions;
    std::vector<QMenu*> m_menus;
    std::vector<QAction*> m_recentFileActions;
    std::vector<QShortcut*> m_shortcuts;
    DWORD m_dwDockStyle = 0;
    bool m_bFixedSize = false;
    bool m_bCloseAllowed = false;
    bool m_bInIdle = false;
    QTimer m_idleTimer;
    QTimer m_pollTimer;
};
