#include "document/album_format.h"

#include "document/fixed_text.h"
#include "document/line_reader.h"
#include "document/slot_fit.h"
#include "base/c_locale.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace {

// ---- reading -------------------------------------------------------------

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

// A text item's text lines: each line loses its last character (the CR left
// of an inner line break, or the closing "^") and is followed by CR LF; a line
// that is "^" alone ends the text and adds nothing.
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
    // A longer text keeps the whole lines that fit (or the start of its one
    // line, with a line break), so that it reads back the same after a save.
    if (text.size() > MAX_TEXT_CHARS) {
        const std::size_t lastBreak = text.rfind("\r\n", MAX_TEXT_CHARS - 2);
        if (lastBreak != std::string::npos) {
            text.resize(lastBreak + 2);
        } else {
            text.resize(Utf8CutLength(text.data(), text.size(), MAX_TEXT_CHARS - 2));
            text += "\r\n";
        }
        nLines = CountTextLines(text.c_str());
    }
    CopyToField(item.szText, text);
    item.nLines = nLines;
    return true;
}

bool ReadRecord(LineReader& lines, AlbumRecord& record) {
    PageItem& item = record.item;
    std::string line;
    long long head[3];
    if (!lines.Next(line) || !ParseIntegers(line, head, 3, INT32_MIN, INT32_MAX) ||
        head[0] < INT16_MIN || head[0] > INT16_MAX)
        return false;
    // Kinds other than picture and text are kept as text records, which are
    // drawn as nothing and written back unchanged.
    item.nKind = static_cast<std::int16_t>(head[0]);
    item.nSrcWidth = static_cast<std::int32_t>(head[1]);
    item.nSrcHeight = static_cast<std::int32_t>(head[2]);

    if (item.nKind == ITEM_PICTURE) {
        if (!lines.Next(record.relPath) || !lines.Next(record.fullPath))
            return false;
    } else {
        if (!ReadText(lines, item) || !lines.Next(line))
            return false;
        CopyToField(item.szFontName, line);
        long long style[4];
        if (!lines.Next(line) || !ParseIntegers(line, style, 4, INT32_MIN, UINT32_MAX) ||
            style[1] < INT16_MIN || style[1] > INT16_MAX || style[2] < INT16_MIN ||
            style[2] > INT16_MAX || style[3] < INT16_MIN || style[3] > INT16_MAX)
            return false;
        item.crColor = static_cast<COLORREF>(style[0]);
        item.bItalic = static_cast<std::int16_t>(style[1]);
        item.bUnderline = static_cast<std::int16_t>(style[2]);
        item.bBold = static_cast<std::int16_t>(style[3]);
    }
    return lines.Next(line) && ParseRect(line, item.rcPlace) && lines.Next(line) &&
           ParseRect(line, item.rcSource);
}

// The keyed lines after the records.
const char kPixelsPerInchKey[] = "PixelsPerInch";
const char kPageInchesKey[] = "PageInches";
const char kOrientationKey[] = "Orientation";
const char kRecoveredAlbumKey[] = "RecoveredAlbum";
// Page sides an album may record: written to a thousandth of an inch, so
// that what is written reads back.
constexpr double kMinPageInches = 0.01;
constexpr double kMaxPageInches = 1000.0;

// Parses exactly count numbers of inches within the range above, each
// followed by a blank or the end of the line.
bool ParseInches(const char* p, float* out, int count) {
    for (int i = 0; i < count; ++i) {
        const char* end = nullptr;
        const double v = StrToDoubleC(p, &end);
        if (end == p || !(v >= kMinPageInches && v <= kMaxPageInches))
            return false;
        if (*end != '\0' && *end != ' ' && *end != '\t' && *end != '\r')
            return false;
        out[i] = static_cast<float>(v);
        p = end;
    }
    while (*p == ' ' || *p == '\t' || *p == '\r')
        ++p;
    return *p == '\0';
}

// The orientations of an "Orientation" line, when they match the records.
void ReadOrientations(const std::string& values, const std::vector<AlbumRecord>& records,
                      AlbumExtras& extras) {
    std::vector<int> read;
    const char* p = values.c_str();
    while (*p) {
        while (*p == ' ')
            ++p;
        if (!*p)
            break;
        if (*p < '0' || *p > '8' || (p[1] && p[1] != ' ')) {
            extras.orientationProblem = "an orientation is not 0 to 8";
            return;
        }
        read.push_back(*p - '0');
        ++p;
    }
    if (read.size() != records.size()) {
        extras.orientationProblem = "it has " + std::to_string(read.size()) + " orientations for " +
                                    std::to_string(records.size()) + " items";
        return;
    }
    for (std::size_t i = 0; i < read.size(); ++i)
        if ((records[i].item.nKind == ITEM_PICTURE) != (read[i] != 0)) {
            extras.orientationProblem = "item " + std::to_string(i + 1) +
                                        (read[i] ? " is a text with an orientation"
                                                 : " is a picture without an orientation");
            return;
        }
    extras.orientations = std::move(read);
}

void ReadExtras(LineReader& lines, const std::vector<AlbumRecord>& records, AlbumExtras& extras) {
    std::string line;
    while (lines.Next(line)) {
        const std::size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string values = space == std::string::npos ? "" : line.substr(space);
        long long ppi = 0;
        float inches[2];
        if (key == kPixelsPerInchKey &&
            ParseIntegers(values, &ppi, 1, MIN_ALBUM_PPI, MAX_ALBUM_PPI)) {
            extras.nPixelsPerInch = static_cast<int>(ppi);
        } else if (key == kPageInchesKey && ParseInches(values.c_str(), inches, 2)) {
            extras.fPageWidthInches = inches[0];
            extras.fPageHeightInches = inches[1];
        } else if (key == kOrientationKey) {
            ReadOrientations(values, records, extras);
        } else if (key == kRecoveredAlbumKey && values.size() > 1) {
            extras.recoveredAlbum = values.substr(1);
        }
    }
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

AlbumParse ParseAlbumText(const std::string& text) {
    AlbumParse result;
    // A text file holds no NUL character; one is damage, and the fixed fields
    // would silently cut a path or text at it.
    if (text.find('\0') != std::string::npos) {
        result.refusal = AlbumRefusal::Malformed;
        return result;
    }
    LineReader lines(text);
    std::string line;
    long long version = 0;
    if (!lines.Next(line) || !ParseIntegers(line, &version, 1, LLONG_MIN, LLONG_MAX)) {
        result.refusal = AlbumRefusal::Malformed;
        return result;
    }
    if (version != ALBUM_FILE_VERSION) {
        result.refusal = AlbumRefusal::WrongVersion;
        return result;
    }
    long long count = 0;
    // Every record takes at least five lines, which bounds a sane count.
    if (!lines.Next(line) || !ParseIntegers(line, &count, 1, 0, INT32_MAX) ||
        static_cast<unsigned long long>(count) * 5 > lines.Remaining()) {
        result.refusal = AlbumRefusal::Malformed;
        return result;
    }
    result.records.resize(static_cast<std::size_t>(count));
    for (AlbumRecord& record : result.records) {
        if (!ReadRecord(lines, record)) {
            result.records.clear();
            result.refusal = AlbumRefusal::Malformed;
            return result;
        }
    }
    ReadExtras(lines, result.records, result.extras);
    return result;
}

std::string FormatAlbumText(const std::vector<AlbumRecord>& records, const AlbumExtras& extras) {
    std::string out;
    AppendLine(out, FormatC("%d", ALBUM_FILE_VERSION));
    AppendLine(out, FormatC("%d", static_cast<int>(records.size())));
    for (const AlbumRecord& record : records) {
        const PageItem& item = record.item;
        AppendLine(out, FormatC("%hd %ld %ld", item.nKind, static_cast<long>(item.nSrcWidth),
                                static_cast<long>(item.nSrcHeight)));
        if (item.nKind == ITEM_PICTURE) {
            AppendLine(out, record.relPath);
            AppendLine(out, record.fullPath);
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
    std::string orientations = kOrientationKey;
    for (const AlbumRecord& record : records) {
        const int o = record.item.nOrientation;
        orientations +=
            record.item.nKind != ITEM_PICTURE ? " 0" : FormatC(" %d", o >= 1 && o <= 8 ? o : 1);
    }
    if (!records.empty())
        AppendLine(out, orientations);
    if (extras.nPixelsPerInch > 0)
        AppendLine(out, FormatC("%s %d", kPixelsPerInchKey, extras.nPixelsPerInch));
    if (extras.fPageWidthInches > 0.0f && extras.fPageHeightInches > 0.0f)
        AppendLine(out, FormatC("%s %.3f %.3f", kPageInchesKey,
                                static_cast<double>(extras.fPageWidthInches),
                                static_cast<double>(extras.fPageHeightInches)));
    if (!extras.recoveredAlbum.empty() &&
        extras.recoveredAlbum.find_first_of("\r\n") == std::string::npos)
        AppendLine(out, std::string(kRecoveredAlbumKey) + " " + extras.recoveredAlbum);
    return out;
}
