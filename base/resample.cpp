#include "base/resample.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <thread>
#include <vector>

// The hot loops run on vectors, with wider ones where the processor has them
// (chosen when the program loads: not under the thread sanitizer, which is
// not ready that early).
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ZELBRIN_NO_CLONES 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define ZELBRIN_NO_CLONES 1
#endif
#if defined(__clang__) && !defined(ZELBRIN_NO_CLONES)
#define VECTOR_LOOP __attribute__((target_clones("avx2", "default")))
#elif defined(__GNUC__) && !defined(__clang__) && !defined(ZELBRIN_NO_CLONES)
#define VECTOR_LOOP __attribute__((optimize("tree-vectorize"), target_clones("avx2", "default")))
#elif defined(__GNUC__) && !defined(__clang__)
#define VECTOR_LOOP __attribute__((optimize("tree-vectorize")))
#else
#define VECTOR_LOOP
#endif

// Clang does not clone function templates for processors; its builds (the
// fuzzers) take them as they are.
#if defined(__clang__)
#define VECTOR_TEMPLATE_LOOP
#else
#define VECTOR_TEMPLATE_LOOP VECTOR_LOOP
#endif

namespace {

// Weights are fixed-point numbers with 14 fraction bits; the vertical pass
// keeps 7 fraction bits of its sums for the horizontal one.
constexpr int kWeightBits = 14;
constexpr int kCarryBits = 7;
constexpr double kPi = 3.14159265358979323846;
// Targets of this many pixels or more are scaled on two threads.
constexpr long long kThreadedPixels = 256 * 1024;

// The source pixels and weights of each target position along one axis.
struct Taps {
    std::vector<int> first;  // first source pixel of each position
    std::vector<int> offset; // start of each position's weights in weights
    std::vector<int> count;
    std::vector<std::int32_t> weights;
    int lowest = 0, highest = 0; // the source pixels any position reads
};

double Lanczos3(double x) {
    x = std::fabs(x);
    if (x < 1e-9)
        return 1.0;
    if (x >= 3.0)
        return 0.0;
    const double px = kPi * x;
    return 3.0 * std::sin(px) * std::sin(px / 3.0) / (px * px);
}

// The raw weights of target position i (of n over the source span [s0, s0 +
// span)) by source pixel, before the picture's edges are applied.
void RawWeights(double s0, double span, int n, int i, ResampleFilter filter, int& j0,
                std::vector<double>& w) {
    const double scale = span / n;
    const double center = s0 + (i + 0.5) * scale;
    w.clear();
    if (filter == ResampleFilter::Area && scale > 1.0) {
        // The exact share of each source pixel in the footprint [lo, hi).
        const double lo = center - scale / 2, hi = center + scale / 2;
        j0 = static_cast<int>(std::floor(lo));
        for (int j = j0; j < hi; ++j)
            w.push_back(std::min<double>(j + 1, hi) - std::max<double>(j, lo));
    } else if (filter == ResampleFilter::Area) {
        // Enlarging: bilinear between the two nearest pixel centres.
        const double t = center - 0.5;
        j0 = static_cast<int>(std::floor(t));
        const double f = t - j0;
        w = {1.0 - f, f};
    } else { // Lanczos-3
        const double widen = std::max(1.0, scale);
        const double support = 3.0 * widen;
        j0 = static_cast<int>(std::floor(center - 0.5 - support)) + 1;
        const int j1 = static_cast<int>(std::ceil(center - 0.5 + support));
        for (int j = j0; j < j1; ++j)
            w.push_back(Lanczos3((j + 0.5 - center) / widen));
    }
}

// The taps of target positions [c0, c0 + cn) of n, for source span [s0, s0 +
// span) of a picture len pixels long; the weights of pixels beyond its edges
// go to the others in proportion.
Taps MakeTaps(int len, int s0, int span, int n, int c0, int cn, ResampleFilter filter) {
    Taps taps;
    taps.lowest = len;
    taps.highest = -1;
    std::vector<double> raw;
    std::vector<std::pair<int, double>> merged;
    for (int i = c0; i < c0 + cn; ++i) {
        int j0 = 0;
        RawWeights(s0, span, n, i, filter, j0, raw);
        merged.clear();
        double sum = 0;
        for (std::size_t k = 0; k < raw.size(); ++k) {
            if (raw[k] == 0.0)
                continue;
            const int j = j0 + static_cast<int>(k);
            if (j < 0 || j >= len)
                continue; // beyond the picture: the others share its weight
            merged.emplace_back(j, raw[k]);
            sum += raw[k];
        }
        if (merged.empty() || sum == 0.0)
            merged = {{std::clamp(static_cast<int>(s0 + (i + 0.5) * span / n), 0, len - 1), 1.0}};
        if (sum == 0.0)
            sum = 1.0;
        // Fixed-point weights summing to exactly one; the rounding's rest goes
        // to the largest.
        taps.first.push_back(merged.front().first);
        taps.offset.push_back(static_cast<int>(taps.weights.size()));
        taps.count.push_back(merged.back().first - merged.front().first + 1);
        std::size_t largest = taps.weights.size();
        std::int32_t best = INT32_MIN, total = 0;
        int next = merged.front().first;
        for (const auto& [j, weight] : merged) {
            for (; next < j; ++next)
                taps.weights.push_back(0);
            const auto fixed =
                static_cast<std::int32_t>(std::lround(weight / sum * (1 << kWeightBits)));
            if (fixed > best) {
                best = fixed;
                largest = taps.weights.size();
            }
            taps.weights.push_back(fixed);
            total += fixed;
            next = j + 1;
        }
        taps.weights[largest] += (1 << kWeightBits) - total;
        taps.lowest = std::min(taps.lowest, merged.front().first);
        taps.highest = std::max(taps.highest, merged.back().first);
    }
    return taps;
}

// The tap counts the loop across is compiled for; a count between them is
// padded up to the next.
constexpr int kTapCounts[] = {2, 3, 4, 8, 12, 16, 20, 24, 32};

// The taps of every position padded with zero weights to the same count, so
// that the loop over them is the same for each.
std::vector<std::int32_t> PaddedWeights(const Taps& taps, int& n) {
    n = 1;
    for (int c : taps.count)
        n = std::max(n, c);
    for (int fixed : kTapCounts)
        if (n <= fixed) {
            n = fixed;
            break;
        }
    std::vector<std::int32_t> padded(taps.count.size() * static_cast<std::size_t>(n), 0);
    for (std::size_t i = 0; i < taps.count.size(); ++i)
        std::copy_n(&taps.weights[taps.offset[i]], taps.count[i], &padded[i * n]);
    return padded;
}

// A summed-down row, each channel on its own so that the sums across run on
// vectors; zeros follow for the padded taps that read past the last column.
struct ChannelRows {
    std::vector<std::int32_t> red, green, blue;
};

// One target row from the summed-down row: each pixel the weighted sum of
// N neighbours across (N fixed for the compiler, else n).
template <int N>
VECTOR_TEMPLATE_LOOP void SumAcross(const ChannelRows& row, int lowest,
                                    const std::vector<int>& first, const std::int32_t* weights,
                                    int n, std::uint32_t* target) {
    constexpr int shift = kWeightBits + kCarryBits;
    const int taps = N > 0 ? N : n;
    const std::int32_t *r = row.red.data(), *g = row.green.data(), *b = row.blue.data();
    for (std::size_t x = 0; x < first.size(); ++x) {
        const std::size_t at = static_cast<std::size_t>(first[x] - lowest);
        const std::int32_t* w = weights + x * static_cast<std::size_t>(taps);
        std::int32_t red = 1 << (shift - 1), green = red, blue = red;
        for (int t = 0; t < taps; ++t) {
            red += w[t] * r[at + t];
            green += w[t] * g[at + t];
            blue += w[t] * b[at + t];
        }
        const auto channel = [](std::int32_t v) {
            return static_cast<std::uint32_t>(std::clamp(v >> shift, 0, 255));
        };
        target[x] = 0xFF000000u | channel(red) << 16 | channel(green) << 8 | channel(blue);
    }
}

using SumAcrossFn = void (*)(const ChannelRows&, int, const std::vector<int>&, const std::int32_t*,
                             int, std::uint32_t*);

// The loop across for each of kTapCounts, then for any other count.
constexpr SumAcrossFn kSumAcross[] = {SumAcross<2>,  SumAcross<3>,  SumAcross<4>,  SumAcross<8>,
                                      SumAcross<12>, SumAcross<16>, SumAcross<20>, SumAcross<24>,
                                      SumAcross<32>, SumAcross<0>};

SumAcrossFn SumAcrossFor(int taps) {
    const auto fixed = std::find(std::begin(kTapCounts), std::end(kTapCounts), taps);
    return kSumAcross[fixed - std::begin(kTapCounts)];
}

// sum[k] += weight * line[k] for n values.
VECTOR_LOOP void AddWeighted(std::int32_t* sum, const unsigned char* line, std::int32_t weight,
                             std::size_t n) {
    for (std::size_t k = 0; k < n; ++k)
        sum[k] += weight * line[k];
}

// The same for four lines at once.
VECTOR_LOOP void AddWeighted4(std::int32_t* sum, const unsigned char* const* lines,
                              const std::int32_t* w, std::size_t n) {
    const unsigned char *a = lines[0], *b = lines[1], *c = lines[2], *d = lines[3];
    for (std::size_t k = 0; k < n; ++k)
        sum[k] += w[0] * a[k] + w[1] * b[k] + w[2] * c[k] + w[3] * d[k];
}

// The n pixels of in, shifted right, into their channels.
VECTOR_LOOP void ShiftApart(ChannelRows& out, const std::int32_t* in, std::size_t n, int shift) {
    std::int32_t *r = out.red.data(), *g = out.green.data(), *b = out.blue.data();
    for (std::size_t k = 0; k < n; ++k) {
        r[k] = in[3 * k] >> shift;
        g[k] = in[3 * k + 1] >> shift;
        b[k] = in[3 * k + 2] >> shift;
    }
}

// The source pixels a scaling reads: pixel (x, y) of the picture at pixels +
// (y - y0) * rowBytes + 3 * (x - x0), for the columns and rows the taps read.
struct SourceRows {
    const unsigned char* pixels;
    std::size_t rowBytes;
    int x0, y0;
    const unsigned char* At(int x, int y) const {
        return pixels + static_cast<std::size_t>(y - y0) * rowBytes +
               3u * static_cast<std::size_t>(x - x0);
    }
};

// Target rows [y0, y1) of the clip.
void SumRows(const SourceRows& src, const Taps& across, const Taps& down,
             const std::vector<std::int32_t>& padded, int taps, int y0, int y1, std::uint32_t* out,
             std::size_t stride) {
    const int columns = across.highest - across.lowest + 1;
    std::vector<std::int32_t> sum(3u * static_cast<std::size_t>(columns));
    // Padded taps read past the last column; those values are zero.
    const std::size_t padded_columns = static_cast<std::size_t>(columns) + taps;
    ChannelRows down_row{std::vector<std::int32_t>(padded_columns, 0),
                         std::vector<std::int32_t>(padded_columns, 0),
                         std::vector<std::int32_t>(padded_columns, 0)};
    const SumAcrossFn sumAcross = SumAcrossFor(taps);
    constexpr int downShift = kWeightBits - kCarryBits;
    for (int y = y0; y < y1; ++y) {
        std::fill(sum.begin(), sum.end(), 1 << (downShift - 1));
        const std::int32_t* w = &down.weights[down.offset[y]];
        // Four rows at a time, so that the sums are loaded and stored once
        // for every four.
        const unsigned char* lines[4];
        std::int32_t weights[4];
        int held = 0;
        for (int t = 0; t < down.count[y]; ++t) {
            if (w[t] == 0)
                continue;
            lines[held] = src.At(across.lowest, down.first[y] + t);
            weights[held++] = w[t];
            if (held == 4) {
                AddWeighted4(sum.data(), lines, weights, sum.size());
                held = 0;
            }
        }
        for (int k = 0; k < held; ++k)
            AddWeighted(sum.data(), lines[k], weights[k], sum.size());
        ShiftApart(down_row, sum.data(), static_cast<std::size_t>(columns), downShift);
        sumAcross(down_row, across.lowest, across.first, padded.data(), taps,
                  out + static_cast<std::size_t>(y) * stride);
    }
}

// sum[k] += line[k] for n values, in 16 bits (at most 257 lines).
VECTOR_LOOP void AddLine(std::uint16_t* sum, const unsigned char* line, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k)
        sum[k] = static_cast<std::uint16_t>(sum[k] + line[k]);
}

// Each output value the sum of K neighbours of the same channel (K fixed for
// the compiler when it is small, else k), divided by area with rounding: the
// division as a multiplication by a reciprocal exact for every sum.
template <int K>
void SumBlocks(const std::uint16_t* rows, int w, int k, std::uint64_t reciprocal,
               std::uint32_t half, unsigned char* dst) {
    const int n = K > 0 ? K : k;
    for (int x = 0; x < w; ++x) {
        const std::uint16_t* p = rows + 3u * static_cast<std::size_t>(x) * n;
        std::uint32_t red = half, green = half, blue = half;
        for (int i = 0; i < n; ++i) {
            red += p[3 * i];
            green += p[3 * i + 1];
            blue += p[3 * i + 2];
        }
        dst[3 * x] = static_cast<unsigned char>((red * reciprocal) >> 42);
        dst[3 * x + 1] = static_cast<unsigned char>((green * reciprocal) >> 42);
        dst[3 * x + 2] = static_cast<unsigned char>((blue * reciprocal) >> 42);
    }
}

// Blocks [bx, bx + w) x [by, by + h) of the part averaged in blocks of k x k
// pixels, on the part's own grid of blocks.
std::vector<unsigned char> BlockAverage(const RgbPicture& src, const PixelRect& part, int k, int bx,
                                        int by, int w, int h) {
    const std::size_t rowValues = 3u * static_cast<std::size_t>(w) * k;
    std::vector<unsigned char> out(3u * static_cast<std::size_t>(w) * h);
    std::vector<std::uint16_t> rows(rowValues);
    const auto area = static_cast<std::uint32_t>(k * k);
    // Sums stay below 2^25 and areas below 2^17: the reciprocal rounded up,
    // scaled by 2^42, divides each of them exactly.
    const std::uint64_t reciprocal = ((std::uint64_t{1} << 42) + area - 1) / area;
    for (int y = 0; y < h; ++y) {
        std::fill(rows.begin(), rows.end(), 0);
        for (int r = 0; r < k; ++r) {
            const unsigned char* line =
                src.pixels + (static_cast<std::size_t>(part.y + (by + y) * k + r) * src.width +
                              part.x + static_cast<std::size_t>(bx) * k) *
                                 3;
            AddLine(rows.data(), line, rowValues);
        }
        unsigned char* dst = &out[3u * static_cast<std::size_t>(y) * w];
        switch (k) {
        case 2:
            SumBlocks<2>(rows.data(), w, k, reciprocal, area / 2, dst);
            break;
        case 3:
            SumBlocks<3>(rows.data(), w, k, reciprocal, area / 2, dst);
            break;
        case 4:
            SumBlocks<4>(rows.data(), w, k, reciprocal, area / 2, dst);
            break;
        default:
            SumBlocks<0>(rows.data(), w, k, reciprocal, area / 2, dst);
        }
    }
    return out;
}

// The clip of the target scaled from the source with the taps given, on two
// threads when it is large.
void Scale(const SourceRows& src, const Taps& across, const Taps& down, const PixelRect& clip,
           std::uint32_t* out, std::size_t stride) {
    // One target row at a time: the source rows it covers are summed down,
    // over the columns any target column reads (a loop the compiler runs on
    // vectors), then the sums across. Large targets are shared between two
    // threads, each with rows of its own.
    int taps = 1;
    const std::vector<std::int32_t> padded = PaddedWeights(across, taps);
    const auto rowsFrom = [&](int y0, int y1) {
        SumRows(src, across, down, padded, taps, y0, y1, out, stride);
    };
    const long long pixels = static_cast<long long>(clip.w) * clip.h;
    if (pixels >= kThreadedPixels && clip.h >= 2 && std::thread::hardware_concurrency() >= 2) {
        const int half = clip.h / 2;
        std::thread lower(rowsFrom, half, clip.h);
        rowsFrom(0, half);
        lower.join();
    } else {
        rowsFrom(0, clip.h);
    }
}

} // namespace

bool ResamplePart(const RgbPicture& src, const PixelRect& part, int targetW, int targetH,
                  const PixelRect& clip, std::uint32_t* out, std::size_t stride,
                  ResampleFilter filter) {
    if (!src.pixels || src.width <= 0 || src.height <= 0 || part.w <= 0 || part.h <= 0 ||
        targetW <= 0 || targetH <= 0 || clip.w <= 0 || clip.h <= 0 || clip.x < 0 || clip.y < 0 ||
        clip.x > targetW - clip.w || clip.y > targetH - clip.h)
        return false;
    // Lanczos-3 after a box over a shrink of three or more: the part is first
    // averaged in blocks of k x k pixels, leaving a shrink of 1.5 to 3 for the
    // filter, whose footprint then spans a dozen pixels instead of dozens.
    // Only the blocks the clip's filter reads are averaged.
    const int k = static_cast<int>(
        std::min(static_cast<double>(part.w) / targetW, static_cast<double>(part.h) / targetH) /
        1.5);
    if (filter == ResampleFilter::BoxLanczos3 && k >= 2 && k <= 257 && part.x >= 0 && part.y >= 0 &&
        part.x <= src.width - part.w && part.y <= src.height - part.h) {
        const int bw = part.w / k, bh = part.h / k;
        const Taps across = MakeTaps(bw, 0, bw, targetW, clip.x, clip.w, ResampleFilter::Lanczos3);
        const Taps down = MakeTaps(bh, 0, bh, targetH, clip.y, clip.h, ResampleFilter::Lanczos3);
        const int w = across.highest - across.lowest + 1, h = down.highest - down.lowest + 1;
        const std::vector<unsigned char> blocks =
            BlockAverage(src, part, k, across.lowest, down.lowest, w, h);
        Scale(
            SourceRows{blocks.data(), 3u * static_cast<std::size_t>(w), across.lowest, down.lowest},
            across, down, clip, out, stride);
        return true;
    }
    const Taps across = MakeTaps(src.width, part.x, part.w, targetW, clip.x, clip.w, filter);
    const Taps down = MakeTaps(src.height, part.y, part.h, targetH, clip.y, clip.h, filter);
    Scale(SourceRows{src.pixels, 3u * static_cast<std::size_t>(src.width), 0, 0}, across, down,
          clip, out, stride);
    return true;
}
