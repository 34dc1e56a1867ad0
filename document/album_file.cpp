// The album file: reading (OnOpenDocument) and writing (WriteAlbumFile).
//
// The file is text written line by line; every line ends with CR LF, also a
// line break inside a text (so such a break stands as CR CR LF on disk).
// Reading turns CR LF into LF, splits at LF and skips empty lines.

#include "document/album_paths.h"
#include "document/album_view.h"
#include "document/fixed_text.h"
#include "document/zelbrin_doc.h"
#include "imaging/jpeg_reader.h"
#include "platform/win/afxmsgbox.h"
#include "platform/win/c_locale.h"
#include "platform/win/safe_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace {

const char kBadFormat[] = "Unexpected file format.";
const char kBadVersion[] = "Incompatible document version.  Cannot open.";

// ---- reading -------------------------------------------------------------

// The file's lines after text-mode translation, empty ones left out.
class LineReader {
public:
    explicit LineReader(const std::string& contents) {
        std::string text;
        text.reserve(contents.size());
        for (std::size_t i = 0; i < contents.size(); ++i) {
            if (contents[i] == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n')
                continue; // CR LF reads as LF
            text += contents[i];
        }
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            if (end > start)
                m_lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
    }

    bool Next(std::string& line) {
        if (m_pos >= m_lines.size())
            return false;
        line = m_lines[m_pos++];
        return true;
    }
    std::size_t Remaining() const { return m_lines.size() - m_pos; }

private:
    std::vector<std::string> m_lines;
    std::size_t m_pos = 0;
};

// Parses exactly count decimal integers separated by blanks, each within
// [lo, hi]; anything else on the line makes it fail.
bool ParseIntegers(const std::string& line, long long* out, int count, long long lo, long long hi) {
    const char* p = line.c_str();
    for (int i = 0; i < count; ++i) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p != '-' && *p != '+' && (*p < '0' || *p > '9'))
            return false;
        char* end = nullptr;
        errno = 0;
        long long v = std::strtoll(p, &end, 10);
        if (end == p || errno == ERANGE || v < lo || v > hi)
            return false;
        out[i] = v;
        p = end;
    }
    while (*p == ' ' || *p == '\t' || *p == '\r')
        ++p;
    return *p == '\0';
}

bool ParseRect(const std::string& line, RECT& rc) {
    long long v[4];
    if (!ParseIntegers(line, v, 4, INT32_MIN, INT32_MAX))
        return false;
    rc.top = static_cast<LONG>(v[0]);
    rc.left = static_cast<LONG>(v[1]);
    rc.bottom = static_cast<LONG>(v[2]);
    rc.right = static_cast<LONG>(v[3]);
    return true;
}

enum class ReadResult { Ok, Malformed };

// Reads a text item's text lines: each line loses its last character (the CR
// left of an inner line break, or the closing "^") and is followed by CR LF; a
// line that is "^" alone ends the text and adds nothing.
bool ReadText(LineReader& lines, PageItem& item) {
    std::string text;
    std::string line;
    if (!lines.Next(line))
        return false;
    bool ended = line.back() == '^';
    line.pop_back();
    text = line + "\r\n";
    int nLines = 1;
    while (!ended) {
        if (!lines.Next(line))
            return false;
        if (line == "^")
            break;
        ended = line.back() == '^';
        line.pop_back();
        text += line + "\r\n";
        ++nLines;
    }
    // A text at the field's limit loses the line break the reader added
    // rather than any of its own characters.
    if (text.size() > MAX_TEXT_CHARS && text.size() - 2 <= MAX_TEXT_CHARS)
        text.resize(text.size() - 2);
    CopyToField(item.szText, text);
    item.nLines = nLines;
    return true;
}

// Reads one record into item; pictures are decoded and dropped (with their
// path added to missing) when neither of their paths gives a picture.
ReadResult ReadRecord(LineReader& lines, const std::string& albumPath, PageItem& item, bool& keep,
                      std::vector<std::string>& missing) {
    item = PageItem{};
    keep = true;
    std::string line;
    long long head[3];
    if (!lines.Next(line) || !ParseIntegers(line, head, 3, INT32_MIN, INT32_MAX))
        return ReadResult::Malformed;
    if (head[0] != ITEM_PICTURE && head[0] != ITEM_TEXT)
        return ReadResult::Malformed;
    item.nKind = static_cast<std::int16_t>(head[0]);
    item.nSrcWidth = static_cast<std::int32_t>(head[1]);
    item.nSrcHeight = static_cast<std::int32_t>(head[2]);

    if (item.nKind == ITEM_PICTURE) {
        std::string relLine, fullLine;
        if (!lines.Next(relLine) || !lines.Next(fullLine))
            return ReadResult::Malformed;
        std::string relPath = FromFilePath(relLine);
        std::string fullPath = FromFilePath(fullLine);
        // The relative path is taken from the album's own folder, whatever
        // the working directory; the full path serves when it does not resolve.
        std::string fromRel = ResolveAgainstAlbum(albumPath, relPath);
        std::string fromFull = ResolveAgainstAlbum(albumPath, fullPath);
        std::string opened;
        if (IsReadableRegularFile(fromRel))
            opened = fromRel;
        else if (IsReadableRegularFile(fromFull))
            opened = fromFull;
        unsigned char* pixels = nullptr;
        int w = 0, h = 0;
        if (opened.empty() || opened.size() >= MAX_PATH_FIELD ||
            !ReadJpegPicture(opened.c_str(), &pixels, &w, &h, 2)) {
            keep = false;
            missing.push_back(fullPath);
        } else {
            // szPath names the file actually shown, so the next save points at it.
            CopyToField(item.szPath, opened);
            CopyToField(item.szRelPath, relPath);
            item.pPixels = pixels;
            item.nSrcWidth = w;
            item.nSrcHeight = h;
        }
    } else {
        if (!ReadText(lines, item))
            return ReadResult::Malformed;
        if (!lines.Next(line))
            return ReadResult::Malformed;
        CopyToField(item.szFontName, line);
        long long style[4];
        if (!lines.Next(line))
            return ReadResult::Malformed;
        if (!ParseIntegers(line, style, 4, INT32_MIN, UINT32_MAX) || style[1] < INT16_MIN ||
            style[1] > INT16_MAX || style[2] < INT16_MIN || style[2] > INT16_MAX ||
            style[3] < INT16_MIN || style[3] > INT16_MAX)
            return ReadResult::Malformed;
        item.crColor = static_cast<COLORREF>(style[0]);
        item.bItalic = static_cast<std::int16_t>(style[1]);
        item.bUnderline = static_cast<std::int16_t>(style[2]);
        item.bBold = static_cast<std::int16_t>(style[3]);
    }

    if (!lines.Next(line) || !ParseRect(line, item.rcPlace))
        return ReadResult::Malformed;
    if (!lines.Next(line) || !ParseRect(line, item.rcSource))
        return ReadResult::Malformed;
    return ReadResult::Ok;
}

// Reads a whole file of at most MAX_ALBUM_FILE_BYTES; false with a message.
bool ReadWholeFile(const char* path, std::string& contents) {
    struct stat st {};
    if (stat(path, &st) != 0) {
        AfxMessageBox(AfxFormatString2("%1 was not found.", path), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        AfxMessageBox(AfxFormatString2("Unable to read from %1.", path),
                      MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (st.st_size > MAX_ALBUM_FILE_BYTES) {
        AfxMessageBox(kBadFormat, MB_OK);
        return false;
    }
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        AfxMessageBox(AfxFormatString2("Unable to read from %1.", path),
                      MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    contents.clear();
    char buffer[65536];
    std::size_t n;
    bool ok = true;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        contents.append(buffer, n);
        if (contents.size() > static_cast<std::size_t>(MAX_ALBUM_FILE_BYTES)) {
            ok = false;
            break;
        }
    }
    ok = ok && !std::ferror(f);
    std::fclose(f);
    if (!ok)
        AfxMessageBox(kBadFormat, MB_OK);
    return ok;
}

// ---- writing -------------------------------------------------------------

// Text mode: every LF written is preceded by a CR.
void AppendLine(std::string& out, const std::string& line) {
    for (char c : line) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    out += "\r\n";
}

// A text item's text as written: its line breaks are CR LF, and a lone LF gets
// its CR so that the line reads back whole.
std::string TextForFile(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n' && (p == text || p[-1] != '\r'))
            out += '\r';
        out += *p;
    }
    return out;
}

std::string RectLine(const RECT& rc) {
    return FormatC("%ld %ld %ld %ld", static_cast<long>(rc.top), static_cast<long>(rc.left),
                   static_cast<long>(rc.bottom), static_cast<long>(rc.right));
}

} // namespace

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
    if (!ReadWholeFile(path, contents))
        return FALSE;
    LineReader lines(contents);
    std::string line;
    long long version = 0;
    if (!lines.Next(line) || !ParseIntegers(line, &version, 1, LLONG_MIN, LLONG_MAX)) {
        AfxMessageBox(kBadFormat, MB_OK);
        return FALSE;
    }
    if (version != ALBUM_FILE_VERSION) {
        AfxMessageBox(kBadVersion, MB_OK);
        return FALSE;
    }
    long long count = 0;
    // Every record takes at least five lines, which bounds a sane count.
    if (!lines.Next(line) || !ParseIntegers(line, &count, 1, 0, INT32_MAX) ||
        static_cast<unsigned long long>(count) * 5 > lines.Remaining()) {
        AfxMessageBox(kBadFormat, MB_OK);
        return FALSE;
    }

    // Read into new records first; the page is replaced only when all is well.
    std::vector<PageItem> items;
    std::vector<std::string> missing;
    items.reserve(static_cast<std::size_t>(count));
    for (long long i = 0; i < count; ++i) {
        PageItem item;
        bool keep = false;
        if (ReadRecord(lines, path, item, keep, missing) != ReadResult::Ok) {
            FreeItemPictures(items);
            if (keep)
                std::free(item.pPixels);
            AfxMessageBox(kBadFormat, MB_OK);
            return FALSE;
        }
        if (keep)
            items.push_back(item);
    }

    DeleteAllItems();
    m_items = std::move(items);
    SetAlbumPath(path);

    if (!CDocument::OnOpenDocument(path))
        return FALSE;
    if (m_pView)
        m_pView->SelectTopItem();
    if (!missing.empty()) {
        std::string text = "These pictures of the album could not be found or read and were "
                           "left out of the page:\n";
        for (const std::string& m : missing)
            text += "\n" + m;
        text += "\n\nSaving the album now would leave them out of the file.";
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    }
    return TRUE;
}

BOOL CZelbrinDoc::WriteAlbumFile() {
    const std::string albumForRel = ToFilePath(AbsolutePath(m_szAlbumPath));
    std::string out;
    AppendLine(out, FormatC("%d", ALBUM_FILE_VERSION));
    AppendLine(out, FormatC("%d", GetItemCount()));
    for (const PageItem& item : m_items) {
        AppendLine(out, FormatC("%hd %ld %ld", item.nKind, static_cast<long>(item.nSrcWidth),
                                static_cast<long>(item.nSrcHeight)));
        if (item.nKind == ITEM_PICTURE) {
            // Computed afresh at every write, so it always leads from the
            // album's current folder to the picture.
            const std::string picture = ToFilePath(AbsolutePath(item.szPath));
            AppendLine(out, RelativePicturePath(albumForRel, picture));
            AppendLine(out, ToFilePath(item.szPath));
        } else {
            AppendLine(out, TextForFile(item.szText) + "^");
            // An empty line would not read back, so a nameless font is written as Arial.
            AppendLine(out, item.szFontName[0] ? item.szFontName : "Arial");
            AppendLine(out, FormatC("%ld %hd %hd %hd", static_cast<long>(item.crColor),
                                    static_cast<short>(item.bItalic),
                                    static_cast<short>(item.bUnderline),
                                    static_cast<short>(item.bBold)));
        }
        AppendLine(out, RectLine(item.rcPlace));
        AppendLine(out, RectLine(item.rcSource));
    }

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
    return TRUE;
}
