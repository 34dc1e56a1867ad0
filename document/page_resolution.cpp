// The page's resolution and size as the album records them: places converted
// to the view's pixels per inch on opening, slots taken by the pictures an
// album brings, and items pulled back onto a page that became smaller.
#include "document/album_view.h"
#include "document/slot_fit.h"
#include "document/zelbrin_doc.h"
#include "platform/win/afxmsgbox.h"
#include "geometry/mouse_math.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace {

// Page sizes within this many inches are the same page.
constexpr float kSamePageInches = 0.01f;

LONG ScaleCoordinate(LONG v, double ratio) {
    const double scaled = std::round(static_cast<double>(v) * ratio);
    if (!(scaled > INT32_MIN))
        return INT32_MIN;
    if (!(scaled < INT32_MAX))
        return INT32_MAX;
    return static_cast<LONG>(scaled);
}

// How the user recognises an item: a picture by its file name, a text by
// its first line.
std::string ItemName(const PageItem& item) {
    if (item.nKind == ITEM_PICTURE) {
        const std::string path = item.szPath;
        return path.substr(path.find_last_of('/') + 1);
    }
    std::string text = item.szText;
    text = text.substr(0, text.find_first_of("\r\n"));
    return text.empty() ? "(empty text)" : "\"" + text + "\"";
}

} // namespace

void CZelbrinDoc::ConvertPlacesToView(int nAlbumPixelsPerInch) {
    const int viewPpi = m_pView ? m_pView->GetPixelsPerInch() : 0;
    if (nAlbumPixelsPerInch <= 0 || viewPpi <= 0 || viewPpi == nAlbumPixelsPerInch)
        return;
    const double ratio = static_cast<double>(viewPpi) / nAlbumPixelsPerInch;
    for (PageItem& item : m_items) {
        RECT& rc = item.rcPlace;
        rc = RECT{ScaleCoordinate(rc.left, ratio), ScaleCoordinate(rc.top, ratio),
                  ScaleCoordinate(rc.right, ratio), ScaleCoordinate(rc.bottom, ratio)};
    }
}

void CZelbrinDoc::MarkSlotsHoldingPictures() {
    int h = 0, w = 0;
    if (m_pView)
        m_pView->GetClientExtent(h, w);
    for (int s = 0; s < m_nSlotCount && s < MAX_SLOTS; ++s) {
        const RECT slot = SlotRect(m_slots[s], w, h);
        for (const PageItem& item : m_items) {
            const RECT& rc = item.rcPlace;
            if (item.nKind == ITEM_PICTURE &&
                InsideSlotRect(slot, (static_cast<long long>(rc.left) + rc.right) / 2,
                               (static_cast<long long>(rc.top) + rc.bottom) / 2)) {
                m_slots[s].bUsed = 1;
                break;
            }
        }
    }
}

AlbumExtras CZelbrinDoc::ExtrasOfView() const {
    AlbumExtras extras;
    if (m_pView) {
        extras.nPixelsPerInch = m_pView->GetPixelsPerInch();
        m_pView->GetPageInches(extras.fPageWidthInches, extras.fPageHeightInches);
    }
    return extras;
}

std::vector<int> CZelbrinDoc::ItemsOutsidePage() const {
    std::vector<int> outside;
    int h = 0, w = 0;
    if (m_pView)
        m_pView->GetClientExtent(h, w);
    if (w <= 0 || h <= 0)
        return outside;
    for (int i = 0; i < GetItemCount(); ++i) {
        const RECT& rc = ItemAt(i).rcPlace;
        if (rc.left < 0 || rc.top < 0 || rc.right > w || rc.bottom > h)
            outside.push_back(i);
    }
    return outside;
}

void CZelbrinDoc::OfferToPullItemsIn() {
    const std::vector<int> outside = ItemsOutsidePage();
    if (outside.empty())
        return;
    std::string names;
    for (int i : outside)
        names += (names.empty() ? "" : ", ") + ItemName(ItemAt(i));
    if (AfxMessageBox("These items lie wholly or partly outside the page: " + names +
                          ".\n\nMove them onto the page?",
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    int h = 0, w = 0;
    m_pView->GetClientExtent(h, w);
    const MoveLimits limits{w, h, false, 0, 0, 0, 0};
    BeginEdit("Move Onto Page");
    for (int i : outside) {
        PageItem item = GetItem(i);
        const RECT& rc = item.rcPlace;
        item.rcPlace = MovePlace(rc.left, rc.top, SaturatedDifference(rc.right, rc.left),
                                 SaturatedDifference(rc.bottom, rc.top), limits);
        SetItem(i, item);
    }
    EndEdit();
    m_pView->SelectTopItem();
}

bool PageInchesDiffer(const AlbumExtras& recorded, float fWidth, float fHeight) {
    if (recorded.fPageWidthInches <= 0.0f || fWidth <= 0.0f || fHeight <= 0.0f)
        return false;
    return std::fabs(recorded.fPageWidthInches - fWidth) > kSamePageInches ||
           std::fabs(recorded.fPageHeightInches - fHeight) > kSamePageInches;
}
