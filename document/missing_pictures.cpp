// Find Missing Pictures: placeholders get their pictures back from files
// found near the album or located by the user.
#include "document/album_paths.h"
#include "document/document_shell.h"
#include "document/find_missing.h"
#include "document/fixed_text.h"
#include "document/placeholders.h"
#include "document/zelbrin_doc.h"
#include "imaging/jpeg_reader.h"

#include <filesystem>

namespace {

std::string FolderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

} // namespace

bool CZelbrinDoc::HasPlaceholders() const {
    for (const PageItem& item : m_items)
        if (IsPlaceholder(item))
            return true;
    return false;
}

bool CZelbrinDoc::FillPlaceholder(int nIndex, const std::string& file) {
    PageItem item = ItemAt(nIndex);
    const std::string absolutePath = AbsolutePath(file);
    unsigned char* pixels = nullptr;
    int w = 0, h = 0, orientation = PictureOrientation(item);
    if (absolutePath.size() >= MAX_PATH_FIELD ||
        !ReadJpegPicture(absolutePath.c_str(), &pixels, &w, &h, 2, &orientation))
        return false;
    // Its place and crop stay; the pixels and the path are the file's.
    CopyToField(item.szPath, absolutePath);
    item.pPixels = AdoptPixels(pixels);
    item.nSrcWidth = w;
    item.nSrcHeight = h;
    SetItem(nIndex, item);
    return true;
}

int CZelbrinDoc::FindMissingPictures() {
    if (!HasPlaceholders())
        return 0;
    const std::string albumFolder =
        m_szAlbumPath[0] ? FolderOf(AbsolutePath(m_szAlbumPath)) : AbsolutePath(".");
    BeginEdit("Find Missing Pictures");
    int found = 0;
    for (int i = 0; i < GetItemCount(); ++i)
        if (IsPlaceholder(ItemAt(i))) {
            const std::string file = FindPictureNear(albumFolder, ItemAt(i).szPath);
            found += !file.empty() && FillPlaceholder(i, file);
        }
    // The rest, one file dialog each; a chosen file's folder may hold others.
    for (int i = 0; i < GetItemCount() && m_pShell; ++i) {
        if (!IsPlaceholder(ItemAt(i)))
            continue;
        std::string chosen;
        const std::string name = std::filesystem::path(ItemAt(i).szPath).filename().string();
        if (!m_pShell->AskPictureToLocate(name, chosen) || !FillPlaceholder(i, chosen))
            continue;
        ++found;
        for (int j = i + 1; j < GetItemCount(); ++j)
            if (IsPlaceholder(ItemAt(j))) {
                const std::string file =
                    FindPictureIn(FolderOf(AbsolutePath(chosen)), ItemAt(j).szPath);
                found += !file.empty() && FillPlaceholder(j, file);
            }
    }
    EndEdit();
    return found;
}
