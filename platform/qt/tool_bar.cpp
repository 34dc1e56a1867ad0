#include "platform/qt/tool_bar.h"

#include "platform/qt/frame_wnd.h"
#include "res/resource.h"
#include "res/toolbar.h"

#include <QAction>
#include <QBitmap>
#include <QEvent>
#include <QIcon>
#include <QPixmap>
#include <QToolButton>

CToolBar::CToolBar() {
    setObjectName("toolbar");
}

Qt::ToolBarAreas ToolBarAreasOf(DWORD dwAlign) {
    Qt::ToolBarAreas areas;
    if (dwAlign & CBRS_ALIGN_LEFT)
        areas |= Qt::LeftToolBarArea;
    if (dwAlign & CBRS_ALIGN_TOP)
        areas |= Qt::TopToolBarArea;
    if (dwAlign & CBRS_ALIGN_RIGHT)
        areas |= Qt::RightToolBarArea;
    if (dwAlign & CBRS_ALIGN_BOTTOM)
        areas |= Qt::BottomToolBarArea;
    return areas;
}

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
    m_pFrame = pParent;
    m_nID = nID;
    m_dwStyle = dwStyle & (CBRS_ALIGN_ANY | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    setIconSize(QSize(TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Docked where asked; it moves only where docking is enabled later.
    setMovable(false);
    setFloatable(false);
    pParent->addToolBar(FirstArea(dwStyle), this);
    pParent->m_toolBars.push_back(this);
    setVisible((dwStyle & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
    if (!m_pFrame || nIDResource != IDR_MAINFRAME)
        return FALSE;
    QImage strip = MakeToolBarBitmap();
    if (strip.width() != TOOLBAR_IMAGE_WIDTH * TOOLBAR_IMAGE_COUNT)
        return FALSE;
    int image = 0;
    for (unsigned nID : GetToolBarButtons()) {
        if (nID == ID_SEPARATOR) {
            addSeparator();
            continue;
        }
        QAction* action = m_pFrame->GetCommandAction(nID);
        QImage cell =
            strip.copy(image * TOOLBAR_IMAGE_WIDTH, 0, TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT)
                .convertToFormat(QImage::Format_ARGB32);
        QPixmap pixmap = QPixmap::fromImage(cell);
        // The background colour of the strip shows the button face through.
        pixmap.setMask(
            QBitmap::fromImage(cell.createMaskFromColor(ToolBarBackground(), Qt::MaskInColor)));
        QIcon icon(pixmap);
        action->setIcon(icon);
        addAction(action);
        if (QWidget* button = widgetForAction(action))
            button->installEventFilter(this);
        ++image;
    }
    return TRUE;
}

void CToolBar::SetBarStyle(DWORD dwStyle) {
    m_dwStyle = dwStyle;
}

void CToolBar::EnableDocking(DWORD dwDockStyle) {
    setAllowedAreas(ToolBarAreasOf(dwDockStyle));
    setMovable(dwDockStyle != 0);
    setFloatable(dwDockStyle != 0);
}

bool CToolBar::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::ToolTip && !(m_dwStyle & CBRS_TOOLTIPS))
        return true;
    if (e->type() == QEvent::StatusTip && !(m_dwStyle & CBRS_FLYBY))
        return true;
    return QToolBar::eventFilter(watched, e);
}
