// Every change to the page goes through an edit here: it begins, the page
// changes, it ends as one step of the page's history. The album's modified
// flag follows that history, and Undo and Redo walk it.
#include "document/album_view.h"

#include "imaging/orientation.h"
#include "document/document_shell.h"
#include "document/fixed_text.h"
#include "document/slot_fit.h"
#include "document/zelbrin_doc.h"
#include "platform/win/cmdtarget.h"

#include <algorithm>

namespace {

// The keys the Undo and Redo labels show.
const char kUndoKeys[] = "\tCtrl+Z";
const char kRedoKeys[] = "\tCtrl+Y";

} // namespace

PageState CZelbrinDoc::CurrentPage() const {
    PageState page;
    page.items = m_items;
    page.templateSlots.nCount = m_nSlotCount;
    std::copy(std::begin(m_slots), std::end(m_slots), page.templateSlots.list.begin());
    return page;
}

void CZelbrinDoc::SetPage(const PageState& page) {
    m_items = page.items;
    m_nSlotCount = page.templateSlots.nCount;
    std::copy(page.templateSlots.list.begin(), page.templateSlots.list.end(), m_slots);
}

void CZelbrinDoc::BeginEdit(const char* name) {
    if (m_nEditDepth++ > 0)
        return;
    m_editName = name;
    m_editStart = CurrentPage();
}

void CZelbrinDoc::EndEdit(const char* name) {
    if (m_nEditDepth == 0)
        return;
    if (name && m_nEditDepth == 1)
        m_editName = name;
    if (--m_nEditDepth > 0)
        return;
    std::optional<PageStep> step = DiffPages(m_editName, m_editStart, CurrentPage());
    m_editStart = PageState{};
    if (!step)
        return;
    m_history.Push(std::move(*step));
    m_bAlbumModified = m_history.IsModified() ? 1 : 0;
}

void CZelbrinDoc::ClearHistory() {
    m_history.Clear();
    m_nEditDepth = 0;
    m_editStart = PageState{};
}

void CZelbrinDoc::MarkSaved() {
    m_history.MarkSaved();
}

std::string CZelbrinDoc::UndoName() const {
    const PageStep* step = m_history.NextUndo();
    return step ? step->name : std::string();
}

std::string CZelbrinDoc::RedoName() const {
    const PageStep* step = m_history.NextRedo();
    return step ? step->name : std::string();
}

bool CZelbrinDoc::Undo() {
    return TakeStep(true);
}

bool CZelbrinDoc::Redo() {
    return TakeStep(false);
}

bool CZelbrinDoc::TakeStep(bool backwards) {
    if (m_nEditDepth > 0)
        return false;
    const PageStep* step = backwards ? m_history.Undo() : m_history.Redo();
    if (!step)
        return false;
    PageState page = CurrentPage();
    ApplyStep(*step, backwards, page);
    SetPage(page);
    m_bAlbumModified = m_history.IsModified() ? 1 : 0;
    if (m_pView)
        m_pView->SelectTopItem();
    return true;
}

void CZelbrinDoc::OnEditUndo() {
    Undo();
}

void CZelbrinDoc::OnEditRedo() {
    Redo();
}

void CZelbrinDoc::OnUpdateEditUndo(CCmdUI* pCmdUI) {
    const std::string name = UndoName();
    pCmdUI->Enable(!name.empty() && m_nEditDepth == 0);
    pCmdUI->SetText((name.empty() ? "&Undo" : "&Undo " + name) + kUndoKeys,
                    name.empty() ? "Undo the last action" : "Undo " + name);
}

void CZelbrinDoc::OnUpdateEditRedo(CCmdUI* pCmdUI) {
    const std::string name = RedoName();
    pCmdUI->Enable(!name.empty() && m_nEditDepth == 0);
    pCmdUI->SetText((name.empty() ? "&Redo" : "&Redo " + name) + kRedoKeys,
                    name.empty() ? "Redo the previously undone action" : "Redo " + name);
}

// ---- the commands on the selected item ----------------------------------

void CZelbrinDoc::DeleteSelectedItem() {
    if (GetItemCount() == 0)
        return;
    BeginEdit("Delete");
    RemoveLastItem();
    EndEdit();
}

void CZelbrinDoc::SendSelectedToBack() {
    if (GetItemCount() == 0 || GetLastItem().nKind != ITEM_PICTURE)
        return;
    BeginEdit("Send To Back");
    MoveItemToBottom(GetLastIndex());
    EndEdit();
}

namespace {

// The extent [lo, lo + size) of a place centred on twice-centre c2; an odd
// rest rounds down on one turn and up on the next, so that turns undo
// each other exactly.
LONG CentredStart(long long c2, long long size, bool roundUp) {
    const long long twice = c2 - size;
    return static_cast<LONG>(twice >= 0 ? (twice + (roundUp ? 1 : 0)) / 2
                                        : -((-twice + (roundUp ? 0 : 1)) / 2));
}

} // namespace

BOOL CZelbrinDoc::RotateSelected(int quarterTurns) {
    if (GetItemCount() == 0 || GetLastItem().nKind != ITEM_PICTURE || !GetLastItem().pPixels ||
        (quarterTurns != 1 && quarterTurns != -1))
        return FALSE;
    const bool clockwise = quarterTurns == 1;
    PageItem item = GetLastItem();
    const int W = item.nSrcWidth, H = item.nSrcHeight;
    int newW = 0, newH = 0;
    unsigned char* turned = OrientedPixels(item.pPixels.get(), W, H, clockwise ? 6 : 8, newW, newH);
    if (!turned)
        return FALSE;
    BeginEdit(clockwise ? "Rotate Right" : "Rotate Left");
    const int before = PictureOrientation(item);
    item.nOrientation = TurnOrientation(before, quarterTurns);
    item.pPixels = AdoptPixels(turned);
    item.nSrcWidth = newW;
    item.nSrcHeight = newH;
    // The crop turns with the pixels (its rows count up from the bottom).
    const RECT c = item.rcSource;
    item.rcSource = clockwise ? RECT{c.top, W - c.right, c.bottom, W - c.left}
                              : RECT{H - c.bottom, c.left, H - c.top, c.right};
    // The place keeps its centre and swaps its sides.
    const RECT p = item.rcPlace;
    const long long w = static_cast<long long>(p.right) - p.left;
    const long long h = static_cast<long long>(p.bottom) - p.top;
    const bool roundUp = QuarterTurnsOf(item.nOrientation) % 2 == 0;
    item.rcPlace.left = CentredStart(static_cast<long long>(p.left) + p.right, h, roundUp);
    item.rcPlace.right = static_cast<LONG>(item.rcPlace.left + h);
    item.rcPlace.top = CentredStart(static_cast<long long>(p.top) + p.bottom, w, roundUp);
    item.rcPlace.bottom = static_cast<LONG>(item.rcPlace.top + w);
    SetLastItem(item);
    EndEdit();
    return TRUE;
}

void CZelbrinDoc::ToggleSelectedTextStyle(int PageItem::*field, const char* name) {
    if (GetItemCount() == 0 || GetLastItem().nKind != ITEM_TEXT)
        return;
    BeginEdit(name);
    PageItem item = GetLastItem();
    item.*field = item.*field == 1 ? 0 : 1;
    SetLastItem(item);
    EndEdit();
}

void CZelbrinDoc::SetSelectedTextColor(COLORREF cr) {
    if (GetItemCount() == 0 || GetLastItem().nKind != ITEM_TEXT)
        return;
    BeginEdit("Text Color");
    SetItemColor(GetLastIndex(), cr);
    EndEdit();
}

BOOL CZelbrinDoc::EditTextItem(int nIndex) {
    if (!ValidIndex(nIndex) || ItemAt(nIndex).nKind != ITEM_TEXT || !m_pShell)
        return FALSE;
    PageItem item = GetItem(nIndex);
    if (!AskTextFields(item))
        return FALSE;
    BeginEdit("Edit Text");
    SetItem(nIndex, item);
    EndEdit();
    return TRUE;
}

bool CZelbrinDoc::AskTextFields(PageItem& item) {
    TextItemFields fields;
    fields.text = item.szText;
    fields.bBold = item.bBold;
    fields.bItalic = item.bItalic;
    fields.bUnderline = item.bUnderline;
    fields.fontName = item.szFontName;
    if (!m_pShell || !m_pShell->EditTextItem(fields))
        return false;
    // The dialog's choices become the defaults of the next new text, which
    // are preferences, not part of the page's history.
    item.bBold = m_bBold = fields.bBold;
    item.bItalic = m_bItalic = fields.bItalic;
    item.bUnderline = m_bUnderline = fields.bUnderline;
    // Text and font are cut to their fields on a character boundary.
    CopyToField(item.szFontName, fields.fontName);
    CopyToField(m_szFontName, fields.fontName);
    CopyToField(item.szText, fields.text);
    item.nLines = std::max(1, CountTextLines(item.szText));
    return true;
}

// ---- dragging ------------------------------------------------------------

void CZelbrinDoc::BeginDrag(const char* name) {
    BeginEdit(name);
}

void CZelbrinDoc::DragSelectedTo(const PageItem& item) {
    if (m_nEditDepth > 0)
        SetLastItem(item);
}

void CZelbrinDoc::EndDrag(bool bSnapped) {
    EndEdit(bSnapped ? "Snap to Template" : nullptr);
}
