#include "view/view_cursors.h"

#include "platform/qt/cursor.h"

#include <QCursor>

void RegisterViewCursors() {
    const struct {
        unsigned nID;
        Qt::CursorShape shape;
    } cursors[] = {
        {IDC_HAND_POINT, Qt::PointingHandCursor}, {IDC_SIZE_NWSE, Qt::SizeFDiagCursor},
        {IDC_MOVE_CROP, Qt::SizeAllCursor},       {IDC_HAND_GRAB, Qt::ClosedHandCursor},
        {IDC_SIZE_NESW, Qt::SizeBDiagCursor},
    };
    for (const auto& c : cursors)
        AfxRegisterCursor(c.nID, QCursor(c.shape));
}
