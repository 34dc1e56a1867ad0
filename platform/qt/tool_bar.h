// A tool bar of command buttons, with the images the program draws for them.
#pragma once

#include "platform/qt/bar_styles.h"
#include "platform/win/wintypes.h"

#include <QImage>
#include <QToolBar>

#include <functional>
#include <span>

class CFrameWnd;

class CToolBar : public QToolBar {
    Q_OBJECT

public:
    CToolBar();

    // Makes the bar a child of the frame at the side given in dwStyle.
    BOOL CreateEx(CFrameWnd* pParent, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID);
    // Adds a button for each command of buttons (ID_SEPARATOR makes a
    // gap); the n-th button shows the n-th image of the strip, of size image
    // each, with the colour background showing the button face through.
    BOOL LoadToolBar(std::span<const unsigned> buttons, const QImage& strip, QSize image,
                     QRgb background);
    // CBRS_TOOLTIPS shows tool tips, CBRS_FLYBY shows prompts in the status bar.
    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    // Sides the bar may dock on (CBRS_ALIGN_ flags); it may also float.
    void EnableDocking(DWORD dwDockStyle);
    UINT GetDlgCtrlID() const { return m_nID; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The frame's action of a command, which the button shows and triggers.
    std::function<QAction*(UINT)> m_actionFor;
    DWORD m_dwStyle = 0;
    UINT m_nID = 0;
};

// Qt tool-bar areas for CBRS_ALIGN_ flags.
Qt::ToolBarAreas ToolBarAreasOf(DWORD dwAlign);
