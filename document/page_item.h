// The records a page is made of: items and layout-template slots.
#pragma once

#include "platform/win/wintypes.h"

#include <cstdint>

constexpr std::int16_t ITEM_PICTURE = 0;
constexpr std::int16_t ITEM_TEXT = 1;

constexpr int MAX_SLOTS = 100;
constexpr int MAX_PATH_FIELD = 200; // paths hold at most 199 characters
constexpr int MAX_FONT_FIELD = 20;  // font names hold at most 19 characters
constexpr int MAX_TEXT_CHARS = 400; // texts hold at most 400 characters

// One object on the page, copied by value everywhere. Unused fields are zero.
struct PageItem {
    std::int16_t nKind;
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
    unsigned char* pPixels; // owned PictureBuffer pixels of a picture item
    int bDrawn;
};

// A layout-template rectangle, as fractions of the page's width and height.
struct TemplateSlot {
    float fCenterX;
    float fCenterY;
    float fWidth;
    float fHeight;
    int bUsed;
};

// The six default slots: two columns by three rows.
inline constexpr TemplateSlot kDefaultSlots[6] = {
    {0.25f, 0.166666f, 0.48f, 0.313f, 0}, {0.75f, 0.166666f, 0.48f, 0.313f, 0},
    {0.25f, 0.5f, 0.48f, 0.313f, 0},      {0.75f, 0.5f, 0.48f, 0.313f, 0},
    {0.25f, 0.833333f, 0.48f, 0.313f, 0}, {0.75f, 0.833333f, 0.48f, 0.313f, 0},
};
