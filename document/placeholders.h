// Pictures whose files cannot be had: they stay on the page as placeholders
// (their record without pixels), are saved as they were read, show as grey
// boxes on screen and as blank places when exported or printed.
#pragma once

#include "document/page_item.h"

#include <string>
#include <vector>

class CZelbrinDoc;

inline bool IsPlaceholder(const PageItem& item) {
    return item.nKind == ITEM_PICTURE && !item.pPixels;
}

// The file names the page's placeholders stand for, in drawing order.
std::vector<std::string> PlaceholderNames(const CZelbrinDoc& doc);

// The message on opening an album with missing pictures: how many, that they
// are kept, the command that looks for them, and the first ten names.
std::string MissingPicturesMessage(const std::vector<std::string>& names);

// The question before printing or exporting a page with placeholders.
std::string BlankPlacesQuestion(const std::vector<std::string>& names, const char* what);
