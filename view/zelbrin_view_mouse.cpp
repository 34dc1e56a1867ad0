// Mouse editing of the page with the left button: a press selects the item
// under the pointer, a corner handle of the selected item resizes it in
// proportion, an edge crops it, a press inside moves it; a double-click edits
// a text item. Each drag step stores the item and repaints only it.
#include "view/zelbrin_view.h"

#include "document/slot_fit.h"
#include "document/zelbrin_doc.h"
#include "platform/qt/cursor.h"
#include "platform/qt/gdi.h"
#include "view/view_cursors.h"

#include <algorithm>

namespace {

bool IsSizing(DragMode mode) {
    return mode == DRAG_SIZE_BOTTOMRIGHT || mode == DRAG_SIZE_BOTTOMLEFT ||
           mode == DRAG_SIZE_TOPRIGHT || mode == DRAG_SIZE_TOPLEFT;
}

} // namespace

void CZelbrinView::OnLButtonDown(UINT, POINT point) {
    CZelbrinDoc* doc = GetDocument();
    if (!doc || doc->GetItemCount() == 0)
        return;
    // A drag whose release never arrived ends where it stood.
    if (m_drag.mode != DRAG_NONE)
        OnLButtonUp(0, m_drag.last);

    const PageItem& sel = doc->ItemAt(doc->GetLastIndex());
    int hit = doc->GetLastIndex();
    DragMode mode = PressedHandle(sel.rcPlace, point);
    const CropEdge edge = mode == DRAG_NONE ? EdgeAt(sel.rcPlace, point) : EDGE_NONE;
    if (edge != EDGE_NONE) {
        mode = DRAG_CROP;
    } else if (mode == DRAG_NONE) {
        const int under = ItemUnderPoint(*doc, point);
        if (under >= 0)
            hit = under;
    }
    if (IsItemDrawn(hit))
        SelectItem(hit);

    const PageItem& item = doc->ItemAt(doc->GetLastIndex());
    m_drag = Drag{};
    m_drag.edge = edge;
    m_drag.startPlace = item.rcPlace;
    m_drag.startCrop = item.rcSource;
    m_drag.startSize = SIZE{SaturatedDifference(item.rcPlace.right, item.rcPlace.left),
                            SaturatedDifference(item.rcPlace.bottom, item.rcPlace.top)};
    m_drag.offset = POINT{SaturatedDifference(point.x, item.rcPlace.left),
                          SaturatedDifference(point.y, item.rcPlace.top)};
    m_drag.last = point;
    if (mode == DRAG_NONE && InsidePlace(item.rcPlace, point) &&
        (GetAsyncKeyState(VK_LBUTTON) & 0x8000))
        mode = DRAG_MOVE;
    if (mode != DRAG_NONE)
        StartDrag(mode);
}

void CZelbrinView::StartDrag(DragMode mode) {
    m_drag.mode = mode;
    // Sizing and cropping steps interpolate the picture; the release draws it
    // filtered again.
    m_drawing.SetInteractive(mode != DRAG_MOVE);
    GetDocument()->BeginDrag(mode == DRAG_MOVE ? "Move" : mode == DRAG_CROP ? "Crop" : "Resize");
    SetCapture();
}

void CZelbrinView::OnMouseMove(UINT, POINT point) {
    const POINT raw = point;
    int H = 0, W = 0;
    GetClientExtent(H, W);
    point.x = std::clamp<LONG>(point.x, 0, std::max(W - 1, 0));
    point.y = std::clamp<LONG>(point.y, 0, std::max(H - 1, 0));
    UpdateCursor();

    CZelbrinDoc* doc = GetDocument();
    if (!doc || doc->GetItemCount() == 0 || m_drag.mode == DRAG_NONE)
        return;
    m_drag.last = raw;
    // A full repaint since the press (the window activated after the press
    // reached it) drew the item into the background: float it again, or its
    // old image would stay behind.
    if (IsItemDrawn(doc->GetLastIndex()))
        SelectItem(doc->GetLastIndex());
    PageItem sel = doc->GetLastItem();
    const bool picture = sel.nKind != ITEM_TEXT;
    const int w = SaturatedDifference(sel.rcPlace.right, sel.rcPlace.left);
    const int h = SaturatedDifference(sel.rcPlace.bottom, sel.rcPlace.top);

    if (m_drag.mode == DRAG_MOVE) {
        InvalidateRect(&sel.rcPlace, FALSE);
        // Only pictures snap to the grid, by the switch alone.
        const MoveLimits limits{W,
                                H,
                                m_bSnapToGrid == 1 && sel.nKind == ITEM_PICTURE,
                                m_nGridStepX,
                                m_nGridStepY,
                                m_nGridLinesX,
                                m_nGridLinesY};
        sel.rcPlace = MovePlace(SaturatedDifference(point.x, m_drag.offset.x),
                                SaturatedDifference(point.y, m_drag.offset.y), w, h, limits);
    } else if (IsSizing(m_drag.mode)) {
        RECT sized;
        if (SizeFromCorner(m_drag.mode, sel.rcPlace, m_drag.startSize, point,
                           picture ? kMinPictureSize : kMinTextSize, &sized))
            sel.rcPlace = sized;
    } else if (m_drag.mode == DRAG_CROP) {
        // The frame of the previous step goes before the item changes.
        InvalidateRect(&sel.rcPlace, FALSE);
        DrawSelectionFrame();
        CropAtEdge(m_drag.edge, CropStart{m_drag.startPlace, m_drag.startCrop}, picture,
                   sel.nSrcWidth, sel.nSrcHeight, point, &sel.rcPlace, &sel.rcSource);
    }

    doc->DragSelectedTo(sel);
    CClientDC dc(this);
    RepaintFloatingItem(sel, &dc);
}

void CZelbrinView::OnLButtonUp(UINT, POINT point) {
    CZelbrinDoc* doc = GetDocument();
    const DragMode mode = m_drag.mode;
    m_drag.mode = DRAG_NONE;
    m_drag.edge = EDGE_NONE;
    if (!doc || mode == DRAG_NONE) {
        ReleaseCapture();
        return;
    }
    bool snapped = false;
    if (doc->GetItemCount() > 0 && m_bSnapToTemplate == 1 && mode == DRAG_MOVE) {
        // A moved picture drops into the template slot under the pointer, or
        // goes back where the drag began.
        const int n = doc->GetLastIndex();
        PageItem sel = doc->GetLastItem();
        if (sel.nKind == ITEM_PICTURE && !(sel.rcPlace == m_drag.startPlace)) {
            snapped = doc->SnapToTemplate(n, m_drag.startPlace, point);
            if (!snapped) {
                sel.rcPlace = m_drag.startPlace;
                doc->SetItem(n, sel);
                SelectTopItem();
            }
        }
    }
    doc->EndDrag(snapped);
    ReleaseCapture();
    if (mode != DRAG_MOVE) {
        m_drawing.SetInteractive(false);
        if (doc->GetItemCount() > 0 && doc->GetLastItem().nKind == ITEM_PICTURE) {
            CClientDC dc(this);
            RepaintFloatingItem(doc->GetLastItem(), &dc);
        }
    }
}

void CZelbrinView::OnCaptureChanged(CWnd*) {
    // The capture taken away mid-drag: the drag ends as a release where it stood.
    if (m_drag.mode != DRAG_NONE)
        OnLButtonUp(0, m_drag.last);
}

void CZelbrinView::OnLButtonDblClk(UINT, POINT point) {
    CZelbrinDoc* doc = GetDocument();
    if (!doc)
        return;
    const int index = ItemUnderPoint(*doc, point);
    if (index >= 0 && doc->EditTextItem(index))
        RedrawPage();
}

BOOL CZelbrinView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (UpdateCursor())
        return TRUE;
    return CView::OnSetCursor(pWnd, nHitTest, message);
}

int CZelbrinView::UpdateCursor() {
    const CZelbrinDoc* doc = GetDocument();
    if (!doc || doc->GetItemCount() == 0)
        return 0;
    const RECT& rc = doc->ItemAt(doc->GetLastIndex()).rcPlace;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(&p);

    // The corners in their own order: where two handle zones overlap the
    // pointer may show one diagonal while a press takes the other.
    const DragMode mode = m_drag.mode;
    unsigned cursor = 0;
    if (mode == DRAG_SIZE_BOTTOMRIGHT || OnHandle(rc, DRAG_SIZE_BOTTOMRIGHT, p))
        cursor = IDC_SIZE_NWSE;
    else if (mode == DRAG_SIZE_TOPLEFT || OnHandle(rc, DRAG_SIZE_TOPLEFT, p))
        cursor = IDC_SIZE_NWSE;
    else if (mode == DRAG_SIZE_BOTTOMLEFT || OnHandle(rc, DRAG_SIZE_BOTTOMLEFT, p))
        cursor = IDC_SIZE_NESW;
    else if (mode == DRAG_SIZE_TOPRIGHT || OnHandle(rc, DRAG_SIZE_TOPRIGHT, p))
        cursor = IDC_SIZE_NESW;
    else if (mode == DRAG_CROP || EdgeAt(rc, p) != EDGE_NONE)
        cursor = IDC_MOVE_CROP;
    else if (mode == DRAG_MOVE)
        cursor = IDC_HAND_GRAB;
    else if (ItemUnderPoint(*doc, p) >= 0)
        cursor = IDC_HAND_POINT;

    if (cursor) {
        SetCursor(LoadCursor(cursor));
        return 1;
    }
    SetCursor(LoadStandardCursor(IDC_ARROW));
    return 0;
}
