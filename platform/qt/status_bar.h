// The status bar: a stretching message pane and fixed indicator panes: Caps
// Lock, Num Lock and Scroll Lock show their text while the lock is on; any
// other pane shows what its update handler sets.
#pragma once

#include "platform/win/wintypes.h"
#include "platform/win/app_resources.h"

#include <QStatusBar>

#include <functional>
#include <string>
#include <vector>

class CFrameWnd;
class QLabel;

class CStatusBar : public QStatusBar {
    Q_OBJECT

public:
    CStatusBar();

    BOOL Create(CFrameWnd* pParent, DWORD dwStyle, UINT nID);
    // Panes in order: ID_SEPARATOR for the message pane, indicator string ids
    // for the others. FALSE when an indicator has no string.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const { return m_panes.at(static_cast<std::size_t>(nIndex)).nID; }
    std::string GetPaneText(int nIndex) const;
    void SetPaneText(int nIndex, const std::string& text);
    // The message pane (the first separator pane).
    void SetMessageText(const std::string& text);
    std::string GetMessageText() const;

    // The text an update handler sets for a pane; false when none does.
    using PaneTextFunc = std::function<bool(UINT nID, std::string& text)>;
    // Shows each lock indicator's text while its key lock is on, blank
    // otherwise, and each other pane's text as paneText gives it.
    void UpdateIndicators(const PaneTextFunc& paneText = {});

    // Tells whether the lock of an indicator (ID_INDICATOR_CAPS, _NUM, _SCRL) is on.
    using LockStateFunc = std::function<bool(UINT nIndicatorID)>;
    // Replaces how lock states are found (tests); an empty function restores the default.
    static void SetLockStateFunc(LockStateFunc func);

private:
    struct Pane {
        UINT nID;
        QLabel* label;
    };
    std::vector<Pane> m_panes;
};

// The lock states seen in the most recent keyboard events (X11 modifier state).
bool IsKeyLockOn(UINT nIndicatorID);
