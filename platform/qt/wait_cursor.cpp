#include "platform/qt/wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
int g_depth = 0;
}

void BeginWaitCursor() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++g_depth;
}

void EndWaitCursor() {
    if (g_depth == 0)
        return;
    --g_depth;
    QGuiApplication::restoreOverrideCursor();
}

int WaitCursorDepth() {
    return g_depth;
}

CWaitCursor::CWaitCursor() {
    BeginWaitCursor();
}

CWaitCursor::~CWaitCursor() {
    EndWaitCursor();
}

void CWaitCursor::Restore() {
    // Replaces the top of the cursor stack; stacks nothing more.
    QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
}
