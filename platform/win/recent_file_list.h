// The recent-file list: at most a fixed number of paths, most recent first.
#pragma once

#include <string>
#include <vector>

class CRecentFileList {
public:
    // nSize entries; stored under section as entry%d, counted from 1.
    CRecentFileList(int nSize, const char* section = "Recent File List",
                    const char* entryFormat = "File%d");

    int GetSize() const { return m_nSize; }
    // Number of paths held (at most GetSize()).
    int GetCount() const { return static_cast<int>(m_paths.size()); }
    const std::string& operator[](int nIndex) const { return m_paths[nIndex]; }

    // Puts path first; an entry already listed moves up, the oldest falls off.
    void Add(const std::string& path);
    void Remove(int nIndex);

    // The text of menu entry nIndex: "&1 path" with '&' in the path doubled.
    std::string GetMenuText(int nIndex) const;

    const std::string& GetSection() const { return m_section; }
    // The store entry name of position nIndex ("File1" for 0).
    std::string GetEntryName(int nIndex) const;
    // Replaces the list with paths in order; empty texts are skipped.
    void SetPaths(const std::vector<std::string>& paths);

private:
    int m_nSize;
    std::string m_section;
    std::string m_entryFormat;
    std::vector<std::string> m_paths;
};
