#include "platform/win/recent_file_list.h"

#include "base/c_locale.h"

#include <algorithm>

CRecentFileList::CRecentFileList(int nSize, const char* section, const char* entryFormat)
    : m_nSize(std::max(nSize, 0)), m_section(section), m_entryFormat(entryFormat) {}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty() || m_nSize == 0)
        return;
    auto it = std::find(m_paths.begin(), m_paths.end(), path);
    if (it != m_paths.end())
        m_paths.erase(it);
    m_paths.insert(m_paths.begin(), path);
    if (GetCount() > m_nSize)
        m_paths.resize(static_cast<std::size_t>(m_nSize));
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex >= 0 && nIndex < GetCount())
        m_paths.erase(m_paths.begin() + nIndex);
}

std::string CRecentFileList::GetMenuText(int nIndex) const {
    std::string text = "&" + std::to_string(nIndex + 1) + " ";
    for (char c : m_paths.at(static_cast<std::size_t>(nIndex))) {
        text += c;
        if (c == '&')
            text += '&';
    }
    return text;
}

std::string CRecentFileList::GetEntryName(int nIndex) const {
    return FormatC(m_entryFormat.c_str(), nIndex + 1);
}

void CRecentFileList::SetPaths(const std::vector<std::string>& paths) {
    m_paths.clear();
    for (const std::string& p : paths) {
        if (!p.empty() && GetCount() < m_nSize)
            m_paths.push_back(p);
    }
}
