// The layout template file's text (.zbt), with no file access or dialogs.
//
// Line conventions as in the album file (CR LF, empty lines skipped on
// reading). The first line is the number of slots followed by an empty line;
// then four lines per slot, "%f" each: centre x, centre y, width and height as
// fractions of the page, the fourth followed by an empty line.
#pragma once

#include "document/page_item.h"

#include <string>
#include <vector>

// Fractions beyond this could make a page coordinate overflow; such a file is refused.
constexpr double MAX_SLOT_FRACTION = 1000.0;

// Reads a template file's text into slots (with bUsed 0); a count of 0 or
// below gives no slots. False, with reason saying what is wrong, for a count
// that does not parse or exceeds MAX_SLOTS, too few numbers, a number line
// that does not parse, or a value that is not finite or beyond MAX_SLOT_FRACTION.
bool ParseTemplateText(const std::string& text, std::vector<TemplateSlot>& slots,
                       std::string& reason);

// The template of the given picture placements on a page of pageWidth x
// pageHeight pixels (both above 0), in the C locale. The centre x is printed
// from its full-precision quotient, the other three from single precision.
std::string FormatTemplateText(const std::vector<RECT>& placements, int pageWidth, int pageHeight);
