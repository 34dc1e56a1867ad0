// The view's commands on the selected item (the document's last item) and on
// the grid and snap switches. The changes to the page are the document's
// edits (one undo step each); the view asks for what it needs and repaints.
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
    doc->DeleteSelectedItem();
    SelectTopItem();
}

void CZelbrinView::OnTextColor() {
    CZelbrinDoc* doc = GetDocument();
    if (!SelectedIsText(doc))
        return;
    CColorDialog dlg(RGB(0, 0, 0), window());
    if (dlg.DoModal() != IDOK)
        return;
    doc->SetSelectedTextColor(dlg.GetColor());
    {
        CClientDC dc(this);
        DrawPageItem(doc->GetLastItem(), &dc, 1.0f);
    }
    DrawSelectionFrame();
}

void CZelbrinView::OnUpdateTextColor(CCmdUI* pCmdUI) {
    pCmdUI->Enable(SelectedIsText(GetDocument()));
}

void CZelbrinView::ToggleTextStyle(int PageItem::*field, const char* name) {
    CZelbrinDoc* doc = GetDocument();
    if (!SelectedIsText(doc))
        return;
    doc->ToggleSelectedTextStyle(field, name);
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
    ToggleTextStyle(&PageItem::bBold, "Bold");
}
void CZelbrinView::OnTextItalic() {
    ToggleTextStyle(&PageItem::bItalic, "Italic");
}
void CZelbrinView::OnTextUnderline() {
    ToggleTextStyle(&PageItem::bUnderline, "Underline");
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
    doc->SendSelectedToBack();
    RedrawPage();
}

void CZelbrinView::OnRotateLeft() {
    if (CZelbrinDoc* doc = GetDocument(); doc && doc->RotateSelected(-1))
        RedrawPage();
}

void CZelbrinView::OnRotateRight() {
    if (CZelbrinDoc* doc = GetDocument(); doc && doc->RotateSelected(1))
        RedrawPage();
}

void CZelbrinView::OnFindMissingPictures() {
    if (CZelbrinDoc* doc = GetDocument(); doc && doc->FindMissingPictures() > 0)
        RedrawPage();
}

void CZelbrinView::OnUpdateFindMissingPictures(CCmdUI* pCmdUI) {
    const CZelbrinDoc* doc = GetDocument();
    pCmdUI->Enable(doc && doc->HasPlaceholders());
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
