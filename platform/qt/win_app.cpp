#include "platform/qt/win_app.h"
#include "platform/win/app_resources.h"

#include "platform/qt/doc_template.h"
#include "platform/qt/frame_wnd.h"

#include <QAction>
#include <QMenu>

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QWidget>

#include <climits>

namespace {

CWinApp* g_pApp = nullptr;

QString Key(LPCSTR section, LPCSTR entry) {
    return QString::fromUtf8(section) + '/' + QString::fromUtf8(entry);
}

} // namespace

CWinApp* AfxGetApp() {
    return g_pApp;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, OnOpenRecentFile)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* pszAppName)
    : m_strAppName(pszAppName ? pszAppName : AfxLoadString(AFX_IDS_APP_TITLE)) {
    g_pApp = this;
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* pTemplate) {
    m_pDocTemplate = pTemplate;
    if (!pTemplate)
        return;
    pTemplate->m_pAppTarget = this;
    pTemplate->m_onFrameMade = [this](CFrameWnd* frame) {
        if (!m_pMainWnd)
            m_pMainWnd = frame;
    };
    pTemplate->m_onFrameGone = [this](CFrameWnd* frame) {
        if (m_pMainWnd == frame)
            m_pMainWnd = nullptr;
    };
}

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

int CWinApp::ExitInstance() {
    if (m_pRecentFileList)
        SaveStdProfileSettings();
    return 0;
}

int CWinApp::Run() {
    if (QCoreApplication::instance())
        QCoreApplication::exec();
    // The loop also ends when the desktop session ends with the frame still
    // open: the frame and its view are destroyed here either way, so that the
    // view stores its settings.
    if (m_pDocTemplate)
        m_pDocTemplate->CloseAllDocuments();
    return ExitInstance();
}

void CWinApp::SetRegistryKey(const char* pszKey) {
    m_strRegistryKey = pszKey ? pszKey : "";
    m_pSettings.reset();
}

void CWinApp::SetProfileRoot(const std::string& folder) {
    QString dir = QString::fromStdString(folder);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir);
}

void CWinApp::SetProfileName(const char* pszName, const char* pszOldKey, const char* pszOldName) {
    m_strProfileName = pszName ? pszName : "";
    m_strOldKey = pszOldKey ? pszOldKey : "";
    m_strOldName = pszOldName ? pszOldName : "";
    m_pSettings.reset();
}

QSettings& CWinApp::Store() {
    if (m_pSettings)
        return *m_pSettings;
    const std::string& name = m_strProfileName.empty() ? m_strAppName : m_strProfileName;
    m_pSettings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                              QString::fromStdString(m_strRegistryKey),
                                              QString::fromStdString(name));
    if (!m_strOldName.empty() && !QFile::exists(m_pSettings->fileName())) {
        // The settings of an earlier version, taken over once.
        QSettings old(QSettings::NativeFormat, QSettings::UserScope,
                      QString::fromStdString(m_strOldKey), QString::fromStdString(m_strOldName));
        if (QFile::exists(old.fileName())) {
            for (const QString& key : old.allKeys())
                m_pSettings->setValue(key, old.value(key));
            m_pSettings->sync();
        }
    }
    return *m_pSettings;
}

UINT CWinApp::GetProfileInt(LPCSTR section, LPCSTR entry, int nDefault) {
    // A stored text that is not a whole number within the int range gives the
    // default (QVariant's toInt would wrap a larger number around).
    QVariant v = Store().value(Key(section, entry));
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    if (!ok || n < INT_MIN || n > INT_MAX)
        return static_cast<UINT>(nDefault);
    return static_cast<UINT>(static_cast<int>(n));
}

std::string CWinApp::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR pszDefault) {
    QVariant v = Store().value(Key(section, entry));
    if (!v.isValid())
        return pszDefault ? pszDefault : "";
    return v.toString().toStdString();
}

BOOL CWinApp::WriteProfileInt(LPCSTR section, LPCSTR entry, int nValue) {
    QSettings& s = Store();
    s.setValue(Key(section, entry), nValue);
    s.sync();
    return s.status() == QSettings::NoError;
}

BOOL CWinApp::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value) {
    QSettings& s = Store();
    if (!entry)
        s.remove(QString::fromUtf8(section));
    else if (!value)
        s.remove(Key(section, entry));
    else
        s.setValue(Key(section, entry), QString::fromUtf8(value));
    s.sync();
    return s.status() == QSettings::NoError;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    m_pRecentFileList = std::make_unique<CRecentFileList>(static_cast<int>(nMaxMRU));
    std::vector<std::string> paths;
    for (int i = 0; i < static_cast<int>(nMaxMRU); ++i)
        paths.push_back(GetProfileString(m_pRecentFileList->GetSection().c_str(),
                                         m_pRecentFileList->GetEntryName(i).c_str()));
    m_pRecentFileList->SetPaths(paths);
    m_nNumPreviewPages = static_cast<int>(GetProfileInt("Settings", "PreviewPages", 0));
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList) {
        const CRecentFileList& list = *m_pRecentFileList;
        for (int i = 0; i < list.GetSize(); ++i)
            WriteProfileString(list.GetSection().c_str(), list.GetEntryName(i).c_str(),
                               i < list.GetCount() ? list[i].c_str() : nullptr);
    }
    WriteProfileInt("Settings", "PreviewPages", m_nNumPreviewPages);
}

void CWinApp::AddToRecentFileList(const std::string& path) {
    if (m_pRecentFileList)
        m_pRecentFileList->Add(path);
}

CDocument* CWinApp::OpenDocumentFile(const char* path) {
    if (!m_pDocTemplate || !path)
        return nullptr;
    CDocument* doc = m_pDocTemplate->OpenDocumentFile(path);
    if (doc)
        AddToRecentFileList(path);
    return doc;
}

void CWinApp::OnFileNew() {
    if (m_pDocTemplate)
        m_pDocTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnOpenRecentFile(UINT nID) {
    if (!m_pRecentFileList)
        return;
    int n = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (n < 0 || n >= m_pRecentFileList->GetCount())
        return;
    std::string path = (*m_pRecentFileList)[n];
    if (OpenDocumentFile(path.c_str())) {
        AddToRecentFileList(path); // first again, whatever the override did
        return;
    }
    // Opening may have reordered the list: drop the entry by its path.
    for (int i = 0; i < m_pRecentFileList->GetCount(); ++i) {
        if ((*m_pRecentFileList)[i] == path) {
            m_pRecentFileList->Remove(i);
            break;
        }
    }
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd)
        m_pMainWnd->close();
}

int AfxWinMain(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    for (int i = 1; i < argc; ++i)
        app->m_args.emplace_back(argv[i]);
    if (!app->InitInstance()) {
        app->ExitInstance();
        return 1;
    }
    return app->Run();
}

// The frame's dealings with the application: its command route ends at the
// application, its File menu shows the recent-file list, and dropped files
// open as documents.
std::vector<CCmdTarget*> CFrameWnd::GetCommandRoute() const {
    if (!m_route.empty())
        return m_route;
    std::vector<CCmdTarget*> route{const_cast<CFrameWnd*>(this)};
    if (CWinApp* app = AfxGetApp())
        route.push_back(app);
    return route;
}

void CFrameWnd::UpdateRecentFileItems(QMenu* menu) {
    QAction* placeholder = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->property("placeholder").toBool())
            placeholder = action;
    }
    if (!placeholder)
        return;
    for (QAction* action : m_recentFileActions) {
        menu->removeAction(action);
        delete action;
    }
    m_recentFileActions.clear();
    CWinApp* app = AfxGetApp();
    CRecentFileList* list = app ? app->GetRecentFileList() : nullptr;
    int count = list ? list->GetCount() : 0;
    // The grey placeholder shows only while the list is empty.
    placeholder->setVisible(count == 0);
    QList<QAction*> all = menu->actions();
    QAction* before = nullptr;
    int at = static_cast<int>(all.indexOf(placeholder));
    if (at + 1 < all.size())
        before = all[at + 1];
    for (int i = 0; i < count; ++i) {
        UINT nID = ID_FILE_MRU_FILE1 + static_cast<UINT>(i);
        auto* action = new QAction(QString::fromStdString(list->GetMenuText(i)), menu);
        action->setData(nID);
        action->setStatusTip(QString::fromStdString(AfxCommandPrompt(nID)));
        connect(action, &QAction::triggered, this, [this, nID] { OnCommand(nID); });
        menu->insertAction(before, action);
        m_recentFileActions.push_back(action);
    }
}

void CFrameWnd::OnDropFiles(const std::vector<std::string>& paths) {
    if (CWinApp* app = AfxGetApp()) {
        for (const std::string& p : paths)
            app->OpenDocumentFile(p.c_str());
    }
}
