#include "app/document_shell_qt.h"

#include "dialogs/text_item_dialog.h"
#include "document/album_paths.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/win_app.h"

namespace {
const char kAlbumFilter[] = "Album files (*.alb)|*.alb|";
const char kJpegFilter[] = "JPEG Files (*.jpg)|*.jpg|";
const char kTemplateFilter[] = "Album template files (*.zbt)|*.zbt|";
} // namespace

bool CDocumentShellQt::AskAlbumToOpen(std::string& path) {
    CFileDialog dlg(TRUE, "alb", nullptr, OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                    kAlbumFilter, m_pOwner);
    if (dlg.DoModal() != IDOK)
        return false;
    path = dlg.GetPathName();
    return true;
}

bool CDocumentShellQt::AskAlbumToSave(const std::string& initialName, std::string& path) {
    CFileDialog dlg(FALSE, "alb", initialName.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    kAlbumFilter, m_pOwner);
    if (dlg.DoModal() != IDOK)
        return false;
    path = dlg.GetPathName();
    return true;
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
    CFileDialog dlg(TRUE, "zbt", nullptr, OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                    kTemplateFilter, m_pOwner);
    if (dlg.DoModal() != IDOK)
        return false;
    path = dlg.GetPathName();
    return true;
}

bool CDocumentShellQt::AskTemplateToSave(const std::string& initialName, std::string& path) {
    CFileDialog dlg(FALSE, "zbt", initialName.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    kTemplateFilter, m_pOwner);
    if (dlg.DoModal() != IDOK)
        return false;
    path = dlg.GetPathName();
    return true;
}

bool CDocumentShellQt::EditTextItem(TextItemFields& fields) {
    CTextItemDialog dlg(m_pOwner);
    dlg.m_strText = fields.text;
    dlg.m_nBold = fields.bBold;
    dlg.m_nItalic = fields.bItalic;
    dlg.m_nUnderline = fields.bUnderline;
    dlg.m_strFont = fields.fontName;
    if (dlg.DoModal() != IDOK)
        return false;
    fields.text = dlg.m_strText;
    fields.bBold = dlg.m_nBold;
    fields.bItalic = dlg.m_nItalic;
    fields.bUnderline = dlg.m_nUnderline;
    fields.fontName = dlg.m_strFont;
    return true;
}

void CDocumentShellQt::AddToRecentFileList(const std::string& path) {
    if (CWinApp* app = AfxGetApp())
        app->AddToRecentFileList(AbsolutePath(path));
}
