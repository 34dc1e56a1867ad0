#include "platform/win/cmdtarget.h"

const AFX_CMDMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_CMDMAP_ENTRY entries[] = {{0, 0, AfxSig::End, nullptr, nullptr, nullptr}};
    static const AFX_CMDMAP map = {nullptr, entries};
    return &map;
}

const AFX_CMDMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_CMDMAP_ENTRY* CCmdTarget::FindEntry(UINT nID, bool bUpdate) const {
    // The most derived class's table first, then each base class's.
    for (const AFX_CMDMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_CMDMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig::End; ++e) {
            bool isUpdate = e->nSig == AfxSig::Update || e->nSig == AfxSig::UpdateRange;
            if (isUpdate == bUpdate && nID >= e->nID && nID <= e->nLastID)
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) {
    if (nCode == CN_UPDATE_COMMAND_UI) {
        const AFX_CMDMAP_ENTRY* e = FindEntry(nID, true);
        if (!e || !pCmdUI)
            return FALSE;
        e->pfnUpdate(this, pCmdUI);
        return TRUE;
    }
    const AFX_CMDMAP_ENTRY* e = FindEntry(nID, false);
    if (!e)
        return FALSE;
    if (e->nSig == AfxSig::CommandRange)
        e->pfnRange(this, nID);
    else
        e->pfnCommand(this);
    return TRUE;
}

BOOL CCmdTarget::HasCommandHandler(UINT nID) const {
    return FindEntry(nID, false) != nullptr;
}

BOOL CCmdTarget::HasUpdateHandler(UINT nID) const {
    return FindEntry(nID, true) != nullptr;
}

void RouteUpdateCmdUI(const std::vector<CCmdTarget*>& route, CCmdUI& ui) {
    for (CCmdTarget* target : route) {
        if (!target)
            continue;
        ui.m_bContinueRouting = false;
        if (target->OnCmdMsg(ui.m_nID, CN_UPDATE_COMMAND_UI, &ui) && !ui.m_bContinueRouting)
            return;
    }
    ui.m_bContinueRouting = false;
    if (ui.m_bEnableChanged)
        return;
    // No update handler decided: a command nobody handles is disabled.
    bool handled = false;
    for (CCmdTarget* target : route)
        handled = handled || (target && target->HasCommandHandler(ui.m_nID));
    ui.Enable(handled);
}

BOOL RouteCommand(const std::vector<CCmdTarget*>& route, UINT nID) {
    CCmdUI ui(nID);
    RouteUpdateCmdUI(route, ui);
    if (!ui.m_bEnabled)
        return FALSE;
    for (CCmdTarget* target : route) {
        if (target && target->OnCmdMsg(nID, CN_COMMAND, nullptr))
            return TRUE;
    }
    return FALSE;
}
