// Layout templates on the document: Load Template, Save Template and the snap
// of a dropped picture into a slot.
#include "document/album_view.h"
#include "document/document_shell.h"
#include "document/slot_fit.h"
#include "document/template_file.h"
#include "document/zelbrin_doc.h"
#include "platform/win/afxmsgbox.h"
#include "base/safe_file.h"

#include <algorithm>
#include <cstdio>

namespace {

// Whether the four points d pixels inside the corners of rc all lie in slot.
bool CornersInside(const RECT& slot, const RECT& rc, int d) {
    const long long l = static_cast<long long>(rc.left) + d, t = static_cast<long long>(rc.top) + d;
    const long long r = static_cast<long long>(rc.right) - d,
                    b = static_cast<long long>(rc.bottom) - d;
    return InsideSlotRect(slot, l, t) && InsideSlotRect(slot, l, b) && InsideSlotRect(slot, r, t) &&
           InsideSlotRect(slot, r, b);
}

} // namespace

void CZelbrinDoc::OnTemplateLoad() {
    std::string path;
    if (!m_pShell || !m_pShell->AskTemplateToOpen(path) || path.empty())
        return;
    LoadTemplateFile(path.c_str());
}

void CZelbrinDoc::OnTemplateSave() {
    std::string path;
    if (!m_pShell || !m_pShell->AskTemplateToSave("customTemp.zbt", path) || path.empty())
        return;
    WriteTemplateFile(path.c_str());
}

BOOL CZelbrinDoc::LoadTemplateFile(const char* path) {
    std::string contents;
    const std::string tooLarge =
        AfxFormatString2("Cannot load the template %1: it is far too large.", path);
    if (!ReadDocumentFile(path, tooLarge.c_str(), contents))
        return FALSE;
    std::vector<TemplateSlot> slots;
    std::string reason;
    if (!ParseTemplateText(contents, slots, reason)) {
        AfxMessageBox(AfxFormatString2("Cannot load the template %1: %2.", path, reason),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    // Slots beyond the new count keep their values but are not used.
    BeginEdit("Load Template");
    std::copy(slots.begin(), slots.end(), m_slots);
    m_nSlotCount = static_cast<int>(slots.size());
    EndEdit();
    return TRUE;
}

BOOL CZelbrinDoc::WriteTemplateFile(const char* path) {
    int H = 0, W = 0;
    if (m_pView)
        m_pView->GetClientExtent(H, W);
    if (W <= 0 || H <= 0) {
        AfxMessageBox(
            AfxFormatString2("The page has no size, so no template was saved to %1.", path),
            MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    std::vector<RECT> placements;
    for (const PageItem& item : m_items)
        if (item.nKind == ITEM_PICTURE)
            placements.push_back(item.rcPlace);
    const std::string out = FormatTemplateText(placements, W, H);

    SafeFileWriter file;
    bool ok = file.Open(path);
    ok = ok && std::fwrite(out.data(), 1, out.size(), file.File()) == out.size();
    ok = ok && file.Commit();
    if (!ok) {
        file.Abandon();
        AfxMessageBox(AfxFormatString2("Failed to save the template to %1.", path),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL CZelbrinDoc::SnapToTemplate(int nIndex, RECT rcStart, POINT pt) {
    if (m_nSlotCount <= 0 || !ValidIndex(nIndex))
        return FALSE;
    int H = 0, W = 0;
    if (m_pView)
        m_pView->GetClientExtent(H, W);
    PageItem moved = GetItem(nIndex);
    RECT back = rcStart; // where a displaced item goes
    BOOL result = FALSE;
    int displaced = -1;
    for (int s = 0; s < m_nSlotCount && s < MAX_SLOTS; ++s) {
        const RECT slot = SlotRect(m_slots[s], W, H);
        if (InsideSlotRect(slot, pt.x, pt.y)) {
            m_slots[s].bUsed = 1;
            result = TRUE;
            // Fitted with the crop's aspect, so the shown part keeps its
            // proportions; an item with an empty crop keeps its rectangle.
            double aspect = 0;
            if (CropAspect(moved, aspect))
                FitIntoSlot(m_slots[s], aspect, W, H, moved.rcPlace);
            for (int j = 0; j < GetItemCount(); ++j)
                if (j != nIndex && CornersInside(slot, ItemAt(j).rcPlace, 1))
                    displaced = j;
        }
        // A picture that came from a slot leaves that whole slot to the item it displaces.
        if (CornersInside(slot, back, 3))
            back = slot;
    }
    if (displaced >= 0) {
        PageItem other = GetItem(displaced);
        double aspect = 0;
        if (CropAspect(other, aspect) && FitIntoRect(back, aspect, other.rcPlace))
            SetItem(displaced, other);
    }
    if (result) {
        SetItem(nIndex, moved);
        if (m_pView)
            m_pView->SelectTopItem();
    }
    return result;
}
