// Mouse editing of the page with the left button: a press selects the item
// under the pointer, a corner handle of the selected item resizes it in
// proportion, an edge crops it, a press inside moves it; a double-click edits
// a text item. Each drag step stores the item and repaints only it.
#include "view/zelbrin_view.h"

#include "dialogs/text_item_dialog.h"
#include "document/fixed_text.h"
#include "document/slot_fit.h"
#include "document/zelbrin_doc.h"
#include "platform/qt/cursor.h"
#include "platform/qt/gdi.h"
#include "res/cursors.h"

#include <algorithm>

namespace {

bool IsSizing(int mode) {
    return mode == DRAG_SIZE_BOTTOMRIGHT || mode == DRAG_SIZE_BOTTOMLEFT ||
           mode == DRAG_SIZE_TOPRIGHT || mode == DRAG_SIZE_TOPLEFT;
}

} // namespace

void CZelbrinView::OnLButtonDown(UINT, POINT point) {
    CZelbrinDoc* doc = GetDocument();
    if (!doc || doc->GetItemCount() == 0)
        return;
    // A drag whose release never arrived ends where it stood.
    if (m_nDragMode != DRAG_NONE)
        OnLButtonUp(0, m_ptLastDrag);

    const PageItem& sel = doc->ItemAt(doc->GetLastIndex());
    int hit = doc->GetLastIndex();
    if (const DragMode corner = PressedHandle(sel.rcPlace, point); corner != DRAG_NONE) {
        m_nDragMode = corner;
        m_sizeStart = SIZE{SaturatedDifference(sel.rcPlace.right, sel.rcPlace.left),
                           SaturatedDifference(sel.rcPlace.bottom, sel.rcPlace.top)};
        SetCapture();
    } else if (const CropEdge edge = EdgeAt(sel.rcPlace, point); edge != EDGE_NONE) {
        m_nCropEdge = edge;
        m_nDragMode = DRAG_CROP;
        m_rcStartPlace = sel.rcPlace;
        m_rcStartCrop = sel.rcSource;
        SetCapture();
    } else {
        const int under = ItemUnderPoint(*doc, point);
        if (under >= 0)
            hit = under;
        m_rcStartPlace = doc->ItemAt(hit).rcPlace;
    }

    if (doc->IsItemDrawn(hit) == 1)
        SelectItem(hit);
    const RECT& place = doc->ItemAt(doc->GetLastIndex()).rcPlace;
    m_ptDragOffset =
        POINT{SaturatedDifference(point.x, place.left), SaturatedDifference(point.y, place.top)};
    m_ptLastDrag = point;
    if (m_nDragMode == DRAG_NONE && InsidePlace(place, point) &&
        (GetAsyncKeyState(VK_LBUTTON) & 0x8000)) {
        m_nDragMode = DRAG_MOVE;
        SetCapture();
    }
}

void CZelbrinView::OnMouseMove(UINT, POINT point) {
    const POINT raw = point;
    int H = 0, W = 0;
    GetClientExtent(H, W);
    point.x = std::clamp<LONG>(point.x, 0, std::max(W - 1, 0));
    point.y = std::clamp<LONG>(point.y, 0, std::max(H - 1, 0));
    UpdateCursor();

    CZelbrinDoc* doc = GetDocument();
    if (!doc || doc->GetItemCount() == 0 || m_nDragMode == DRAG_NONE)
        return;
    m_ptLastDrag = raw;
    // A full repaint since the press (the window activated after the press
    // reached it) drew the item into the background: float it again, or its
    // old image would stay behind.
    if (doc->IsItemDrawn(doc->GetLastIndex()) == 1)
        SelectItem(doc->GetLastIndex());
    PageItem sel = doc->GetLastItem();
    const bool picture = sel.nKind != ITEM_TEXT;
    const int w = SaturatedDifference(sel.rcPlace.right, sel.rcPlace.left);
    const int h = SaturatedDifference(sel.rcPlace.bottom, sel.rcPlace.top);

    if (m_nDragMode == DRAG_MOVE) {
        InvalidateRect(&sel.rcPlace, FALSE);
        // Only pictures snap to the grid, by the switch alone.
        const MoveLimits limits{W,
                                H,
                                m_bSnapToGrid == 1 && sel.nKind == ITEM_PICTURE,
                                m_nGridStepX,
                                m_nGridStepY,
                                m_nGridLinesX,
                                m_nGridLinesY};
        sel.rcPlace = MovePlace(SaturatedDifference(point.x, m_ptDragOffset.x),
                                SaturatedDifference(point.y, m_ptDragOffset.y), w, h, limits);
    } else if (IsSizing(m_nDragMode)) {
        RECT sized;
        if (SizeFromCorner(static_cast<DragMode>(m_nDragMode), sel.rcPlace, m_sizeStart, point,
                           picture ? kMinPictureSize : kMinTextSize, &sized))
            sel.rcPlace = sized;
    } else if (m_nDragMode == DRAG_CROP) {
        // The frame of the previous step goes before the item changes.
        InvalidateRect(&sel.rcPlace, FALSE);
        DrawSelectionFrame();
        CropAtEdge(static_cast<CropEdge>(m_nCropEdge), CropStart{m_rcStartPlace, m_rcStartCrop},
                   picture, sel.nSrcWidth, sel.nSrcHeight, point, &sel.rcPlace, &sel.rcSource);
    }

    doc->SetLastItem(sel);
    doc->m_bAlbumModified = 1;
    CClientDC dc(this);
    RepaintFloatingItem(sel, &dc);
}

void CZelbrinView::OnLButtonUp(UINT, POINT point) {
    CZelbrinDoc* doc = GetDocument();
    if (doc && doc->GetItemCount() > 0 && m_bSnapToTemplate == 1 && m_nDragMode == DRAG_MOVE) {
        // A moved picture drops into the template slot under the pointer, or
        // goes back where the drag began.
        const int n = doc->GetLastIndex();
        PageItem sel = doc->GetLastItem();
        if (sel.nKind == ITEM_PICTURE && !(sel.rcPlace == m_rcStartPlace) &&
            !doc->SnapToTemplate(n, m_rcStartPlace, point)) {
            sel.rcPlace = m_rcStartPlace;
            doc->SetItem(n, sel);
            SelectTopItem();
        }
    }
    m_nDragMode = DRAG_NONE;
    m_nCropEdge = EDGE_NONE;
    ReleaseCapture();
}

void CZelbrinView::OnCaptureChanged(CWnd*) {
    // The capture taken away mid-drag: the drag ends as a release where it stood.
    if (m_nDragMode != DRAG_NONE)
        OnLButtonUp(0, m_ptLastDrag);
}

void CZelbrinView::OnLButtonDblClk(UINT, POINT point) {
    CZelbrinDoc* doc = GetDocument();
    if (!doc)
        return;
    const int index = ItemUnderPoint(*doc, point);
    if (index < 0 || doc->ItemAt(index).nKind != ITEM_TEXT)
        return;
    PageItem item = doc->GetItem(index);
    CTextItemDialog dlg(window());
    dlg.SetFromItem(item);
    if (dlg.DoModal() != IDOK)
        return;
    // Text and font are cut to their fields on a character boundary.
    dlg.CopyToItem(item);
    CopyToField(doc->m_szFontName, dlg.m_strFont);
    doc->m_bBold = dlg.m_nBold;
    doc->m_bItalic = dlg.m_nItalic;
    doc->m_bUnderline = dlg.m_nUnderline;
    item.nLines = std::max(1, CountTextLines(item.szText));
    doc->SetItem(index, item);
    doc->m_bAlbumModified = 1;
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
    const int mode = m_nDragMode;
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
