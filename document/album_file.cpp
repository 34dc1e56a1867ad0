// Reading (OnOpenDocument) and writing (WriteAlbumFile) album files: the file
// access, the picture decoding and the messages around the album format.

#include "document/album_format.h"
#include "document/album_paths.h"
#include "document/album_view.h"
#include "document/fixed_text.h"
#include "document/placeholders.h"
#include "document/zelbrin_doc.h"
#include "imaging/picture_decoder.h"
#include "platform/win/afxmsgbox.h"
#include "base/safe_file.h"
#include "base/whole_file.h"

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

const char kBadFormat[] = "Unexpected file format.";
const char kBadVersion[] = "Incompatible document version.  Cannot open.";

// The file a picture record is decoded from: its relative path, taken from
// the album's own folder whatever the working directory, or else its full
// path; empty when neither opens (or the name would not fit the item).
std::string PictureFileToOpen(const std::string& albumPath, const AlbumRecord& record) {
    const std::string fromRel = ResolveAgainstAlbum(albumPath, FromFilePath(record.relPath));
    const std::string fromFull = ResolveAgainstAlbum(albumPath, FromFilePath(record.fullPath));
    std::string opened;
    if (IsReadableRegularFile(fromRel))
        opened = fromRel;
    else if (IsReadableRegularFile(fromFull))
        opened = fromFull;
    return opened.size() < MAX_PATH_FIELD ? opened : std::string();
}

// The items of an album's records, the pictures still without pixels (shown
// as placeholder boxes until they arrive); each picture's file to decode
// goes into files and the orientation it is to be turned by (the album's
// record, or the file's own tag) into orientations.
std::vector<PageItem> AlbumItems(const std::string& albumPath,
                                 const std::vector<AlbumRecord>& records,
                                 const std::vector<int>& recorded, std::vector<std::string>& files,
                                 std::vector<int>& orientations) {
    files.assign(records.size(), std::string());
    orientations.assign(records.size(), 1);
    std::vector<PageItem> items;
    items.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        PageItem item = records[i].item;
        item.nOrientation = 0;
        if (item.nKind == ITEM_PICTURE) {
            files[i] = PictureFileToOpen(albumPath, records[i]);
            if (i < recorded.size())
                orientations[i] = recorded[i];
            CopyToField(item.szRelPath, FromFilePath(records[i].relPath));
            // Kept as recorded until its picture arrives: its stored size,
            // place, crop and paths.
            const std::string full = FromFilePath(records[i].fullPath);
            CopyToField(item.szPath,
                        files[i].empty() ? ResolveAgainstAlbum(albumPath, full) : files[i]);
            item.nOrientation = orientations[i];
        }
        items.push_back(item);
    }
    return items;
}

// How often the page is drawn again while pictures arrive (the first is
// shown at once).
constexpr std::chrono::milliseconds kRedrawEvery(250);

} // namespace

bool ReadDocumentFile(const char* path, const char* tooLarge, std::string& contents) {
    switch (ReadWholeFile(path, MAX_ALBUM_FILE_BYTES, contents)) {
    case WholeFileResult::Ok:
        return true;
    case WholeFileResult::NotFound:
        AfxMessageBox(AfxFormatString2("%1 was not found.", path), MB_OK | MB_ICONEXCLAMATION);
        return false;
    case WholeFileResult::NotReadable:
        AfxMessageBox(AfxFormatString2("Unable to read from %1.", path),
                      MB_OK | MB_ICONEXCLAMATION);
        return false;
    case WholeFileResult::TooLarge:
        break;
    }
    AfxMessageBox(tooLarge, MB_OK);
    return false;
}

BOOL CZelbrinDoc::OnOpenDocument(const char* givenPath) {
    // Held absolute, so that Save writes this file wherever the working folder moves.
    const std::string absolutePath = AbsolutePath(givenPath);
    const char* path = absolutePath.c_str();
    if (std::strlen(path) >= sizeof m_szAlbumPath) {
        AfxMessageBox(AfxFormatString2("The file name %1 is too long.", path),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    std::string contents;
    if (!ReadDocumentFile(path, kBadFormat, contents))
        return FALSE;
    const AlbumParse parsed = ParseAlbumText(contents);
    if (parsed.refusal != AlbumRefusal::None) {
        AfxMessageBox(parsed.refusal == AlbumRefusal::WrongVersion ? kBadVersion : kBadFormat,
                      MB_OK);
        return FALSE;
    }

    // The page is replaced only once the whole file has been read.
    std::vector<std::string> missing;
    if (!parsed.extras.orientationProblem.empty())
        std::fprintf(stderr, "%s: the pictures' orientations are ignored: %s\n", path,
                     parsed.extras.orientationProblem.c_str());
    std::vector<std::string> files;
    std::vector<int> orientations;
    const std::vector<PageItem> items =
        AlbumItems(path, parsed.records, parsed.extras.orientations, files, orientations);
    DeleteAllItems();
    for (const PageItem& item : items)
        AppendItem(item);
    ClearHistory();
    SetAlbumPath(path);
    // Places recorded at another resolution keep their inches on this view.
    m_openedExtras = parsed.extras;
    ConvertPlacesToView(parsed.extras.nPixelsPerInch);

    if (!CDocument::OnOpenDocument(path))
        return FALSE;
    // The page at once, every picture's place a box; each picture is filled
    // in as it is decoded.
    if (m_pView)
        m_pView->RedrawPage();
    FillInPictures(files, orientations, missing);
    ClearHistory();
    if (m_pView)
        m_pView->SelectTopItem();
    if (!missing.empty())
        AfxMessageBox(MissingPicturesMessage(missing), MB_OK | MB_ICONEXCLAMATION);
    return TRUE;
}

void CZelbrinDoc::FillInPictures(const std::vector<std::string>& files,
                                 const std::vector<int>& orientations,
                                 std::vector<std::string>& missing) {
    using Clock = std::chrono::steady_clock;
    Clock::time_point lastDrawn{};
    bool shown = false;
    DecodePictures(
        files, 2,
        [&](std::size_t i, DecodedPicture& picture) {
            if (i >= m_items.size() || m_items[i].nKind != ITEM_PICTURE)
                return;
            PageItem& item = m_items[i];
            if (!picture.ok) {
                // A placeholder: its record without pixels.
                missing.push_back(item.szPath);
                return;
            }
            // szPath names the file actually shown, so the next save points at it.
            CopyToField(item.szPath, files[i]);
            item.pPixels = AdoptPixels(picture.pixels);
            item.nSrcWidth = picture.width;
            item.nSrcHeight = picture.height;
            item.nOrientation = picture.orientation;
            const Clock::time_point now = Clock::now();
            if (m_pView && (!shown || now - lastDrawn >= kRedrawEvery)) {
                m_pView->RedrawPage();
                shown = true;
                lastDrawn = now;
            }
        },
        orientations);
}

std::vector<AlbumRecord> CZelbrinDoc::RecordsForFile() const {
    const std::string albumForRel = ToFilePath(AbsolutePath(m_szAlbumPath));
    std::vector<AlbumRecord> records(m_items.size());
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const PageItem& item = m_items[i];
        records[i].item = item;
        if (item.nKind == ITEM_PICTURE) {
            // Computed afresh at every write, so it always leads from the
            // album's current folder to the picture.
            const std::string picture = ToFilePath(AbsolutePath(item.szPath));
            records[i].relPath = RelativePicturePath(albumForRel, picture);
            records[i].fullPath = ToFilePath(item.szPath);
        }
    }
    return records;
}

std::string CZelbrinDoc::RecoveryText() const {
    AlbumExtras extras = ExtrasOfView();
    extras.recoveredAlbum = m_bHasFile && m_szAlbumPath[0] ? AbsolutePath(m_szAlbumPath) : "";
    return FormatAlbumText(RecordsForFile(), extras);
}

BOOL CZelbrinDoc::WriteAlbumFile() {
    const std::vector<AlbumRecord> records = RecordsForFile();
    const std::string out = FormatAlbumText(records, ExtrasOfView());

    SafeFileWriter file;
    bool ok = file.Open(m_szAlbumPath);
    ok = ok && std::fwrite(out.data(), 1, out.size(), file.File()) == out.size();
    ok = ok && file.Commit();
    if (!ok) {
        file.Abandon();
        AfxMessageBox(AfxFormatString2("Failed to save the album to %1.", m_szAlbumPath),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_bAlbumModified = 0;
    m_bHasFile = 1;
    MarkSaved();
    return TRUE;
}

BOOL CZelbrinDoc::OpenRecoveryCopy(const char* path) {
    if (!OnOpenDocument(path))
        return FALSE;
    // The page belongs to the album it was copied from, unsaved.
    const std::string album = m_openedExtras.recoveredAlbum;
    if (album.empty() || !SetAlbumPath(album.c_str())) {
        std::strcpy(m_szAlbumPath, "Untitled.alb");
        m_bHasFile = 0;
        SetTitle("Untitled");
    } else {
        m_bHasFile = 1;
        SetPathName(m_szAlbumPath);
    }
    m_history.MarkUnsaved();
    m_bAlbumModified = 1;
    SetModifiedFlag(TRUE);
    return TRUE;
}
