#include "platform/win/document.h"

#include "platform/win/afxmsgbox.h"
#include "base/safe_file.h"

#include <cstdio>

void CDocument::SetTitle(const std::string& title) {
    m_strTitle = title;
    if (m_onTitleChanged)
        m_onTitleChanged();
}

void CDocument::SetPathName(const std::string& path) {
    m_strPathName = path;
    SetTitle(FileTitleOf(path));
}

BOOL CDocument::OnNewDocument() {
    m_strPathName.clear();
    m_bModified = FALSE;
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path) {
    std::FILE* f = OpenRegularFileForReading(path);
    if (!f) {
        AfxMessageBox(AfxFormatString2("%1 was not found.", path), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    std::fclose(f);
    m_bModified = FALSE;
    return TRUE;
}

std::string FileTitleOf(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
