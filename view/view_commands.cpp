// The view's commands on the selected item (the document's last item) and on
// the grid and snap switches. Every change to the page marks the album
// modified, so that closing asks before losing it.
#include "view/zelbrin_view.h"

#include "dialogs/gridline_dialog.h"
#include "document/zelbrin_doc.h"
#include "platform/qt/color_dialog.h"
#include "platform/qt/gdi.h"

namespace {

// Toggles a switch: 0 when it holds 1, else 1.
int Toggled(int value) {
    return value == 1 ? 0 : 1;
}

bool SelectedIsText(const CZelbrinDoc* doc) {
    return doc && doc->GetItemCount() > 0 && doc->GetLastItem().nKind == ITEM_TEXT;
}

} // namespace

void CZelbrinView::OnDeleteObject() {
    CZelbrinDoc* doc = GetDocument();
    if (!doc || doc->GetItemCount() == 0)
        return;
    doc->RemoveLastItem();
    doc->m_bAlbumModified = 1;
    SelectTopItem();
}

void CZelbrinView::OnTextColor() {
    CZelbrinDoc* doc = GetDocument();
    if (!SelectedIsText(doc))
        return;
    CColorDialog dlg(RGB(0, 0, 0), window());
    if (dlg.DoModal() != IDOK)
        return;
    doc->SetItemColor(doc->GetLastIndex(), dlg.GetColor());
    doc->m_bAlbumModified = 1;
    {
        CClientDC dc(this);
        DrawPageItem(doc->GetLastItem(), &dc, 1.0f);
    }
    DrawSelectionFrame();
}

void CZelbrinView::OnUpdateTextColor(CCmdUI* pCmdUI) {
    pCmdUI->Enable(SelectedIsText(GetDocument()));
}

void CZelbrinView::ToggleTextStyle(int PageItem::*field) {
    CZelbrinDoc* doc = GetDocument();
    if (!SelectedIsText(doc))
        return;
    PageItem item = doc->GetLastItem();
    item.*field = Toggled(item.*field);
    doc->SetItem(doc->GetLastIndex(), item);
    doc->m_bAlbumModified = 1;
    RedrawPage();
}

void CZelbrinView::UpdateTextStyle(CCmdUI* pCmdUI, int PageItem::*field) {
    const CZelbrinDoc* doc = GetDocument();
    if (!SelectedIsText(doc)) {
        pCmdUI->Enable(FALSE);
        return;
    }
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(doc->GetLastItem().*field == 1);
}

void CZelbrinView::OnTextBold() {
    ToggleTextStyle(&PageItem::bBold);
}
void CZelbrinView::OnTextItalic() {
    ToggleTextStyle(&PageItem::bItalic);
}
void CZelbrinView::OnTextUnderline() {
    ToggleTextStyle(&PageItem::bUnderline);
}
void CZelbrinView::OnUpdateTextBold(CCmdUI* pCmdUI) {
    UpdateTextStyle(pCmdUI, &PageItem::bBold);
}
void CZelbrinView::OnUpdateTextItalic(CCmdUI* pCmdUI) {
    UpdateTextStyle(pCmdUI, &PageItem::bItalic);
}
void CZelbrinView::OnUpdateTextUnderline(CCmdUI* pCmdUI) {
    UpdateTextStyle(pCmdUI, &PageItem::bUnderline);
}

void CZelbrinView::OnShowGridlines() {
    m_bShowGrid = Toggled(m_bShowGrid);
    SelectTopItem();
}

void CZelbrinView::OnUpdateShowGridlines(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bShowGrid == 1);
}

void CZelbrinView::OnGridlineSpacing() {
    CGridlineDialog dlg(window());
    dlg.m_fHorizSpacing = m_fHorizSpacing;
    dlg.m_fVertSpacing = m_fVertSpacing;
    if (dlg.DoModal() != IDOK)
        return;
    m_fHorizSpacing = dlg.m_fHorizSpacing;
    m_fVertSpacing = dlg.m_fVertSpacing;
    UpdatePageLayout();
    SelectTopItem();
}

void CZelbrinView::OnSnapToGrid() {
    m_bSnapToGrid = Toggled(m_bSnapToGrid);
    SelectTopItem();
}

void CZelbrinView::OnUpdateSnapToGrid(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bSnapToGrid == 1);
    pCmdUI->Enable(m_bShowGrid == 1);
}

void CZelbrinView::OnSendToBack() {
    CZelbrinDoc* doc = GetDocument();
    if (!doc || doc->GetItemCount() == 0 || doc->GetLastItem().nKind != ITEM_PICTURE)
        return;
    const bool moves = doc->GetItemCount() > 1;
    doc->MoveItemToBottom(doc->GetLastIndex());
    if (moves)
        doc->m_bAlbumModified = 1;
    RedrawPage();
}

void CZelbrinView::OnUpdateSendToBack(CCmdUI* pCmdUI) {
    const CZelbrinDoc* doc = GetDocument();
    pCmdUI->Enable(doc && doc->GetItemCount() > 0 && doc->GetLastItem().nKind == ITEM_PICTURE);
}

void CZelbrinView::OnSnapToTemplate() {
    m_bSnapToTemplate = Toggled(m_bSnapToTemplate);
}

void CZelbrinView::OnUpdateSnapToTemplate(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bSnapToTemplate == 1);
}
