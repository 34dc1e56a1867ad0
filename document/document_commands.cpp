// The document's commands: opening and saving albums, inserting pictures,
// new text items, duplicating, dropped files and the save prompt.
#include "document/album_paths.h"
#include "document/album_view.h"
#include "document/document_shell.h"
#include "document/fixed_text.h"
#include "document/slot_fit.h"
#include "document/zelbrin_doc.h"
#include "imaging/jpeg_reader.h"
#include "imaging/orientation.h"
#include "imaging/picture_decoder.h"
#include "platform/win/afxmsgbox.h"
#include "res/resource.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>

BEGIN_MESSAGE_MAP(CZelbrinDoc, CDocument)
ON_COMMAND(ID_OPEN_DOCUMENT, OnFileOpenAlbum)
ON_UPDATE_COMMAND_UI(ID_OPEN_DOCUMENT, OnUpdateAlwaysEnabled)
ON_COMMAND(ID_FILE_OPEN, OnFileOpenImage)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateAlwaysEnabled)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateAlwaysEnabled)
ON_COMMAND(ID_NEW_TEXT_ITEM, OnTextNew)
ON_UPDATE_COMMAND_UI(ID_NEW_TEXT_ITEM, OnUpdateAlwaysEnabled)
ON_COMMAND(ID_DUPLICATE_OBJECT, OnEditDuplicate)
ON_UPDATE_COMMAND_UI(ID_DUPLICATE_OBJECT, OnUpdateItemCommand)
ON_UPDATE_COMMAND_UI(ID_DELETE_OBJECT, OnUpdateItemCommand)
ON_COMMAND(ID_LOAD_TEMPLATE, OnTemplateLoad)
ON_COMMAND(ID_SAVE_TEMPLATE, OnTemplateSave)
ON_UPDATE_COMMAND_UI(ID_SAVE_TEMPLATE, OnUpdateAlwaysEnabled)
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
END_MESSAGE_MAP()

namespace {

bool EndsWithNoCase(const char* path, const char* ending) {
    const std::size_t n = std::strlen(path), m = std::strlen(ending);
    if (n < m)
        return false;
    for (std::size_t i = 0; i < m; ++i)
        if (std::tolower(static_cast<unsigned char>(path[n - m + i])) !=
            std::tolower(static_cast<unsigned char>(ending[i])))
            return false;
    return true;
}

} // namespace

void CZelbrinDoc::OnUpdateItemCommand(CCmdUI* pCmdUI) {
    pCmdUI->Enable(GetItemCount() != 0);
}

void CZelbrinDoc::OnUpdateAlwaysEnabled(CCmdUI*) {}

BOOL CZelbrinDoc::AskToSave() {
    if (m_bAlbumModified != 1)
        return TRUE;
    const std::string text = AfxFormatString2("Save changes to %1?", GetTitle());
    switch (AfxMessageBox(text, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        // A save that did not complete keeps the page: the asking command stops.
        return DoSave();
    default:
        return TRUE;
    }
}

BOOL CZelbrinDoc::PromptSaveChanges() {
    return AskToSave();
}

void CZelbrinDoc::TakeOpenedAlbum() {
    SetTitle(FileTitleOf(m_szAlbumPath));
    SetPathName(m_szAlbumPath);
    m_bHasFile = 1;
    m_bAlbumModified = 0;
    if (m_pShell)
        m_pShell->AddToRecentFileList(m_szAlbumPath);
    // The pictures the album brings take their slots: Open Image fills the others.
    ClearSlotsUsed();
    MarkSlotsHoldingPictures();
    // Saved on another paper or orientation: what no longer fits can be pulled in.
    float w = 0.0f, h = 0.0f;
    if (m_pView)
        m_pView->GetPageInches(w, h);
    if (PageInchesDiffer(m_openedExtras, w, h))
        OfferToPullItemsIn();
}

void CZelbrinDoc::OnFileOpenAlbum() {
    ClearSlotsUsed();
    if (!AskToSave())
        return;
    std::string path;
    if (!m_pShell || !m_pShell->AskAlbumToOpen(path) || path.empty())
        return;
    if (OnOpenDocument(path.c_str()))
        TakeOpenedAlbum();
}

BOOL CZelbrinDoc::OpenAlbumByPath(const char* path, bool bAskToSave, bool* pKept) {
    if (pKept)
        *pKept = false;
    if (bAskToSave && !AskToSave()) {
        if (pKept)
            *pKept = true;
        return FALSE;
    }
    if (!OnOpenDocument(path))
        return FALSE;
    TakeOpenedAlbum();
    return TRUE;
}

void CZelbrinDoc::OnFileSave() {
    DoSave();
}

void CZelbrinDoc::OnFileSaveAs() {
    DoSaveAs();
}

BOOL CZelbrinDoc::DoSave() {
    if (m_bHasFile == 1)
        return WriteAlbumFile();
    return DoSaveAs();
}

BOOL CZelbrinDoc::DoSaveAs() {
    std::string path;
    if (!m_pShell || !m_pShell->AskAlbumToSave(GetTitle(), path) || path.empty())
        return FALSE;
    return SaveAlbumAs(path);
}

BOOL CZelbrinDoc::SaveAlbumAs(const std::string& path) {
    const std::string oldPath = m_szAlbumPath;
    const std::string oldTitle = GetTitle();
    if (!SetAlbumPath(path.c_str())) {
        AfxMessageBox(AfxFormatString2("The file name %1 is too long.", path),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetTitle(FileTitleOf(path));
    if (!WriteAlbumFile()) {
        // The album still belongs where it was.
        std::strcpy(m_szAlbumPath, oldPath.c_str());
        SetTitle(oldTitle);
        return FALSE;
    }
    SetPathName(m_szAlbumPath);
    if (m_pShell)
        m_pShell->AddToRecentFileList(m_szAlbumPath);
    if (m_pView)
        m_pView->RedrawPage();
    return TRUE;
}

void CZelbrinDoc::InsertPictureFiles(const std::vector<std::string>& paths) {
    // A path whose absolute form does not fit the item is not decoded.
    std::vector<std::string> files(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string absolutePath = AbsolutePath(paths[i].c_str());
        if (absolutePath.size() < MAX_PATH_FIELD)
            files[i] = absolutePath;
    }
    BeginEdit("Insert Pictures");
    DecodePictures(files, 2, [&](std::size_t i, DecodedPicture& picture) {
        if (files[i].empty())
            m_failedInserts.push_back(paths[i] + " (the path is too long)");
        else if (!picture.ok)
            m_failedInserts.push_back(paths[i] + " (not a readable JPEG picture)");
        else
            AppendPicture(files[i], picture.pixels, picture.width, picture.height,
                          picture.orientation);
    });
    EndEdit();
}

BOOL CZelbrinDoc::AddPicture(const char* givenPath) {
    // Held absolute: the relative path written to the album is computed from it later.
    const std::string absolutePath = AbsolutePath(givenPath);
    if (absolutePath.size() >= MAX_PATH_FIELD)
        return FALSE;
    unsigned char* pixels = nullptr;
    int w = 0, h = 0, orientation = ORIENTATION_FROM_FILE;
    if (!ReadJpegPicture(absolutePath.c_str(), &pixels, &w, &h, 2, &orientation))
        return FALSE;
    BeginEdit("Insert Pictures");
    AppendPicture(absolutePath, pixels, w, h, orientation);
    EndEdit();
    return TRUE;
}

void CZelbrinDoc::AppendPicture(const std::string& absolutePath, unsigned char* pixels, int w,
                                int h, int orientation) {
    PageItem item{};
    item.nKind = ITEM_PICTURE;
    item.nOrientation = orientation;
    item.nSrcWidth = w;
    item.nSrcHeight = h;
    CopyToField(item.szPath, absolutePath);
    item.pPixels = AdoptPixels(pixels);
    item.rcSource = RECT{0, 0, w, h};

    int H = 0, W = 0;
    if (m_pView)
        m_pView->GetClientExtent(H, W);
    const double a = static_cast<double>(w) / static_cast<double>(h);
    int slot = -1;
    for (int i = 0; i < m_nSlotCount && i < MAX_SLOTS; ++i)
        if (m_slots[i].bUsed != 1) {
            slot = i;
            break;
        }
    if (slot >= 0) {
        m_slots[slot].bUsed = 1;
        FitIntoSlot(m_slots[slot], a, W, H, item.rcPlace);
    } else {
        item.rcPlace = CascadePlace(a, W, H, GetItemCount());
    }
    AppendItem(item);
}

std::vector<std::string> CZelbrinDoc::TakeFailedInserts() {
    std::vector<std::string> failed;
    failed.swap(m_failedInserts);
    return failed;
}

void CZelbrinDoc::ReportFailedInserts() {
    const std::vector<std::string> failed = TakeFailedInserts();
    if (failed.empty())
        return;
    std::string text = "These files could not be inserted:\n";
    for (const std::string& f : failed)
        text += "\n" + f;
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void CZelbrinDoc::InsertPictures(const std::vector<std::string>& paths) {
    InsertPictureFiles(paths);
    if (m_pView)
        m_pView->SelectTopItem();
}

void CZelbrinDoc::OnFileOpenImage() {
    std::vector<std::string> paths;
    if (!m_pShell || !m_pShell->AskPicturesToOpen(paths))
        return;
    InsertPictures(paths);
    ReportFailedInserts();
}

void CZelbrinDoc::OpenDroppedFile(const char* path) {
    OpenDroppedFiles({path});
}

void CZelbrinDoc::OpenDroppedFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> pictures;
    for (std::size_t i = 0; i <= paths.size(); ++i) {
        const bool picture = i < paths.size() && EndsWithNoCase(paths[i].c_str(), ".jpg");
        if (picture) {
            pictures.push_back(paths[i]);
            continue;
        }
        // A run of pictures ends here: inserted before the next file is taken.
        InsertPictureFiles(pictures);
        pictures.clear();
        if (i < paths.size() && EndsWithNoCase(paths[i].c_str(), ".alb"))
            OpenAlbumByPath(paths[i].c_str(), true);
    }
}

void CZelbrinDoc::OnTextNew() {
    PageItem item{};
    item.nKind = ITEM_TEXT;
    item.nSrcWidth = 100;
    item.nSrcHeight = 25;
    std::strcpy(item.szFontName, m_szFontName);
    item.bItalic = m_bItalic;
    item.bUnderline = m_bUnderline;
    item.bBold = m_bBold;
    item.crColor = m_crTextColor;
    std::strcpy(item.szText, "some text");
    item.nLines = 1;
    item.rcSource = RECT{0, 0, 100, 25};
    int H = 0, W = 0;
    if (m_pView)
        m_pView->GetClientExtent(H, W);
    item.rcPlace = RECT{W / 2 - 75, H / 2 - 17, W / 2 + 75, H / 2 + 18};

    if (!AskTextFields(item))
        return;
    BeginEdit("New Text");
    AppendItem(item);
    EndEdit();
    if (m_pView)
        m_pView->SelectTopItem();
}

void CZelbrinDoc::OnEditDuplicate() {
    if (GetItemCount() == 0)
        return;
    PageItem copy = GetLastItem();
    // Ten pixels down and right, held within the 32-bit range.
    for (LONG* v :
         {&copy.rcPlace.left, &copy.rcPlace.top, &copy.rcPlace.right, &copy.rcPlace.bottom})
        *v = static_cast<LONG>(std::min<long long>(*v + 10ll, INT32_MAX));
    // A picture's copy shares its pixels, which never change.
    BeginEdit("Duplicate");
    AppendItem(copy);
    EndEdit();
    if (m_pView)
        m_pView->SelectTopItem();
}
