// Command tables and routing: first handler wins, update handlers decide first.
#include "platform/win/cmdtarget.h"
#include "platform/win/document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT ID_BOTH = 100;     // handled by view and document
constexpr UINT ID_DOC_ONLY = 101; // handled by the document alone
constexpr UINT ID_GUARDED = 102;  // view handles, document's update rule guards it
constexpr UINT ID_SILENT = 103;   // update handler that sets nothing
constexpr UINT ID_NOBODY = 104;   // in no table
constexpr UINT ID_CHECKED = 105;
constexpr UINT ID_RANGE_FIRST = 110;
constexpr UINT ID_RANGE_LAST = 113;

std::vector<std::string> g_log;

class TestView : public CCmdTarget {
public:
    bool m_bEnableBoth = true;

protected:
    void OnBoth() { g_log.push_back("view:both"); }
    void OnUpdateBoth(CCmdUI* pCmdUI) {
        g_log.push_back("view:update-both");
        pCmdUI->Enable(m_bEnableBoth);
    }
    void OnGuarded() { g_log.push_back("view:guarded"); }
    void OnChecked() { g_log.push_back("view:checked"); }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestView, CCmdTarget)
ON_COMMAND(ID_BOTH, OnBoth)
ON_UPDATE_COMMAND_UI(ID_BOTH, OnUpdateBoth)
ON_COMMAND(ID_GUARDED, OnGuarded)
ON_COMMAND(ID_CHECKED, OnChecked)
ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

class TestDoc : public CDocument {
public:
    int m_nItems = 0;

protected:
    void OnBoth() { g_log.push_back("doc:both"); }
    void OnDocOnly() { g_log.push_back("doc:only"); }
    void OnUpdateItemCommand(CCmdUI* pCmdUI) {
        g_log.push_back("doc:update-items");
        pCmdUI->Enable(m_nItems != 0);
    }
    void OnSilent() { g_log.push_back("doc:silent"); }
    void OnUpdateSilent(CCmdUI*) { g_log.push_back("doc:update-silent"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDoc, CDocument)
ON_COMMAND(ID_BOTH, OnBoth)
ON_COMMAND(ID_DOC_ONLY, OnDocOnly)
ON_UPDATE_COMMAND_UI(ID_GUARDED, OnUpdateItemCommand)
ON_COMMAND(ID_SILENT, OnSilent)
ON_UPDATE_COMMAND_UI(ID_SILENT, OnUpdateSilent)
END_MESSAGE_MAP()

class CommandRouting : public ::testing::Test {
protected:
    void SetUp() override { g_log.clear(); }
    std::vector<CCmdTarget*> Route() { return {&view, &doc}; }
    CCmdUI Update(UINT nID) {
        CCmdUI ui(nID);
        RouteUpdateCmdUI(Route(), ui);
        return ui;
    }
    TestView view;
    TestDoc doc;
};

TEST_F(CommandRouting, FirstTargetWithAHandlerTakesTheCommand) {
    EXPECT_TRUE(RouteCommand(Route(), ID_BOTH));
    EXPECT_EQ(g_log, (std::vector<std::string>{"view:update-both", "view:both"}));

    g_log.clear();
    EXPECT_TRUE(RouteCommand(Route(), ID_DOC_ONLY));
    EXPECT_EQ(g_log, (std::vector<std::string>{"doc:only"}));

    // The same targets in the other order: the document answers first.
    g_log.clear();
    EXPECT_TRUE(RouteCommand({&doc, &view}, ID_BOTH));
    EXPECT_EQ(g_log, (std::vector<std::string>{"view:update-both", "doc:both"}));
}

TEST_F(CommandRouting, CommandWithoutHandlerIsNotHandledAndDisabled) {
    EXPECT_FALSE(RouteCommand(Route(), ID_NOBODY));
    EXPECT_TRUE(g_log.empty());
    EXPECT_FALSE(Update(ID_NOBODY).m_bEnabled);
    EXPECT_FALSE(RouteCommand({}, ID_BOTH));
}

TEST_F(CommandRouting, HandlerWithoutUpdateRuleIsEnabled) {
    EXPECT_TRUE(Update(ID_DOC_ONLY).m_bEnabled);
    EXPECT_FALSE(Update(ID_DOC_ONLY).m_bCheckChanged);
}

TEST_F(CommandRouting, UpdateHandlerIsAskedBeforeTheCommandAndCanRefuseIt) {
    view.m_bEnableBoth = false;
    EXPECT_FALSE(RouteCommand(Route(), ID_BOTH));
    EXPECT_EQ(g_log, (std::vector<std::string>{"view:update-both"}));
}

TEST_F(CommandRouting, UpdateRuleOfALaterTargetGuardsAnEarlierHandler) {
    // The view runs the command, the document says when it is allowed.
    EXPECT_FALSE(RouteCommand(Route(), ID_GUARDED));
    EXPECT_EQ(g_log, (std::vector<std::string>{"doc:update-items"}));

    g_log.clear();
    doc.m_nItems = 1;
    EXPECT_TRUE(RouteCommand(Route(), ID_GUARDED));
    EXPECT_EQ(g_log, (std::vector<std::string>{"doc:update-items", "view:guarded"}));
}

TEST_F(CommandRouting, UpdateHandlerThatSetsNothingLeavesTheCommandEnabled) {
    EXPECT_TRUE(Update(ID_SILENT).m_bEnabled);
    g_log.clear();
    EXPECT_TRUE(RouteCommand(Route(), ID_SILENT));
    EXPECT_EQ(g_log, (std::vector<std::string>{"doc:update-silent", "doc:silent"}));
}

TEST_F(CommandRouting, CheckStateComesFromTheUpdateHandler) {
    CCmdUI ui = Update(ID_CHECKED);
    EXPECT_TRUE(ui.m_bCheckChanged);
    EXPECT_EQ(ui.m_nCheck, 1);
    EXPECT_TRUE(ui.m_bEnabled);
}

TEST_F(CommandRouting, MissingTargetsInTheRouteAreSkipped) {
    EXPECT_TRUE(RouteCommand({nullptr, &doc, nullptr}, ID_DOC_ONLY));
    EXPECT_EQ(g_log, (std::vector<std::string>{"doc:only"}));
}

// Chaining to the base class's table, ranges and continued routing.
class BaseTarget : public CCmdTarget {
protected:
    void OnBoth() { g_log.push_back("base:both"); }
    void OnBaseOnly() { g_log.push_back("base:only"); }
    void OnRange(UINT nID) { g_log.push_back("base:range " + std::to_string(nID)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseTarget, CCmdTarget)
ON_COMMAND(ID_BOTH, OnBoth)
ON_COMMAND(ID_DOC_ONLY, OnBaseOnly)
ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
END_MESSAGE_MAP()

class DerivedTarget : public BaseTarget {
public:
    bool m_bPassOn = false;

protected:
    void OnBoth() { g_log.push_back("derived:both"); }
    void OnUpdateRange(CCmdUI* pCmdUI) {
        if (m_bPassOn)
            pCmdUI->ContinueRouting();
        else
            pCmdUI->Enable(pCmdUI->m_nID != ID_RANGE_LAST);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedTarget, BaseTarget)
ON_COMMAND(ID_BOTH, OnBoth)
ON_UPDATE_COMMAND_UI_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnUpdateRange)
END_MESSAGE_MAP()

class RangeGuard : public CCmdTarget {
protected:
    void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RangeGuard, CCmdTarget)
ON_UPDATE_COMMAND_UI_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnUpdateRange)
END_MESSAGE_MAP()

TEST(CommandTables, DerivedTableComesBeforeTheBaseTable) {
    g_log.clear();
    DerivedTarget t;
    EXPECT_TRUE(RouteCommand({&t}, ID_BOTH));
    EXPECT_TRUE(RouteCommand({&t}, ID_DOC_ONLY));
    EXPECT_EQ(g_log, (std::vector<std::string>{"derived:both", "base:only"}));
    EXPECT_TRUE(t.HasCommandHandler(ID_DOC_ONLY));
    EXPECT_FALSE(t.HasCommandHandler(ID_NOBODY));
    EXPECT_FALSE(t.HasUpdateHandler(ID_DOC_ONLY));
}

TEST(CommandTables, RangeHandlerGetsTheIdAndRangeUpdateDecidesEach) {
    g_log.clear();
    DerivedTarget t;
    EXPECT_TRUE(RouteCommand({&t}, ID_RANGE_FIRST));
    EXPECT_TRUE(RouteCommand({&t}, ID_RANGE_FIRST + 2));
    EXPECT_FALSE(RouteCommand({&t}, ID_RANGE_LAST)); // its update rule disables it
    EXPECT_FALSE(RouteCommand({&t}, ID_RANGE_LAST + 1));
    EXPECT_EQ(g_log, (std::vector<std::string>{"base:range 110", "base:range 112"}));
}

TEST(CommandTables, ContinueRoutingPassesTheUpdateQueryOn) {
    g_log.clear();
    DerivedTarget t;
    RangeGuard guard;
    t.m_bPassOn = true;
    EXPECT_FALSE(RouteCommand({&t, &guard}, ID_RANGE_FIRST));
    t.m_bPassOn = false;
    EXPECT_TRUE(RouteCommand({&t, &guard}, ID_RANGE_FIRST));
    EXPECT_EQ(g_log, (std::vector<std::string>{"base:range 110"}));
}

TEST(CommandTables, DocumentIsACommandTarget) {
    g_log.clear();
    TestDoc doc;
    CDocument& asDocument = doc;
    EXPECT_TRUE(asDocument.OnCmdMsg(ID_DOC_ONLY, CN_COMMAND, nullptr));
    CCmdUI ui(ID_GUARDED);
    EXPECT_TRUE(asDocument.OnCmdMsg(ID_GUARDED, CN_UPDATE_COMMAND_UI, &ui));
    EXPECT_FALSE(ui.m_bEnabled);
    EXPECT_EQ(g_log, (std::vector<std::string>{"doc:only", "doc:update-items"}));
}

} // namespace

namespace {

// A target that is a command target second, as a window class is.
class OtherBase {
public:
    virtual ~OtherBase() = default;
    int m_nPadding[5] = {};
};

class MixedTarget : public OtherBase, public CCmdTarget {
public:
    int m_nRuns = 0;
    bool m_bEnabled = true;

protected:
    void OnRun() { ++m_nRuns; }
    void OnUpdateRun(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnabled); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MixedTarget, CCmdTarget)
ON_COMMAND(ID_BOTH, OnRun)
ON_UPDATE_COMMAND_UI(ID_BOTH, OnUpdateRun)
END_MESSAGE_MAP()

// Maps a handler that its base class declares.
class InheritsHandler : public BaseTarget {
protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(InheritsHandler, BaseTarget)
ON_COMMAND(ID_CHECKED, OnBaseOnly)
END_MESSAGE_MAP()

TEST(CommandTables, HandlersRunOnTheRightObjectWhenTheTargetIsASecondBase) {
    MixedTarget t;
    CCmdTarget* asTarget = &t;
    EXPECT_TRUE(RouteCommand({asTarget}, ID_BOTH));
    EXPECT_TRUE(RouteCommand({asTarget}, ID_BOTH));
    EXPECT_EQ(t.m_nRuns, 2);
    t.m_bEnabled = false;
    EXPECT_FALSE(RouteCommand({asTarget}, ID_BOTH));
    EXPECT_EQ(t.m_nRuns, 2);
}

TEST(CommandTables, DerivedTableMayMapABaseClassHandler) {
    g_log.clear();
    InheritsHandler t;
    EXPECT_TRUE(RouteCommand({&t}, ID_CHECKED));
    EXPECT_EQ(g_log, (std::vector<std::string>{"base:only"}));
}

} // namespace
