#include "platform/qt/frame_wnd.h"
#include "platform/win/app_resources.h"

#include "platform/qt/help_window.h"
#include "platform/qt/status_bar.h"
#include "platform/qt/tool_bar.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSessionManager>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QUrl>

BEGIN_MESSAGE_MAP(CFrameWnd, CCmdTarget)
ON_COMMAND(ID_HELP_FINDER, OnHelpFinder)
END_MESSAGE_MAP()

namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    }
    return paths;
}

} // namespace

CFrameWnd::CFrameWnd(QWidget* parent) : QMainWindow(parent) {
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager& manager) { OnCommitDataRequest(manager); });
    // Idle refresh: right after the user's input has been handled, and now and
    // then for changes that come from elsewhere.
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(0);
    connect(&m_idleTimer, &QTimer::timeout, this, &CFrameWnd::OnIdleUpdateCmdUI);
    m_pollTimer.setInterval(250);
    connect(&m_pollTimer, &QTimer::timeout, this, &CFrameWnd::OnIdleUpdateCmdUI);
    m_pollTimer.start();
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

void CFrameWnd::ScheduleIdleUpdate() {
    if (!m_idleTimer.isActive())
        m_idleTimer.start();
}

bool CFrameWnd::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::FocusIn:
    case QEvent::WindowActivate:
    case QEvent::Drop:
        ScheduleIdleUpdate();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, e);
}

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT&) {
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT) {
    return 0;
}

BOOL CFrameWnd::LoadFrame(UINT) {
    CREATESTRUCT cs;
    if (!PreCreateWindow(cs))
        return FALSE;
    ApplyStyle(cs.style);
    BuildMenuBar();
    BuildAccelerators();
    if (OnCreate(&cs) == -1)
        return FALSE;
    OnUpdateFrameTitle(AfxLoadString(AFX_IDS_UNTITLED));
    return TRUE;
}

void CFrameWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT) {
    const DWORD style = (m_dwStyle & ~dwRemove) | dwAdd;
    if (style == m_dwStyle)
        return;
    const bool visible = isVisible();
    const bool active = isActiveWindow();
    // A fixed frame is never left maximised.
    if (!(style & WS_THICKFRAME) && (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    ApplyStyle(style);
    if (visible)
        show();
    // New window flags make a new native window: the keyboard stays with it.
    if (active)
        activateWindow();
}

void CFrameWnd::BeginPreview(QWidget* preview, std::function<void()> onClose) {
    if (m_pPreview || !preview)
        return;
    if (m_pView)
        takeCentralWidget()->hide();
    m_pPreview = preview;
    m_previewClose = std::move(onClose);
    setCentralWidget(preview);
    preview->show();
    preview->setFocus();
    for (CToolBar* bar : m_toolBars)
        if (bar->isVisible()) {
            m_hiddenBars.push_back(bar);
            bar->hide();
        }
    menuBar()->setEnabled(false);
    for (QShortcut* s : m_shortcuts)
        s->setEnabled(false);
}

void CFrameWnd::EndPreview() {
    if (!m_pPreview)
        return;
    QWidget* preview = takeCentralWidget();
    if (preview) {
        preview->hide();
        preview->deleteLater();
    }
    m_pPreview = nullptr;
    m_previewClose = nullptr;
    if (m_pView) {
        setCentralWidget(m_pView);
        m_pView->show();
        m_pView->setFocus();
    }
    for (QWidget* bar : m_hiddenBars)
        bar->show();
    m_hiddenBars.clear();
    menuBar()->setEnabled(true);
    for (QShortcut* s : m_shortcuts)
        s->setEnabled(true);
}

void CFrameWnd::ApplyStyle(DWORD style) {
    m_dwStyle = style;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if ((style & WS_CAPTION) == WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & WS_MINIMIZEBOX)
        flags |= Qt::WindowMinimizeButtonHint;
    if (style & WS_MAXIMIZEBOX)
        flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    // Without a sizing border the frame keeps the size its contents ask for.
    m_bFixedSize = !(style & WS_THICKFRAME);
    layout()->setSizeConstraint(m_bFixedSize ? QLayout::SetFixedSize
                                             : QLayout::SetDefaultConstraint);
}

QAction* CFrameWnd::GetCommandAction(UINT nID) {
    auto it = m_actions.find(nID);
    if (it != m_actions.end())
        return it->second;
    auto* action = new QAction(this);
    action->setData(nID);
    // Menus show labels only; the images belong to the tool bar.
    action->setIconVisibleInMenu(false);
    action->setStatusTip(QString::fromStdString(AfxCommandPrompt(nID)));
    action->setToolTip(QString::fromStdString(AfxCommandTip(nID)));
    connect(action, &QAction::triggered, this, [this, nID] { OnCommand(nID); });
    m_actions[nID] = action;
    return action;
}

void CFrameWnd::BuildMenuBar() {
    QMenuBar* bar = menuBar();
    bar->clear();
    m_menus.clear();
    for (const PopupMenu& popup : AfxGetAppResources().menu) {
        QMenu* menu = bar->addMenu(QString::fromStdString(popup.title));
        for (const MenuItem& item : popup.items) {
            if (item.nID == ID_SEPARATOR) {
                menu->addSeparator();
                continue;
            }
            QAction* action = GetCommandAction(item.nID);
            action->setText(QString::fromStdString(item.text));
            if (item.bGrayed) {
                // A placeholder stands for itself only; it never shares an action.
                m_actions.erase(item.nID);
                action->setEnabled(false);
                action->setProperty("placeholder", true);
            }
            menu->addAction(action);
        }
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
        m_menus.push_back(menu);
    }
}

void CFrameWnd::BuildAccelerators() {
    for (QShortcut* s : m_shortcuts)
        delete s;
    m_shortcuts.clear();
    for (const Accelerator& accel : AfxGetAppResources().accelerators) {
        QKeySequence keys(QString::fromStdString(accel.keys), QKeySequence::PortableText);
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        UINT nID = accel.nID;
        connect(shortcut, &QShortcut::activated, this, [this, nID] { OnCommand(nID); });
        m_shortcuts.push_back(shortcut);
    }
}

QMenu* CFrameWnd::GetMenu(int nIndex) const {
    return nIndex >= 0 && nIndex < static_cast<int>(m_menus.size())
               ? m_menus[static_cast<std::size_t>(nIndex)]
               : nullptr;
}

void CFrameWnd::SetViewWidget(QWidget* view) {
    m_pView = view;
    setCentralWidget(view);
}

void CFrameWnd::SetClientSize(int cx, int cy) {
    if (!m_pView)
        SetViewWidget(new QWidget(this));
    if (m_bFixedSize) {
        m_pView->setFixedSize(cx, cy);
    } else {
        m_pView->resize(cx, cy);
        m_pView->setMinimumSize(0, 0);
    }
    if (layout())
        layout()->activate();
    adjustSize();
}

void CFrameWnd::OnUpdateFrameTitle(const std::string& docTitle) {
    // "[*]" is where Qt shows the unsaved-changes mark (setWindowModified).
    setWindowTitle(QString::fromStdString(docTitle + "[*] - " + AfxLoadString(AFX_IDS_APP_TITLE)));
}

void CFrameWnd::SetCommandRoute(std::vector<CCmdTarget*> route) {
    m_route = std::move(route);
}

BOOL CFrameWnd::OnCommand(UINT nID) {
    BOOL handled = RouteCommand(GetCommandRoute(), nID);
    ScheduleIdleUpdate();
    return handled;
}

void CFrameWnd::UpdateCmdUI(CCmdUI& ui) const {
    RouteUpdateCmdUI(GetCommandRoute(), ui);
}

void CFrameWnd::UpdateAction(UINT nID, QAction* action) {
    CCmdUI ui(nID);
    UpdateCmdUI(ui);
    if (action->isEnabled() != static_cast<bool>(ui.m_bEnabled))
        action->setEnabled(ui.m_bEnabled);
    if (ui.m_bTextChanged && action->text() != QString::fromStdString(ui.m_strText)) {
        action->setText(QString::fromStdString(ui.m_strText));
        action->setStatusTip(QString::fromStdString(ui.m_strPrompt));
        action->setToolTip(QString::fromStdString(ui.m_strPrompt));
    }
    // A rule that sets no check leaves the mark as the last rule that did left
    // it (a click on a checkable action toggles it on its own, so put that back).
    if (ui.m_bCheckChanged) {
        action->setCheckable(true);
        action->setProperty("ruleCheck", ui.m_nCheck != 0);
        action->setChecked(ui.m_nCheck != 0);
    } else if (action->isCheckable()) {
        action->setChecked(action->property("ruleCheck").toBool());
    }
}

void CFrameWnd::UpdateMenu(QMenu* menu) {
    if (!menu)
        return;
    UpdateRecentFileItems(menu);
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || action->property("placeholder").toBool())
            continue;
        UpdateAction(action->data().toUInt(), action);
    }
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    if (m_bInIdle)
        return;
    m_bInIdle = true;
    for (CToolBar* bar : m_toolBars) {
        for (QAction* action : bar->actions()) {
            if (!action->isSeparator())
                UpdateAction(action->data().toUInt(), action);
        }
    }
    if (m_pStatusBar)
        m_pStatusBar->UpdateIndicators([this](UINT nID, std::string& text) {
            CCmdUI ui(nID);
            UpdateCmdUI(ui);
            text = ui.m_strText;
            return ui.m_bTextChanged;
        });
    if (isWindowModified() != IsDocumentModified())
        setWindowModified(IsDocumentModified());
    m_bInIdle = false;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle;
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
}

void CFrameWnd::DockControlBar(CToolBar* bar, DWORD dwDockSide) {
    if (!bar)
        return;
    Qt::ToolBarArea area = Qt::TopToolBarArea;
    if (dwDockSide & CBRS_ALIGN_BOTTOM)
        area = Qt::BottomToolBarArea;
    else if (dwDockSide & CBRS_ALIGN_LEFT)
        area = Qt::LeftToolBarArea;
    else if (dwDockSide & CBRS_ALIGN_RIGHT)
        area = Qt::RightToolBarArea;
    // A bar docks only on sides both it and the frame allow.
    bar->setAllowedAreas(bar->allowedAreas() & ToolBarAreasOf(m_dwDockStyle));
    addToolBar(area, bar);
}

void CFrameWnd::SetMessageText(const std::string& text) {
    if (m_pStatusBar)
        m_pStatusBar->SetMessageText(text);
}

bool CFrameWnd::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        // A command's prompt while the pointer is over it, "Ready" otherwise.
        QString tip = static_cast<QStatusTipEvent*>(e)->tip();
        SetMessageText(tip.isEmpty() ? AfxLoadString(AFX_IDS_IDLEMESSAGE) : tip.toStdString());
        return true;
    }
    return QMainWindow::event(e);
}

void CFrameWnd::OnHelpFinder() {
    if (!m_pHelpWindow)
        m_pHelpWindow = new CHelpWindow(this);
    m_pHelpWindow->ShowContents();
}

void CFrameWnd::DragAcceptFiles(BOOL bAccept) {
    setAcceptDrops(bAccept);
}

void CFrameWnd::dragEnterEvent(QDragEnterEvent* e) {
    if (!LocalFiles(e->mimeData()).empty())
        e->acceptProposedAction();
}

void CFrameWnd::dragMoveEvent(QDragMoveEvent* e) {
    if (!LocalFiles(e->mimeData()).empty())
        e->acceptProposedAction();
}

void CFrameWnd::dropEvent(QDropEvent* e) {
    std::vector<std::string> paths = LocalFiles(e->mimeData());
    if (paths.empty())
        return;
    e->acceptProposedAction();
    activateWindow();
    OnDropFiles(paths);
}

void CFrameWnd::OnClose() {
    m_bCloseAllowed = true;
}

void CFrameWnd::closeEvent(QCloseEvent* e) {
    if (m_pPreview) {
        // Closing the window during print preview closes the preview.
        e->ignore();
        if (m_previewClose)
            m_previewClose();
        return;
    }
    m_bCloseAllowed = false;
    OnClose();
    if (m_bCloseAllowed) {
        e->accept();
        if (m_pHelpWindow)
            m_pHelpWindow->close();
    } else {
        e->ignore();
    }
}

BOOL CFrameWnd::OnQueryEndSession() {
    return TRUE;
}

void CFrameWnd::OnCommitDataRequest(QSessionManager& manager) {
    // Only a session that lets us ask may be held up by a question.
    if (!manager.allowsInteraction())
        return;
    if (!OnQueryEndSession())
        manager.cancel();
    manager.release();
}

// The bars' part in the frame: each docks itself where its style asks.
namespace {

Qt::ToolBarArea FirstArea(DWORD dwAlign) {
    if (dwAlign & CBRS_ALIGN_TOP)
        return Qt::TopToolBarArea;
    if (dwAlign & CBRS_ALIGN_BOTTOM)
        return Qt::BottomToolBarArea;
    if (dwAlign & CBRS_ALIGN_LEFT)
        return Qt::LeftToolBarArea;
    if (dwAlign & CBRS_ALIGN_RIGHT)
        return Qt::RightToolBarArea;
    return Qt::TopToolBarArea;
}

} // namespace

BOOL CToolBar::CreateEx(CFrameWnd* pParent, DWORD, DWORD dwStyle, UINT nID) {
    if (!pParent)
        return FALSE;
    m_actionFor = [pParent](UINT nCmd) { return pParent->GetCommandAction(nCmd); };
    m_nID = nID;
    m_dwStyle = dwStyle & (CBRS_ALIGN_ANY | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Docked where asked; it moves only where docking is enabled later.
    setMovable(false);
    setFloatable(false);
    pParent->addToolBar(FirstArea(dwStyle), this);
    pParent->m_toolBars.push_back(this);
    setVisible((dwStyle & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CStatusBar::Create(CFrameWnd* pParent, DWORD dwStyle, UINT) {
    if (!pParent)
        return FALSE;
    pParent->setStatusBar(this);
    pParent->m_pStatusBar = this;
    setVisible((dwStyle & WS_VISIBLE) != 0);
    return TRUE;
}
