// The album file's text, with no file access, dialogs or picture decoding:
// the parser turns the text into records or says why it refuses it, the
// writer turns records into the text.
//
// Every line ends with CR LF, a line break inside a text too (so such a break
// stands as CR CR LF). Reading skips empty lines. Head line: kind, source
// width and height; a picture (kind 0) then has its relative and full path,
// any other kind is a text record: the text closed by "^", the font, the
// colour and styles. Both end with the place and source rectangles, each
// written top, left, bottom, right.
#pragma once

#include "document/page_item.h"

#include <string>
#include <vector>

constexpr int ALBUM_FILE_VERSION = 4;

// One record of the file. A picture's item has no pixels and keeps the head
// line's size; its paths stay in the file's backslash form.
struct AlbumRecord {
    PageItem item{};
    std::string relPath;
    std::string fullPath;
};

// What an album records after its last record, where a version-4 reader
// stops reading: one line each, a key and its values ("PixelsPerInch 87",
// "PageInches 7.500 10.000"). Unknown keys and values out of range are
// ignored, so a later addition needs no new format.
struct AlbumExtras {
    int nPixelsPerInch = 0;        // the resolution of every rcPlace; 0: not recorded
    float fPageWidthInches = 0.0f; // the page when the album was saved; 0: not recorded
    float fPageHeightInches = 0.0f;
    // "Orientation 1 6 0 8": one value per record, 1 to 8 for a picture, 0 for
    // a text. Empty when not recorded, or when the line does not match the
    // records (then orientationProblem says why).
    std::vector<int> orientations;
    std::string orientationProblem;
    // A recovery copy's "RecoveredAlbum <path>": the album it is a copy of
    // (empty for an untitled page, or in an album itself).
    std::string recoveredAlbum;
};

enum class AlbumRefusal { None, Malformed, WrongVersion };

struct AlbumParse {
    AlbumRefusal refusal = AlbumRefusal::None;
    std::vector<AlbumRecord> records;
    AlbumExtras extras;
};

// Reads a whole album file's text. Any malformed part of the records refuses
// the whole file; of what follows them, only the known extras are taken.
AlbumParse ParseAlbumText(const std::string& text);

// The file's text for records, then the extras that are set (the records'
// orientations always); every number in the C locale.
std::string FormatAlbumText(const std::vector<AlbumRecord>& records,
                            const AlbumExtras& extras = {});

// The range of pixels per inch an album may record (that --ppi accepts).
constexpr int MIN_ALBUM_PPI = 1;
constexpr int MAX_ALBUM_PPI = 1000;
