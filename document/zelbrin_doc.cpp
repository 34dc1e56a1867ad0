#include "document/zelbrin_doc.h"

#include "document/album_paths.h"
#include "document/album_view.h"
#include "geometry/mouse_math.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

CZelbrinDoc::CZelbrinDoc() {
    std::copy(std::begin(kDefaultSlots), std::end(kDefaultSlots), m_slots);
}

CZelbrinDoc::~CZelbrinDoc() {
    DeleteAllItems();
}

PageItem CZelbrinDoc::GetItem(int nIndex) const {
    if (!ValidIndex(nIndex))
        return PageItem{};
    return m_items[static_cast<std::size_t>(nIndex)];
}

std::vector<int> CZelbrinDoc::GetDrawingOrder() const {
    std::vector<int> order;
    order.reserve(m_items.size());
    for (int i = 0; i < GetItemCount(); ++i)
        if (ItemAt(i).nKind != ITEM_TEXT)
            order.push_back(i);
    for (int i = 0; i < GetItemCount(); ++i)
        if (ItemAt(i).nKind == ITEM_TEXT)
            order.push_back(i);
    return order;
}

PageItem CZelbrinDoc::GetLastItem() const {
    return m_items.empty() ? PageItem{} : m_items.back();
}

void CZelbrinDoc::SetItem(int nIndex, const PageItem& item) {
    if (ValidIndex(nIndex))
        m_items[static_cast<std::size_t>(nIndex)] = item;
}

void CZelbrinDoc::SetLastItem(const PageItem& item) {
    SetItem(GetLastIndex(), item);
}

void CZelbrinDoc::SetItemColor(int nIndex, COLORREF cr) {
    if (!ValidIndex(nIndex))
        return;
    m_items[static_cast<std::size_t>(nIndex)].crColor = cr;
    m_crTextColor = cr;
}

void CZelbrinDoc::MoveItemToTop(int nIndex) {
    if (!ValidIndex(nIndex))
        return;
    auto it = m_items.begin() + nIndex;
    std::rotate(it, it + 1, m_items.end());
}

void CZelbrinDoc::MoveItemToBottom(int nIndex) {
    if (!ValidIndex(nIndex))
        return;
    auto it = m_items.begin() + nIndex;
    std::rotate(m_items.begin(), it, it + 1);
}

void CZelbrinDoc::RemoveItem(int nIndex) {
    if (ValidIndex(nIndex))
        m_items.erase(m_items.begin() + nIndex);
}

void CZelbrinDoc::RemoveLastItem() {
    RemoveItem(GetLastIndex());
}

void CZelbrinDoc::AppendItem(const PageItem& item) {
    m_items.push_back(item);
    m_items.back().nId = m_nNextId++;
}

int CZelbrinDoc::IndexOfItem(ItemId id) const {
    for (int i = 0; i < GetItemCount(); ++i)
        if (ItemAt(i).nId == id)
            return i;
    return -1;
}

bool operator==(const PageItem& a, const PageItem& b) {
    return a.nKind == b.nKind && a.nId == b.nId && a.nSrcWidth == b.nSrcWidth &&
           a.nSrcHeight == b.nSrcHeight && std::strcmp(a.szPath, b.szPath) == 0 &&
           std::strcmp(a.szRelPath, b.szRelPath) == 0 && std::strcmp(a.szText, b.szText) == 0 &&
           a.rcPlace == b.rcPlace && a.rcSource == b.rcSource && a.crColor == b.crColor &&
           std::strcmp(a.szFontName, b.szFontName) == 0 && a.bItalic == b.bItalic &&
           a.bUnderline == b.bUnderline && a.bBold == b.bBold && a.nLines == b.nLines &&
           a.nOrientation == b.nOrientation && a.pPixels == b.pPixels;
}

void CZelbrinDoc::DeleteAllItems() {
    m_items.clear();
}

void CZelbrinDoc::ClearSlotsUsed() {
    for (TemplateSlot& slot : m_slots)
        slot.bUsed = 0;
}

BOOL CZelbrinDoc::SetAlbumPath(const char* path) {
    const std::string absolute = AbsolutePath(path);
    if (absolute.size() >= sizeof m_szAlbumPath)
        return FALSE;
    std::strcpy(m_szAlbumPath, absolute.c_str());
    return TRUE;
}

BOOL CZelbrinDoc::OnNewDocument() {
    if (!AskToSave())
        return FALSE;
    m_bAlbumModified = 0;
    m_bHasFile = 0;
    std::strcpy(m_szAlbumPath, "Untitled.alb");
    SetTitle("Untitled");
    DeleteAllItems();
    ClearSlotsUsed();
    ClearHistory();
    if (!m_bFirstNew && m_pView)
        m_pView->RedrawPage();
    m_bFirstNew = 0;
    return CDocument::OnNewDocument();
}

int ItemUnderPoint(const CZelbrinDoc& doc, POINT pt) {
    int hit = -1;
    for (int i = 0; i < doc.GetItemCount(); ++i)
        if (doc.ItemAt(i).nKind != ITEM_TEXT && InsidePlace(doc.ItemAt(i).rcPlace, pt))
            hit = i;
    for (int i = 0; i < doc.GetItemCount(); ++i)
        if (doc.ItemAt(i).nKind == ITEM_TEXT && InsidePlace(doc.ItemAt(i).rcPlace, pt))
            hit = i;
    return hit;
}
