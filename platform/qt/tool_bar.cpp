#include "platform/qt/tool_bar.h"
#include "platform/win/app_resources.h"

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

BOOL CToolBar::LoadToolBar(std::span<const unsigned> buttons, const QImage& strip, QSize image,
                           QRgb background) {
    int images = 0;
    for (unsigned nID : buttons)
        images += nID != ID_SEPARATOR;
    if (!m_actionFor || strip.width() != image.width() * images || strip.height() != image.height())
        return FALSE;
    setIconSize(image);
    int n = 0;
    for (unsigned nID : buttons) {
        if (nID == ID_SEPARATOR) {
            addSeparator();
            continue;
        }
        QAction* action = m_actionFor(nID);
        QImage cell = strip.copy(n * image.width(), 0, image.width(), image.height())
                          .convertToFormat(QImage::Format_ARGB32);
        QPixmap pixmap = QPixmap::fromImage(cell);
        // The background colour of the strip shows the button face through.
        pixmap.setMask(QBitmap::fromImage(cell.createMaskFromColor(background, Qt::MaskInColor)));
        action->setIcon(QIcon(pixmap));
        addAction(action);
        if (QWidget* button = widgetForAction(action))
            button->installEventFilter(this);
        ++n;
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
