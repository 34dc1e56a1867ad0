// Page geometry fed by any 32-bit value from a file: scaled places, text
// heights, full-size crops and the visible part of a picture stay in range.
#include "geometry/page_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

constexpr LONG kMin = INT32_MIN, kMax = INT32_MAX;

TEST(GeometryLimits, ScaledPlacesTextHeightsAndCropsSaturate) {
    EXPECT_EQ(ScaleRect(RECT{kMin, 0, kMax, 5}, 12.5f), (RECT{kMin, 0, kMax, 62}));
    EXPECT_EQ(ScaleRect(RECT{1, 2, 3, 4}, std::nanf("")), (RECT{0, 0, 0, 0}));
    const Rect64 wide = ScaleRect64(RECT{kMin, 0, kMax, 5}, 12.5f);
    EXPECT_EQ(wide.left, -26843545600ll);
    EXPECT_EQ(wide.right, 26843545600ll);

    EXPECT_EQ(TextCharHeight(wide.right - wide.left, 1), INT_MAX - INT_MAX / 5);
    EXPECT_EQ(TextCharHeight(-(1ll << 40), 0), INT_MIN - INT_MIN / 5);
    EXPECT_EQ(TextCharHeight(100, INT_MAX), 0);

    EXPECT_EQ(FullSizeSource(RECT{kMin, 0, kMax, 1}, 3, 3), (RECT{kMin, 0, kMax, 1}));
    EXPECT_EQ(FullSizeSource(RECT{1, 2, 3, 4}, 7, 8), (RECT{2, 4, 5, 8}));
}

TEST(GeometryLimits, OnlyTheVisiblePartOfAPictureIsDrawn) {
    const struct {
        const char* what;
        Rect64 dest;
        RECT src;
        int picW, picH;
        RECT target;
        bool shows;
        RECT wantDest, wantSrc;
    } rows[] = {
        {"inside: unchanged",
         {10, 10, 50, 30},
         {0, 0, 20, 10},
         20,
         10,
         {0, 0, 100, 100},
         true,
         {10, 10, 50, 30},
         {0, 0, 20, 10}},
        {"cut by the target's left edge",
         {-100, 0, 100, 100},
         {0, 0, 20, 10},
         20,
         10,
         {0, 0, 50, 50},
         true,
         {0, 0, 50, 50},
         {10, 5, 15, 10}},
        {"crop beyond the picture",
         {0, 0, 400, 100},
         {-10, 0, 30, 10},
         20,
         10,
         {0, 0, 1000, 1000},
         true,
         {100, 0, 300, 100},
         {0, 0, 20, 10}},
        {"one pixel magnified beyond any page",
         {-26843545600ll, 0, 26843545600ll, 100},
         {0, 0, 2, 1},
         2,
         1,
         {0, 0, 3000, 3000},
         true,
         {0, 0, 3000 + (1 << 24), 100},
         {1, 0, 2, 1}},
        {"wholly beside the target",
         {5000, 0, 6000, 100},
         {0, 0, 20, 10},
         20,
         10,
         {0, 0, 3000, 3000},
         false,
         {},
         {}},
        {"turned over",
         {100, 0, 50, 100},
         {0, 0, 20, 10},
         20,
         10,
         {0, 0, 3000, 3000},
         false,
         {},
         {}},
        {"crop wholly off the picture",
         {0, 0, 100, 100},
         {30, 0, 40, 10},
         20,
         10,
         {0, 0, 3000, 3000},
         false,
         {},
         {}},
        {"crop of the whole 32-bit range",
         {0, 0, 300, 300},
         {kMin, kMin, kMax, kMax},
         20,
         10,
         {0, 0, 3000, 3000},
         false,
         {},
         {}},
    };
    for (const auto& row : rows) {
        RECT dest{}, src{};
        EXPECT_EQ(VisiblePicturePart(row.dest, row.src, row.picW, row.picH, row.target, dest, src),
                  row.shows)
            << row.what;
        if (row.shows) {
            EXPECT_EQ(dest, row.wantDest) << row.what;
            EXPECT_EQ(src, row.wantSrc) << row.what;
        }
    }
}

} // namespace
