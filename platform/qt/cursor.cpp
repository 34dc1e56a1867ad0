#include "platform/qt/cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include <map>

namespace {

std::map<UINT, QCursor>& Registry() {
    static std::map<UINT, QCursor> cursors;
    return cursors;
}

QPointer<QWidget> g_cursorWnd;
HCURSOR g_current = nullptr;
bool g_havePointer = false;
QPoint g_pointer;

} // namespace

void AfxRegisterCursor(UINT nID, const QCursor& cursor) {
    Registry()[nID] = cursor;
}

HCURSOR LoadCursor(UINT nIDResource) {
    auto it = Registry().find(nIDResource);
    return it == Registry().end() ? nullptr : &it->second;
}

HCURSOR LoadStandardCursor(int nIDCursor) {
    static const QCursor arrow(Qt::ArrowCursor);
    return nIDCursor == IDC_ARROW ? &arrow : nullptr;
}

HCURSOR SetCursor(HCURSOR hCursor) {
    HCURSOR previous = g_current;
    g_current = hCursor;
    if (hCursor && g_cursorWnd)
        g_cursorWnd->setCursor(*hCursor);
    return previous;
}

HCURSOR GetCursor() {
    return g_current;
}

BOOL GetCursorPos(POINT* pt) {
    // Mouse messages carry the position the window system reported last;
    // platforms without a pointer of their own (offscreen) know no other.
    const QPoint p = g_havePointer ? g_pointer : QCursor::pos();
    *pt = POINT{p.x(), p.y()};
    return TRUE;
}

short GetAsyncKeyState(int vKey) {
    if (vKey == VK_LBUTTON && (QGuiApplication::mouseButtons() & Qt::LeftButton))
        return static_cast<short>(0x8000);
    return 0;
}

void AfxSetCursorWindow(QWidget* pWnd) {
    g_cursorWnd = pWnd;
}

void AfxNotePointerPos(int globalX, int globalY) {
    g_havePointer = true;
    g_pointer = QPoint(globalX, globalY);
}
