// The application: start-up, the one document template, the About box and
// the recent-file list.
#pragma once

#include "platform/qt/win_app.h"

#include <memory>
#include <string>

class CDocumentShellQt;
class CMainFrame;
class CSingleDocTemplate;
class CZelbrinDoc;
class CZelbrinView;

class CRecovery;

class CZelbrinApp : public CWinApp {
public:
    CZelbrinApp();
    ~CZelbrinApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    // Opens the album at path as the recent-file list does: asks to save first.
    CDocument* OpenDocumentFile(const char* path) override;
    void OnAppAbout();

    CZelbrinDoc* GetDocument() const;
    CZelbrinView* GetView() const;
    CMainFrame* GetMainFrame() const;

protected:
    // Recent-file entries: an entry that fails to open leaves the list; one the
    // user decided not to open (kept the page) stays.
    void OnRecentFile(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CSingleDocTemplate> m_pTemplate;
    std::unique_ptr<CDocumentShellQt> m_pShell;
    std::unique_ptr<CRecovery> m_pRecovery;
};
