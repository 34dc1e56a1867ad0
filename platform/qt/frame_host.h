// What a view needs of the main frame around it: fitting the frame to a
// client size and placing it on the screen. Without a frame (tests, command
// line) the view sizes itself.
#pragma once

#include "platform/win/wintypes.h"

class CFrameHost {
public:
    // Resizes the frame so that the view's client area is exactly w x h.
    virtual void FitToClient(int w, int h) = 0;
    virtual RECT GetFrameRect() const = 0;
    virtual void MoveFrameTo(int x, int y) = 0;
    // Changes the frame's WS_ style flags (a frame that has none ignores it).
    virtual void ModifyFrameStyle(DWORD /*dwRemove*/, DWORD /*dwAdd*/, UINT /*nFlags*/) {}

protected:
    ~CFrameHost() = default;
};

CFrameHost* AfxGetFrameHost();
void AfxSetFrameHost(CFrameHost* host);
