// The records a page is made of: items and layout-template slots.
#pragma once

#include "platform/win/wintypes.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

constexpr std::int16_t ITEM_PICTURE = 0;
constexpr std::int16_t ITEM_TEXT = 1;

constexpr int MAX_SLOTS = 100;
constexpr int MAX_PATH_FIELD = 200; // paths hold at most 199 characters
constexpr int MAX_FONT_FIELD = 20;  // font names hold at most 19 characters
constexpr int MAX_TEXT_CHARS = 400; // texts hold at most 400 characters

// A picture's decoded pixels (a PictureBuffer), shared by every item and
// undo step that shows them, never changed once decoded, and freed when the
// last of them lets go.
using PixelsRef = std::shared_ptr<const unsigned char>;
// Takes pixels allocated with malloc (or null).
inline PixelsRef AdoptPixels(unsigned char* pixels) {
    return PixelsRef(pixels,
                     [](const unsigned char* p) { std::free(const_cast<unsigned char*>(p)); });
}

// Who an item is while it is on the page: given when it enters the page and
// kept through every move in the array; never 0 for an item on the page.
using ItemId = std::uint32_t;

// One object on the page, copied by value everywhere. Unused fields are zero.
struct PageItem {
    std::int16_t nKind;
    ItemId nId;
    std::int32_t nSrcWidth;
    std::int32_t nSrcHeight;
    char szPath[MAX_PATH_FIELD];
    char szRelPath[MAX_PATH_FIELD];
    char szText[MAX_TEXT_CHARS + 1];
    RECT rcPlace;
    RECT rcSource; // rows counted upward from the picture's bottom edge
    COLORREF crColor;
    char szFontName[MAX_FONT_FIELD];
    int bItalic;
    int bUnderline;
    int bBold;
    int nLines;
    // A picture's camera orientation (1 to 8, as the EXIF tag): how its file's
    // pixels were turned to make pPixels; 0 for a text (a picture's 0 is 1).
    int nOrientation;
    PixelsRef pPixels; // the PictureBuffer pixels of a picture item
};

// The orientation a picture's pixels were turned upright by (1 to 8); 1 for
// a picture that records none.
inline int PictureOrientation(const PageItem& item) {
    return item.nOrientation >= 1 && item.nOrientation <= 8 ? item.nOrientation : 1;
}

// Two records are equal when every field is: texts, paths and names up to
// their ends, the pixels by identity.
bool operator==(const PageItem& a, const PageItem& b);

// A layout-template rectangle, as fractions of the page's width and height.
struct TemplateSlot {
    float fCenterX;
    float fCenterY;
    float fWidth;
    float fHeight;
    int bUsed;
    bool operator==(const TemplateSlot&) const = default;
};

// The six default slots: two columns by three rows.
inline constexpr TemplateSlot kDefaultSlots[6] = {
    {0.25f, 0.166666f, 0.48f, 0.313f, 0}, {0.75f, 0.166666f, 0.48f, 0.313f, 0},
    {0.25f, 0.5f, 0.48f, 0.313f, 0},      {0.75f, 0.5f, 0.48f, 0.313f, 0},
    {0.25f, 0.833333f, 0.48f, 0.313f, 0}, {0.75f, 0.833333f, 0.48f, 0.313f, 0},
};
