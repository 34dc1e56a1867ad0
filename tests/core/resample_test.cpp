// Scaling a picture part with a filter: what stays, what averages, where
// edges land, and the parts of a target drawn on their own.
#include "base/resample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using Pattern = std::function<unsigned char(int x, int y, int channel)>;

std::vector<unsigned char> Make(int w, int h, const Pattern& at) {
    std::vector<unsigned char> px(3u * w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                px[3u * (y * w + x) + c] = at(x, y, c);
    return px;
}

std::vector<std::uint32_t> Scale(const std::vector<unsigned char>& px, int w, int h, int tw, int th,
                                 ResampleFilter f) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(tw) * th, 0);
    EXPECT_TRUE(ResamplePart(RgbPicture{px.data(), w, h}, PixelRect{0, 0, w, h}, tw, th,
                             PixelRect{0, 0, tw, th}, out.data(), tw, f));
    return out;
}

int Red(std::uint32_t v) {
    return static_cast<int>((v >> 16) & 0xFF);
}

struct Factor {
    double factor; // source size over target size
    int source;    // source side
};
// Shrinks by 1, 1.5, 2, 7 and 13, enlargements by 1.5 and 3.
const Factor kFactors[] = {{1, 60},   {1.5, 63},     {2, 64},      {7, 91},
                           {13, 104}, {1 / 1.5, 40}, {1 / 3.0, 20}};
const ResampleFilter kFilters[] = {ResampleFilter::Area, ResampleFilter::Lanczos3,
                                   ResampleFilter::BoxLanczos3};

int Target(const Factor& f) {
    return static_cast<int>(std::lround(f.source / f.factor));
}

} // namespace

TEST(Resample, UniformStaysUniform) {
    const auto px = Make(120, 120, [](int, int, int c) {
        return c == 0 ? 40 : c == 1 ? 120 : 200;
    });
    for (ResampleFilter filter : kFilters)
        for (const Factor& f : kFactors) {
            SCOPED_TRACE(f.factor);
            const int t = Target(f);
            for (std::uint32_t v : Scale(px, f.source, f.source, t, t, filter))
                ASSERT_EQ(v, 0xFF2878C8u);
        }
}

TEST(Resample, FineCheckerboardShrinksToItsAverageGrey) {
    for (const Factor& f : kFactors) {
        if (f.factor < 2)
            continue; // a checkerboard at or above the target's detail stays one
        SCOPED_TRACE(f.factor);
        const auto px =
            Make(f.source, f.source, [](int x, int y, int) { return (x + y) % 2 ? 255 : 0; });
        const int t = Target(f);
        // The area average of an odd block holds one square more of a colour.
        const double areaTolerance = 255.0 / (f.factor * f.factor) + 0.5;
        const auto area = Scale(px, f.source, f.source, t, t, ResampleFilter::Area);
        for (std::uint32_t v : area)
            ASSERT_LE(std::abs(Red(v) - 127.5), areaTolerance);
        // Lanczos-3 averages it away, but for the three pixels nearest the
        // edges, whose footprint the edge cuts.
        for (ResampleFilter filter : {ResampleFilter::Lanczos3, ResampleFilter::BoxLanczos3}) {
            const auto lanczos = Scale(px, f.source, f.source, t, t, filter);
            for (int y = 0; y < t; ++y)
                for (int x = 0; x < t; ++x) {
                    const bool inner = std::min({x, y, t - 1 - x, t - 1 - y}) >= 3;
                    ASSERT_LE(std::abs(Red(lanczos[y * t + x]) - 127.5), inner ? 2 : 8)
                        << x << "," << y;
                }
        }
    }
}

TEST(Resample, AnEdgeLandsWithinAPixelOfTheNearestPixelDrawing) {
    for (const Factor& f : kFactors) {
        SCOPED_TRACE(f.factor);
        const int edge = f.source / 2 + 1; // columns from here on are white
        const auto px = Make(f.source, 8, [edge](int x, int, int) { return x >= edge ? 255 : 0; });
        const int t = Target(f);
        // The nearest-pixel drawing: target column x shows source column x * source / t.
        int nearest = 0;
        while (nearest < t && nearest * f.source / t < edge)
            ++nearest;
        for (ResampleFilter filter : kFilters) {
            const auto out = Scale(px, f.source, 8, t, 8, filter);
            int crossing = 0; // the first column past mid-grey
            while (crossing < t && Red(out[4u * t + crossing]) < 128)
                ++crossing;
            EXPECT_LE(std::abs(crossing - nearest), 1) << "filter " << static_cast<int>(filter);
        }
    }
}

TEST(Resample, APartOfTheTargetIsThatPartOfTheWhole) {
    const auto px = Make(90, 70, [](int x, int y, int c) {
        return static_cast<unsigned char>((x * 7 + y * 13 + c * 50) % 256);
    });
    // The whole picture at a mild shrink, and a crop shrunk enough to be
    // averaged in blocks first, whose clips start and end between blocks.
    struct Case {
        PixelRect part;
        int tw, th;
        PixelRect clip;
    };
    const Case cases[] = {{{0, 0, 90, 70}, 37, 29, {5, 9, 20, 11}},
                          {{7, 3, 80, 64}, 11, 9, {2, 3, 6, 5}},
                          {{7, 3, 80, 64}, 11, 9, {0, 8, 11, 1}}};
    for (const Case& c : cases)
        for (ResampleFilter filter : kFilters) {
            std::vector<std::uint32_t> whole(static_cast<std::size_t>(c.tw) * c.th);
            ASSERT_TRUE(ResamplePart(RgbPicture{px.data(), 90, 70}, c.part, c.tw, c.th,
                                     PixelRect{0, 0, c.tw, c.th}, whole.data(), c.tw, filter));
            std::vector<std::uint32_t> part(static_cast<std::size_t>(c.clip.w) * c.clip.h);
            ASSERT_TRUE(ResamplePart(RgbPicture{px.data(), 90, 70}, c.part, c.tw, c.th, c.clip,
                                     part.data(), c.clip.w, filter));
            for (int y = 0; y < c.clip.h; ++y)
                for (int x = 0; x < c.clip.w; ++x)
                    ASSERT_EQ(part[y * c.clip.w + x], whole[(y + c.clip.y) * c.tw + x + c.clip.x]);
        }
    // A large target (scaled on two threads) is the same as its rows scaled
    // as parts of it.
    const auto big = Scale(px, 90, 70, 640, 480, ResampleFilter::Lanczos3);
    std::vector<std::uint32_t> rows(640 * 480);
    for (int y = 0; y < 480; y += 96)
        ASSERT_TRUE(ResamplePart(RgbPicture{px.data(), 90, 70}, PixelRect{0, 0, 90, 70}, 640, 480,
                                 PixelRect{0, y, 640, 96}, &rows[y * 640], 640,
                                 ResampleFilter::Lanczos3));
    EXPECT_EQ(big, rows);
    // A crop at one to one is its own pixels.
    std::vector<std::uint32_t> crop(30 * 20);
    ASSERT_TRUE(ResamplePart(RgbPicture{px.data(), 90, 70}, PixelRect{11, 17, 30, 20}, 30, 20,
                             PixelRect{0, 0, 30, 20}, crop.data(), 30, ResampleFilter::Lanczos3));
    EXPECT_EQ(Red(crop[3 * 30 + 4]), px[3u * ((17 + 3) * 90 + 11 + 4)]);
    // Sizes that cannot be drawn write nothing.
    std::uint32_t out = 7;
    const RgbPicture pic{px.data(), 90, 70};
    EXPECT_FALSE(ResamplePart(pic, PixelRect{0, 0, 0, 70}, 1, 1, PixelRect{0, 0, 1, 1}, &out, 1,
                              ResampleFilter::Area));
    EXPECT_FALSE(ResamplePart(pic, PixelRect{0, 0, 90, 70}, 10, 10, PixelRect{5, 5, 6, 1}, &out, 1,
                              ResampleFilter::Area));
    EXPECT_EQ(out, 7u);
}
