// The application object: settings store, recent-file list, the commands the
// application answers (recent files, Exit) and the message loop.
#pragma once

#include "platform/win/cmdtarget.h"
#include "platform/win/app_resources.h"
#include "platform/win/recent_file_list.h"

#include <memory>
#include <string>
#include <vector>

class CDocument;
class CSingleDocTemplate;
class QSettings;
class QWidget;

class CWinApp : public CCmdTarget {
public:
    // The application title; without one, string 57344 of the string table.
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    // Writes the recent-file list and the preview page count; returns the exit code.
    virtual int ExitInstance();
    // Runs the message loop until the last window closes, destroys document
    // and frame, then ExitInstance.
    virtual int Run();

    // Keeps the settings in the per-user store under organisation pszKey and
    // the application title (a registry key on Windows, a file elsewhere).
    void SetRegistryKey(const char* pszKey);
    // The settings live in <user config>/<registry key>/<name>.conf (the
    // application's name unless set here); a store that does not exist yet
    // starts as a copy of the one of oldKey and oldName, when that exists.
    void SetProfileName(const char* pszName, const char* pszOldKey = nullptr,
                        const char* pszOldName = nullptr);
    UINT GetProfileInt(LPCSTR section, LPCSTR entry, int nDefault);
    std::string GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR pszDefault = "");
    BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int nValue);
    // A null value removes the entry, a null entry the whole section.
    BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);
    // Keeps every store under folder instead of the user's own (used by tests).
    static void SetProfileRoot(const std::string& folder);

    // Reads the recent-file list (room for nMaxMRU paths) and "Settings"/"PreviewPages".
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(const std::string& path);
    CRecentFileList* GetRecentFileList() { return m_pRecentFileList.get(); }

    // Registers the one document template; the application keeps it.
    // The one document template (null removes it); its frame becomes the main window.
    void AddDocTemplate(CSingleDocTemplate* pTemplate);
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    // Opens the file at path through the template and lists it as recent.
    // Returns the document, or null when it could not be opened.
    virtual CDocument* OpenDocumentFile(const char* path);

    const std::string& GetAppName() const { return m_strAppName; }
    const std::string& GetRegistryKey() const { return m_strRegistryKey; }

    QWidget* m_pMainWnd = nullptr;
    int m_nNumPreviewPages = 0;
    // The command-line arguments after the program name.
    std::vector<std::string> m_args;

protected:
    // The framework's new-document step through the template; the
    // application maps it to ID_FILE_NEW.
    void OnFileNew();
    // Recent-file entries 57616 to 57619: opens the entry; drops it when that fails.
    void OnOpenRecentFile(UINT nID);
    // Exit: sends the close request to the main frame.
    void OnAppExit();

    DECLARE_MESSAGE_MAP()

private:
    QSettings& Store();

    std::string m_strAppName;
    std::string m_strRegistryKey;
    std::string m_strProfileName, m_strOldKey, m_strOldName;
    std::unique_ptr<QSettings> m_pSettings;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    CSingleDocTemplate* m_pDocTemplate = nullptr;
};

// The one application object, or null.
CWinApp* AfxGetApp();

// Program entry: makes the Qt application, runs InitInstance of the one
// application object and then its message loop.
int AfxWinMain(int argc, char** argv);
