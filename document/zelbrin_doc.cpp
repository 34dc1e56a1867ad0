#include "document/zelbrin_doc.h"

#include "document/album_paths.h"
#include "document/album_view.h"

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

void CZelbrinDoc::SetItemDrawn(int nIndex, int flag) {
    if (ValidIndex(nIndex))
        m_items[static_cast<std::size_t>(nIndex)].bDrawn = flag;
}

int CZelbrinDoc::IsItemDrawn(int nIndex) const {
    return ValidIndex(nIndex) ? m_items[static_cast<std::size_t>(nIndex)].bDrawn : 0;
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
    if (!ValidIndex(nIndex))
        return;
    PageItem& item = m_items[static_cast<std::size_t>(nIndex)];
    if (item.nKind == ITEM_PICTURE)
        std::free(item.pPixels);
    m_items.erase(m_items.begin() + nIndex);
}

void CZelbrinDoc::RemoveLastItem() {
    RemoveItem(GetLastIndex());
}

void CZelbrinDoc::AppendItem(const PageItem& item) {
    m_items.push_back(item);
}

void FreeItemPictures(std::vector<PageItem>& items) {
    for (PageItem& item : items) {
        if (item.nKind == ITEM_PICTURE) {
            std::free(item.pPixels);
            item.pPixels = nullptr;
        }
    }
}

void CZelbrinDoc::DeleteAllItems() {
    FreeItemPictures(m_items);
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
    if (!m_bFirstNew && m_pView)
        m_pView->RedrawPage();
    m_bFirstNew = 0;
    return CDocument::OnNewDocument();
}
