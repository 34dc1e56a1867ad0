#include "app/document_shell_qt.h"

#include "platform/win/afxmsgbox.h"

#include "dialogs/text_item_dialog.h"
#include "document/album_paths.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/win_app.h"

namespace {
const char kAlbumFilter[] = "Album files (*.alb)|*.alb|";
const char kJpegFilter[] = "JPEG Files (*.jpg)|*.jpg|";
const char kTemplateFilter[] = "Album template files (*.zbt)|*.zbt|";
} // namespace

namespace {

// One file asked for: an existing one to open, or a name to save under.
bool AskPath(QWidget* owner, bool bOpen, const char* defExt, const std::string& initialName,
             const char* filter, std::string& path) {
    const DWORD flags = bOpen ? OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY
                              : OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    CFileDialog dlg(bOpen, defExt, bOpen ? nullptr : initialName.c_str(), flags, filter, owner);
    if (dlg.DoModal() != IDOK)
        return false;
    path = dlg.GetPathName();
    return true;
}

} // namespace

bool CDocumentShellQt::AskAlbumToOpen(std::string& path) {
    return AskPath(m_pOwner, true, "alb", {}, kAlbumFilter, path);
}

bool CDocumentShellQt::AskAlbumToSave(const std::string& initialName, std::string& path) {
    return AskPath(m_pOwner, false, "alb", initialName, kAlbumFilter, path);
}

bool CDocumentShellQt::AskPicturesToOpen(std::vector<std::string>& paths) {
    CFileDialog dlg(TRUE, "jpg", nullptr,
                    OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                    kJpegFilter, m_pOwner);
    if (dlg.DoModal() != IDOK)
        return false;
    paths = dlg.GetPathNames();
    return true;
}

bool CDocumentShellQt::AskTemplateToOpen(std::string& path) {
    return AskPath(m_pOwner, true, "zbt", {}, kTemplateFilter, path);
}

bool CDocumentShellQt::AskTemplateToSave(const std::string& initialName, std::string& path) {
    return AskPath(m_pOwner, false, "zbt", initialName, kTemplateFilter, path);
}

bool CDocumentShellQt::AskPictureToLocate(const std::string& name, std::string& path) {
    CFileDialog dlg(TRUE, "jpg", nullptr, OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                    kJpegFilter, m_pOwner);
    dlg.SetTitle(AfxFormatString2("Locate %1", name));
    if (dlg.DoModal() != IDOK)
        return false;
    path = dlg.GetPathName();
    return true;
}

bool CDocumentShellQt::EditTextItem(TextItemFields& fields) {
    CTextItemDialog dlg(m_pOwner);
    dlg.SetFields(fields);
    if (dlg.DoModal() != IDOK)
        return false;
    fields = dlg.Fields();
    return true;
}

void CDocumentShellQt::AddToRecentFileList(const std::string& path) {
    if (CWinApp* app = AfxGetApp())
        app->AddToRecentFileList(AbsolutePath(path));
}
