// The framework's document: title, path name and its own modified flag. It is a
// command target, the second in the route after the view.
#pragma once

#include "platform/win/cmdtarget.h"
#include "platform/win/wintypes.h"

#include <functional>
#include <string>

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const std::string& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(const std::string& path);

    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Standard new-document step: forgets the path and clears the modified flag.
    virtual BOOL OnNewDocument();
    // Standard open step: opens the file again (reads nothing) and clears the
    // modified flag; reports a file error and returns FALSE when it cannot.
    virtual BOOL OnOpenDocument(const char* path);
    virtual void Serialize() {}

    // Called after every title change (the frame refreshes its caption).
    std::function<void()> m_onTitleChanged;

private:
    std::string m_strTitle;
    std::string m_strPathName;
    BOOL m_bModified = FALSE;
};

// The name of a file without folder and without the part from its last '.'.
std::string FileTitleOf(const std::string& path);
