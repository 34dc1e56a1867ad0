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

enum class AlbumRefusal { None, Malformed, WrongVersion };

struct AlbumParse {
    AlbumRefusal refusal = AlbumRefusal::None;
    std::vector<AlbumRecord> records;
};

// Reads a whole album file's text. Any malformed part refuses the whole file;
// what follows the last record is ignored.
AlbumParse ParseAlbumText(const std::string& text);

// The file's text for records, every number in the C locale.
std::string FormatAlbumText(const std::vector<AlbumRecord>& records);
