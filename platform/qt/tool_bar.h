// A tool bar of command buttons loaded from the tool-bar resource.
#pragma once

#include "platform/win/wintypes.h"

#include <QToolBar>

class CFrameWnd;

class CToolBar : public QToolBar {
    Q_OBJECT

public:
    CToolBar();

    // Makes the bar a child of the frame at the side given in dwStyle.
    BOOL CreateEx(CFrameWnd* pParent, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID);
    // Adds the buttons and images of tool-bar resource nIDResource.
    BOOL LoadToolBar(UINT nIDResource);
    // CBRS_TOOLTIPS shows tool tips, CBRS_FLYBY shows prompts in the status bar.
    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    // Sides the bar may dock on (CBRS_ALIGN_ flags); it may also float.
    void EnableDocking(DWORD dwDockStyle);
    UINT GetDlgCtrlID() const { return m_nID; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    CFrameWnd* m_pFrame = nullptr;
    DWORD m_dwStyle = 0;
    UINT m_nID = 0;
};

// Qt tool-bar areas for CBRS_ALIGN_ flags.
Qt::ToolBarAreas ToolBarAreasOf(DWORD dwAlign);
