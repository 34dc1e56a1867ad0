// Command targets: a static table per class maps command ids to handlers and
// update handlers, chained to the base class's table. Commands are routed
// through an ordered list of targets; the first target with a handler takes it.
#pragma once

#include "platform/win/wintypes.h"

#include <string>
#include <vector>

class CCmdTarget;

// Collects what an update handler says about one command: enabled, checked.
class CCmdUI {
public:
    explicit CCmdUI(UINT nID = 0) : m_nID(nID) {}

    void Enable(BOOL bOn = TRUE) {
        m_bEnabled = bOn;
        m_bEnableChanged = true;
    }
    // 0 unchecked, 1 checked, 2 indeterminate.
    void SetCheck(int nCheck = 1) {
        m_nCheck = nCheck;
        m_bCheckChanged = true;
    }
    // Lets the update query go on to the next target in the route.
    void ContinueRouting() { m_bContinueRouting = true; }
    // The command's label (with its keys after a tab) and status-bar prompt.
    void SetText(const std::string& label, const std::string& prompt) {
        m_strText = label;
        m_strPrompt = prompt;
        m_bTextChanged = true;
    }

    UINT m_nID;
    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
    bool m_bEnableChanged = false;
    bool m_bCheckChanged = false;
    bool m_bTextChanged = false;
    std::string m_strText;
    std::string m_strPrompt;
    bool m_bContinueRouting = false;
};

// Table entries call handlers through these: each one casts the target to
// the class that declared the table entry and calls the member function there.
using AFX_PMSG = void (*)(CCmdTarget*);
using AFX_PMSG_RANGE = void (*)(CCmdTarget*, UINT);
using AFX_PUPDATE = void (*)(CCmdTarget*, CCmdUI*);

template <class T, auto F> void AfxCallCommand(CCmdTarget* p) {
    (static_cast<T*>(p)->*F)();
}
template <class T, auto F> void AfxCallRange(CCmdTarget* p, UINT nID) {
    (static_cast<T*>(p)->*F)(nID);
}
template <class T, auto F> void AfxCallUpdate(CCmdTarget* p, CCmdUI* pCmdUI) {
    (static_cast<T*>(p)->*F)(pCmdUI);
}

enum class AfxSig { End, Command, CommandRange, Update, UpdateRange };

// One line of a command table; exactly one handler pointer is set, per nSig.
struct AFX_CMDMAP_ENTRY {
    UINT nID;
    UINT nLastID;
    AfxSig nSig;
    AFX_PMSG pfnCommand;
    AFX_PMSG_RANGE pfnRange;
    AFX_PUPDATE pfnUpdate;
};

struct AFX_CMDMAP {
    const AFX_CMDMAP* (*pfnGetBaseMap)();
    const AFX_CMDMAP_ENTRY* lpEntries;
};

// Notification codes of OnCmdMsg.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // CN_COMMAND runs the handler of nID; CN_UPDATE_COMMAND_UI runs its update
    // handler with pCmdUI. Returns TRUE when this target had such a handler.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI);
    // Whether this target's table has a command handler (not an update handler) for nID.
    BOOL HasCommandHandler(UINT nID) const;
    BOOL HasUpdateHandler(UINT nID) const;

protected:
    static const AFX_CMDMAP* GetThisMessageMap();
    virtual const AFX_CMDMAP* GetMessageMap() const;

private:
    const AFX_CMDMAP_ENTRY* FindEntry(UINT nID, bool bUpdate) const;
};

// Asks the update handlers along route for nID: the first target with one
// decides. Without any update handler the command is enabled exactly when
// some target has a handler for it, so unhandled commands stay disabled.
void RouteUpdateCmdUI(const std::vector<CCmdTarget*>& route, CCmdUI& ui);
// Asks the update state first and refuses a disabled command; otherwise runs
// the handler of the first target that has one. TRUE when a handler ran.
BOOL RouteCommand(const std::vector<CCmdTarget*>& route, UINT nID);

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_CMDMAP* GetThisMessageMap();                                                  \
    const AFX_CMDMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_CMDMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_CMDMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_CMDMAP_ENTRY entries[] = {

#define ON_COMMAND(id, memberFxn)                                                                  \
    {static_cast<UINT>(id),                                                                        \
     static_cast<UINT>(id),                                                                        \
     AfxSig::Command,                                                                              \
     &AfxCallCommand<ThisClass, &ThisClass::memberFxn>,                                            \
     nullptr,                                                                                      \
     nullptr},

#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    {static_cast<UINT>(id),                                                                        \
     static_cast<UINT>(idLast),                                                                    \
     AfxSig::CommandRange,                                                                         \
     nullptr,                                                                                      \
     &AfxCallRange<ThisClass, &ThisClass::memberFxn>,                                              \
     nullptr},

#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                        \
    {static_cast<UINT>(id),                                                                        \
     static_cast<UINT>(id),                                                                        \
     AfxSig::Update,                                                                               \
     nullptr,                                                                                      \
     nullptr,                                                                                      \
     &AfxCallUpdate<ThisClass, &ThisClass::memberFxn>},

#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                          \
    {static_cast<UINT>(id),                                                                        \
     static_cast<UINT>(idLast),                                                                    \
     AfxSig::UpdateRange,                                                                          \
     nullptr,                                                                                      \
     nullptr,                                                                                      \
     &AfxCallUpdate<ThisClass, &ThisClass::memberFxn>},

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, AfxSig::End, nullptr, nullptr, nullptr }                                               \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_CMDMAP map = {&TheBaseClass::GetThisMessageMap, entries};                     \
    return &map;                                                                                   \
    }
