// The arithmetic of mouse editing: reaches of handles and edges, the item
// under the pointer, grid snap and clamping, proportional sizing and cropping.
#include "document/zelbrin_doc.h"
#include "support/test_support.h"
#include "geometry/mouse_math.h"

#include <gtest/gtest.h>

namespace {

constexpr RECT kPlace{100, 100, 300, 250};

TEST(MouseMath, HandlesAndEdgesReachExactly) {
    struct Case {
        POINT pt;
        DragMode handle;
        CropEdge edge;
    } cases[] = {
        {{310, 260}, DRAG_SIZE_BOTTOMRIGHT, EDGE_NONE}, // 10 beyond the corner
        {{311, 260}, DRAG_NONE, EDGE_NONE},             // 11
        {{295, 245}, DRAG_SIZE_BOTTOMRIGHT, EDGE_RIGHT},
        {{95, 245}, DRAG_SIZE_BOTTOMLEFT, EDGE_LEFT}, // a corner wins over its edge
        {{305, 95}, DRAG_SIZE_TOPRIGHT, EDGE_NONE},
        {{94, 110}, DRAG_SIZE_TOPLEFT, EDGE_LEFT},
        {{93, 175}, DRAG_NONE, EDGE_LEFT}, // 7 outside the left edge
        {{92, 175}, DRAG_NONE, EDGE_NONE}, // 8
        {{107, 175}, DRAG_NONE, EDGE_LEFT},
        {{108, 175}, DRAG_NONE, EDGE_NONE},
        {{200, 93}, DRAG_NONE, EDGE_TOP},
        {{307, 175}, DRAG_NONE, EDGE_RIGHT},
        {{200, 257}, DRAG_NONE, EDGE_BOTTOM},
        {{200, 258}, DRAG_NONE, EDGE_NONE},
        {{93, 99}, DRAG_SIZE_TOPLEFT, EDGE_NONE}, // beside both edges' spans
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pt.x << "," << c.pt.y);
        EXPECT_EQ(PressedHandle(kPlace, c.pt), c.handle);
        EXPECT_EQ(EdgeAt(kPlace, c.pt), c.edge);
    }
    // Where every handle zone overlaps, the press takes bottom-right first.
    EXPECT_EQ(PressedHandle(RECT{0, 0, 15, 15}, POINT{7, 7}), DRAG_SIZE_BOTTOMRIGHT);
    EXPECT_EQ(PressedHandle(RECT{0, 0, 30, 15}, POINT{5, 5}), DRAG_SIZE_BOTTOMLEFT);
    EXPECT_TRUE(OnHandle(RECT{0, 0, 30, 15}, DRAG_SIZE_TOPLEFT, POINT{5, 5}));
}

TEST(MouseMath, TextItemsWinOverPicturesAndLaterOverEarlier) {
    CZelbrinDoc doc;
    doc.AppendItem(TextItem("t", RECT{80, 80, 120, 120}));
    doc.AppendItem(PatternPictureItem(2, 2, RECT{0, 0, 100, 100}));
    doc.AppendItem(PatternPictureItem(2, 2, RECT{50, 50, 150, 150}));
    EXPECT_EQ(ItemUnderPoint(doc, POINT{90, 90}), 0);
    EXPECT_EQ(ItemUnderPoint(doc, POINT{60, 60}), 2);
    EXPECT_EQ(ItemUnderPoint(doc, POINT{100, 10}), 1); // right edge counts as inside
    EXPECT_EQ(ItemUnderPoint(doc, POINT{151, 151}), -1);
}

TEST(MouseMath, MovesSnapTheCornerAndStayOnTheClientArea) {
    // Client 480 x 630, steps 60, last gridlines 8 and 10.
    const MoveLimits snap{480, 630, true, 60, 60, 8, 10};
    MoveLimits free = snap;
    free.snap = false;
    struct Case {
        const MoveLimits& limits;
        int left, top, w, h;
        RECT expected;
    } cases[] = {
        {snap, 89, 31, 100, 50, {60, 60, 160, 110}},
        {snap, 89, 30, 100, 50, {60, 0, 160, 50}},   // the lower line wins at the midpoint
        {snap, 89, 90, 100, 50, {60, 60, 160, 110}}, // 90 is the midpoint of 60 and 120
        {snap, 450, 10, 20, 20, {420, 0, 440, 20}},  // 450 snaps to line 7 at 420, not to line 8
        {snap, 451, 10, 20, 20, {451, 0, 471, 20}},  // nearer the last line: no snap
        {free, 89, 31, 100, 50, {89, 31, 189, 81}},
        {free, 400, 10, 100, 50, {380, 10, 480, 60}}, // 480 wide: ends at 380
        {free, -5, -9, 100, 50, {0, 0, 100, 50}},
        {free, 10, 10, 600, 50, {-120, 10, 480, 60}}, // wider than the page
    };
    for (const Case& c : cases)
        EXPECT_EQ(MovePlace(c.left, c.top, c.w, c.h, c.limits), c.expected)
            << c.left << "," << c.top;
    EXPECT_EQ(SnapToGridLine(31, 0, 0), 31);
}

TEST(MouseMath, SizingKeepsTheStartRatioAndTheOppositeCorner) {
    struct Case {
        DragMode corner;
        RECT place;
        SIZE start;
        POINT pt;
        SIZE min;
        bool sized;
        RECT expected;
    } cases[] = {
        // clang-format off
        {DRAG_SIZE_BOTTOMRIGHT, {10, 10, 210, 110}, {200, 100}, {250, 200}, kMinPictureSize, true, {10, 10, 250, 130}},
        {DRAG_SIZE_BOTTOMRIGHT, {10, 10, 210, 110}, {200, 100}, {450, 110}, kMinPictureSize, true, {10, 10, 210, 110}},
        {DRAG_SIZE_BOTTOMRIGHT, {10, 10, 210, 110}, {200, 100}, {410, 210}, kMinPictureSize, true, {10, 10, 410, 210}},
        {DRAG_SIZE_BOTTOMLEFT, {300, 10, 500, 110}, {200, 100}, {100, 200}, kMinPictureSize, true, {120, 10, 500, 200}},
        {DRAG_SIZE_TOPRIGHT, {10, 300, 210, 400}, {200, 100}, {250, 100}, kMinPictureSize, true, {10, 280, 250, 400}},
        {DRAG_SIZE_TOPLEFT, {300, 300, 500, 400}, {200, 100}, {100, 250}, kMinPictureSize, true, {200, 250, 500, 400}},
        {DRAG_SIZE_BOTTOMRIGHT, {10, 10, 210, 110}, {200, 100}, {59, 200}, kMinPictureSize, false, {}},
        {DRAG_SIZE_BOTTOMRIGHT, {10, 10, 210, 110}, {200, 100}, {60, 59}, kMinPictureSize, false, {}},
        {DRAG_SIZE_BOTTOMRIGHT, {20, 20, 120, 45}, {100, 25}, {29, 60}, kMinTextSize, false, {}},
        {DRAG_SIZE_BOTTOMRIGHT, {20, 20, 120, 45}, {100, 25}, {30, 60}, kMinTextSize, true, {20, 20, 30, 22}},
        // A start without area has no ratio: nothing is sized.
        {DRAG_SIZE_BOTTOMRIGHT, {10, 10, 210, 10}, {200, 0}, {250, 200}, kMinPictureSize, false, {}},
        {DRAG_SIZE_TOPLEFT, {10, 10, 10, 110}, {0, 100}, {-200, -200}, kMinPictureSize, false, {}},
        // clang-format on
    };
    for (const Case& c : cases) {
        RECT out{-1, -1, -1, -1};
        SCOPED_TRACE(testing::Message() << c.corner << " to " << c.pt.x << "," << c.pt.y);
        ASSERT_EQ(SizeFromCorner(c.corner, c.place, c.start, c.pt, c.min, &out), c.sized);
        if (c.sized)
            EXPECT_EQ(out, c.expected);
        else
            EXPECT_EQ(out, (RECT{-1, -1, -1, -1}));
    }
}

TEST(MouseMath, CroppingUncoversOnlyThePictureAndKeepsFivePixels) {
    // A 400 x 300 picture at {100, 100, 300, 250} showing all of itself.
    const CropStart whole{kPlace, {0, 0, 400, 300}};
    const CropStart leftCut{{150, 100, 300, 250}, {100, 0, 400, 300}};
    const CropStart flat{{100, 100, 300, 100}, {0, 0, 400, 300}};
    struct Case {
        const CropStart& start;
        CropEdge edge;
        POINT pt;
        bool picture;
        bool cropped;
        RECT place, source;
    } cases[] = {
        // clang-format off
        {whole, EDGE_LEFT, {150, 0}, true, true, {150, 100, 300, 250}, {100, 0, 400, 300}},
        {whole, EDGE_LEFT, {50, 0}, true, true, {100, 100, 300, 250}, {0, 0, 400, 300}},
        {whole, EDGE_LEFT, {299, 0}, true, true, {295, 100, 300, 250}, {390, 0, 400, 300}},
        {whole, EDGE_LEFT, {50, 0}, false, true, {50, 100, 300, 250}, {-100, 0, 400, 300}},
        {whole, EDGE_TOP, {0, 130}, true, true, {100, 130, 300, 250}, {0, 0, 400, 240}},
        {whole, EDGE_TOP, {0, 50}, true, true, {100, 100, 300, 250}, {0, 0, 400, 300}},
        {whole, EDGE_TOP, {0, 248}, true, true, {100, 245, 300, 250}, {0, 0, 400, 10}},
        {whole, EDGE_RIGHT, {350, 0}, true, true, {100, 100, 300, 250}, {0, 0, 400, 300}},
        {whole, EDGE_BOTTOM, {0, 200}, true, true, {100, 100, 300, 200}, {0, 100, 400, 300}},
        {whole, EDGE_BOTTOM, {0, 300}, true, true, {100, 100, 300, 250}, {0, 0, 400, 300}},
        {whole, EDGE_BOTTOM, {0, 101}, true, true, {100, 100, 300, 105}, {0, 290, 400, 300}},
        {leftCut, EDGE_RIGHT, {152, 0}, true, true, {150, 100, 155, 250}, {100, 0, 110, 300}},
        {leftCut, EDGE_RIGHT, {200, 0}, true, true, {150, 100, 200, 250}, {100, 0, 200, 300}},
        {flat, EDGE_LEFT, {150, 0}, true, false, {}, {}},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.edge << " to " << c.pt.x << "," << c.pt.y);
        RECT place = c.start.place, source = c.start.source;
        ASSERT_EQ(CropAtEdge(c.edge, c.start, c.picture, 400, 300, c.pt, &place, &source),
                  c.cropped);
        EXPECT_EQ(place, c.cropped ? c.place : c.start.place);
        EXPECT_EQ(source, c.cropped ? c.source : c.start.source);
    }
}

} // namespace
