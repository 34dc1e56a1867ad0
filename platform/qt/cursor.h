// Mouse pointers: the cursors a program registers, the standard arrow, the
// pointer shown over a window, and the pointer's position and button state.
#pragma once

#include "platform/win/wintypes.h"

class QCursor;
class QWidget;

// A cursor handle; cursors live as long as the program.
using HCURSOR = const QCursor*;

constexpr int IDC_ARROW = 32512;
constexpr int VK_LBUTTON = 0x01;

// Registers cursor nID of the program (a later call replaces it).
void AfxRegisterCursor(UINT nID, const QCursor& cursor);
// The program's cursor resource nID, or null when there is none.
HCURSOR LoadCursor(UINT nIDResource);
// A cursor of the system: IDC_ARROW.
HCURSOR LoadStandardCursor(int nIDCursor);

// Makes hCursor the pointer over the window that is handling mouse input (the
// window with the capture, else the one under the pointer); returns the
// previous one. Null hides nothing and keeps the window's own cursor.
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();

// The pointer's position in screen coordinates, as last reported by the
// window system.
BOOL GetCursorPos(POINT* pt);
// Bit 15 set while the key or mouse button is down (VK_LBUTTON only).
short GetAsyncKeyState(int vKey);

// For CWnd: the window whose pointer SetCursor changes, and the last
// position seen in a mouse message.
void AfxSetCursorWindow(QWidget* pWnd);
void AfxNotePointerPos(int globalX, int globalY);
