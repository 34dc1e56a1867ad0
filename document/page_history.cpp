#include "document/page_history.h"

#include <algorithm>

namespace {

const PageItem* FindItem(const std::vector<PageItem>& items, ItemId id) {
    for (const PageItem& item : items)
        if (item.nId == id)
            return &item;
    return nullptr;
}

std::vector<ItemId> Order(const std::vector<PageItem>& items) {
    std::vector<ItemId> ids;
    ids.reserve(items.size());
    for (const PageItem& item : items)
        ids.push_back(item.nId);
    return ids;
}

} // namespace

std::optional<PageStep> DiffPages(const std::string& name, const PageState& before,
                                  const PageState& after) {
    PageStep step;
    step.name = name;
    step.orderBefore = Order(before.items);
    step.orderAfter = Order(after.items);
    for (const PageItem& was : before.items)
        if (const PageItem* now = FindItem(after.items, was.nId); !now || !(*now == was))
            step.before.push_back(was);
    for (const PageItem& now : after.items)
        if (const PageItem* was = FindItem(before.items, now.nId); !was || !(*was == now))
            step.after.push_back(now);
    step.bChangesAlbum =
        !step.before.empty() || !step.after.empty() || step.orderBefore != step.orderAfter;
    if (!(before.templateSlots == after.templateSlots)) {
        step.slotsBefore = before.templateSlots;
        step.slotsAfter = after.templateSlots;
    }
    if (!step.bChangesAlbum && !step.slotsBefore)
        return std::nullopt;
    return step;
}

void ApplyStep(const PageStep& step, bool backwards, PageState& page) {
    const std::vector<ItemId>& order = backwards ? step.orderBefore : step.orderAfter;
    const std::vector<PageItem>& records = backwards ? step.before : step.after;
    std::vector<PageItem> items;
    items.reserve(order.size());
    for (ItemId id : order) {
        const PageItem* item = FindItem(records, id);
        if (!item)
            item = FindItem(page.items, id);
        if (item)
            items.push_back(*item);
    }
    page.items = std::move(items);
    if (const auto& state = backwards ? step.slotsBefore : step.slotsAfter)
        page.templateSlots = *state;
}

void CPageHistory::Clear() {
    m_steps.clear();
    m_done = 0;
    m_saved = 0;
}

void CPageHistory::Push(PageStep step) {
    m_steps.erase(m_steps.begin() + static_cast<long>(m_done), m_steps.end());
    // The saved page was among the steps undone: it can no longer come back.
    if (m_saved > static_cast<long>(m_done))
        m_saved = -1;
    m_steps.push_back(std::move(step));
    ++m_done;
    if (m_steps.size() > kMaxSteps) {
        m_steps.pop_front();
        --m_done;
        m_saved = m_saved > 0 ? m_saved - 1 : -1;
    }
}

const PageStep* CPageHistory::NextUndo() const {
    return m_done > 0 ? &m_steps[m_done - 1] : nullptr;
}

const PageStep* CPageHistory::NextRedo() const {
    return m_done < m_steps.size() ? &m_steps[m_done] : nullptr;
}

const PageStep* CPageHistory::Undo() {
    const PageStep* step = NextUndo();
    if (step)
        --m_done;
    return step;
}

const PageStep* CPageHistory::Redo() {
    const PageStep* step = NextRedo();
    if (step)
        ++m_done;
    return step;
}

void CPageHistory::MarkSaved() {
    m_saved = static_cast<long>(m_done);
}

bool CPageHistory::IsModified() const {
    if (m_saved < 0)
        return true;
    const std::size_t saved = static_cast<std::size_t>(m_saved);
    const std::size_t from = std::min(saved, m_done), to = std::max(saved, m_done);
    for (std::size_t i = from; i < to; ++i)
        if (m_steps[i].bChangesAlbum)
            return true;
    return false;
}
