// The hourglass shown while a long operation runs on the user-interface thread.
#pragma once

// Shows the wait cursor for its lifetime; nested ones stack.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    // Shows the wait cursor again, after a dialog or message box replaced it.
    void Restore();
};

// The same without an object: each Begin is matched by one End.
void BeginWaitCursor();
void EndWaitCursor();
// How many wait cursors are shown now.
int WaitCursorDepth();
