#include "document/page_history.h"

#include <algorithm>
#include <unordered_map>

namespace {

// The items of a page by identity, for finding each in one look-up.
class ItemIndex {
public:
    explicit ItemIndex(const std::vector<PageItem>& items) {
        m_byId.reserve(items.size());
        for (const PageItem& item : items)
            m_byId.emplace(item.nId, &item);
    }
    const PageItem* Find(ItemId id) const {
        const auto it = m_byId.find(id);
        return it == m_byId.end() ? nullptr : it->second;
    }

private:
    std::unordered_map<ItemId, const PageItem*> m_byId;
};

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
    const ItemIndex beforeById(before.items), afterById(after.items);
    for (const PageItem& was : before.items)
        if (const PageItem* now = afterById.Find(was.nId); !now || !(*now == was))
            step.before.push_back(was);
    for (const PageItem& now : after.items)
        if (const PageItem* was = beforeById.Find(now.nId); !was || !(*was == now))
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
    const ItemIndex recorded(records), current(page.items);
    std::vector<PageItem> items;
    items.reserve(order.size());
    for (ItemId id : order) {
        const PageItem* item = recorded.Find(id);
        if (!item)
            item = current.Find(id);
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
