// The page's history: one step for each change the user made, taken back by
// Undo and made again by Redo. A step holds only the records of the items it
// changed (their pixels shared, never copied), the order of the items and,
// when it changed them, the template's slots.
#pragma once

#include "document/page_item.h"

#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// The layout template as a step sees it: the slots and their used flags.
struct SlotsState {
    int nCount = 0;
    std::array<TemplateSlot, MAX_SLOTS> list{};
    bool operator==(const SlotsState&) const = default;
};

struct PageStep {
    std::string name;           // "Move", "Delete", ...
    bool bChangesAlbum = false; // items or their order changed (a template is not saved)
    std::vector<ItemId> orderBefore, orderAfter;
    std::vector<PageItem> before; // the changed and removed items as they were
    std::vector<PageItem> after;  // the changed and added items as they became
    std::optional<SlotsState> slotsBefore, slotsAfter;
};

// The page a step works on.
struct PageState {
    std::vector<PageItem> items;
    SlotsState templateSlots;
};

// The step that turns before into after; nullopt when nothing changed.
std::optional<PageStep> DiffPages(const std::string& name, const PageState& before,
                                  const PageState& after);
// The page as it was before the step (backwards) or after it, from the page
// as it is now.
void ApplyStep(const PageStep& step, bool backwards, PageState& page);

class CPageHistory {
public:
    static constexpr std::size_t kMaxSteps = 100;

    // No steps; the page as it is now is the one in its file.
    void Clear();
    // A new step, taken after the last one done: the undone steps beyond it
    // go, and the oldest when there are more than kMaxSteps.
    void Push(PageStep step);
    // The step Undo or Redo would take; null when there is none.
    const PageStep* NextUndo() const;
    const PageStep* NextRedo() const;
    // Takes the step back, or makes it again; null when there is none.
    const PageStep* Undo();
    const PageStep* Redo();
    // The page as it is now is the one in its file.
    void MarkSaved();
    // No page of the history is the one in the file (a recovered page).
    void MarkUnsaved() { m_saved = -1; }
    // Whether the album differs from its file: some step that changed the
    // album lies between the saved page and this one (or the saved page is
    // no longer in the history).
    bool IsModified() const;
    std::size_t Size() const { return m_steps.size(); }

private:
    std::deque<PageStep> m_steps;
    std::size_t m_done = 0; // steps [0, m_done) are on the page
    long m_saved = 0;       // the position of the saved page; -1 when it is gone
};
