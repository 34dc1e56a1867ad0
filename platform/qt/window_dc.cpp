// Device contexts of a window's client area.
#include "platform/qt/gdi.h"
#include "platform/qt/wnd.h"

CClientDC::CClientDC(CWnd* pWnd) : m_pWnd(pWnd) {
    AttachSurface(&pWnd->Surface());
    SetValid();
}

// What was drawn is presented when the program is idle again.
CClientDC::~CClientDC() {
    m_pWnd->update();
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd) {
    AttachSurface(&pWnd->Surface());
    SetValid();
    bool erase = false;
    QRegion region = pWnd->BeginPaintRegion(erase);
    SetClip(region, true);
    if (erase)
        PatBlt(0, 0, pWnd->Surface().width(), pWnd->Surface().height(), WHITENESS);
    QRect b = region.boundingRect();
    if (!region.isEmpty())
        m_rcPaint = RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
}

CPaintDC::~CPaintDC() {
    m_pWnd->update();
}
