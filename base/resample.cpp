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

// The taps of every position padded with zero weights to the same count, so
// that the loop over them is the same for each.
std::vector<std::int32_t> PaddedWeights(const Taps& taps, int& n) {
    n = 1;
    for (int c : taps.count)
        n = std::max(n, c);
    std::vector<std::int32_t> padded(taps.count.size() * static_cast<std::size_t>(n), 0);
    for (std::size_t i = 0; i < taps.count.size(); ++i)
        std::copy_n(&taps.weights[taps.offset[i]], taps.count[i], &padded[i * n]);
    return padded;
}

// One target row from the summed-down row: each pixel the weighted sum of
// N neighbours across (N fixed for the compiler when it is small).
template <int N>
void SumAcross(const std::int32_t* row, int lowest, const std::vector<int>& first,
               const std::int32_t* weights, int n, std::uint32_t* target) {
    constexpr int shift = kWeightBits + kCarryBits;
    const int taps = N > 0 ? N : n;
    for (std::size_t x = 0; x < first.size(); ++x) {
        const std::int32_t* p = row + 3 * static_cast<std::size_t>(first[x] - lowest);
        const std::int32_t* w = weights + x * static_cast<std::size_t>(taps);
        std::int32_t red = 1 << (shift - 1), green = red, blue = red;
        for (int t = 0; t < taps; ++t) {
            red += w[t] * p[3 * t];
            green += w[t] * p[3 * t + 1];
            blue += w[t] * p[3 * t + 2];
        }
        const auto channel = [](std::int32_t v) {
            return static_cast<std::uint32_t>(std::clamp(v >> shift, 0, 255));
        };
        target[x] = 0xFF000000u | channel(red) << 16 | channel(green) << 8 | channel(blue);
    }
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

// out[k] = in[k] >> shift for n values.
VECTOR_LOOP void ShiftInto(std::int32_t* out, const std::int32_t* in, std::size_t n, int shift) {
    for (std::size_t k = 0; k < n; ++k)
        out[k] = in[k] >> shift;
}

// Target rows [y0, y1) of the clip.
void SumRows(const RgbPicture& src, const Taps& across, const Taps& down,
             const std::vector<std::int32_t>& padded, int taps, int y0, int y1, std::uint32_t* out,
             std::size_t stride) {
    const int columns = across.highest - across.lowest + 1;
    const std::size_t srcRowBytes = 3u * static_cast<std::size_t>(src.width);
    std::vector<std::int32_t> sum(3u * static_cast<std::size_t>(columns));
    // Padded taps read past the last column; those values are zero.
    std::vector<std::int32_t> down_row(sum.size() + 3u * static_cast<std::size_t>(taps), 0);
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
            lines[held] = src.pixels + static_cast<std::size_t>(down.first[y] + t) * srcRowBytes +
                          3u * static_cast<std::size_t>(across.lowest);
            weights[held++] = w[t];
            if (held == 4) {
                AddWeighted4(sum.data(), lines, weights, sum.size());
                held = 0;
            }
        }
        for (int k = 0; k < held; ++k)
            AddWeighted(sum.data(), lines[k], weights[k], sum.size());
        ShiftInto(down_row.data(), sum.data(), sum.size(), downShift);
        std::uint32_t* target = out + static_cast<std::size_t>(y) * stride;
        switch (taps) {
        case 2:
            SumAcross<2>(down_row.data(), across.lowest, across.first, padded.data(), taps, target);
            break;
        case 3:
            SumAcross<3>(down_row.data(), across.lowest, across.first, padded.data(), taps, target);
            break;
        case 4:
            SumAcross<4>(down_row.data(), across.lowest, across.first, padded.data(), taps, target);
            break;
        default:
            SumAcross<0>(down_row.data(), across.lowest, across.first, padded.data(), taps, target);
        }
    }
}

// The part averaged in blocks of k x k pixels (a rest of fewer than k
// columns or rows at the far edges is left out).
std::vector<unsigned char> BlockAverage(const RgbPicture& src, const PixelRect& part, int k) {
    const int w = part.w / k, h = part.h / k;
    const std::size_t rowValues = 3u * static_cast<std::size_t>(w) * k;
    std::vector<unsigned char> out(3u * static_cast<std::size_t>(w) * h);
    std::vector<std::int32_t> rows(rowValues);
    const std::int32_t area = k * k;
    for (int y = 0; y < h; ++y) {
        std::fill(rows.begin(), rows.end(), 0);
        for (int r = 0; r < k; ++r) {
            const unsigned char* line =
                src.pixels +
                (static_cast<std::size_t>(part.y + y * k + r) * src.width + part.x) * 3;
            AddWeighted(rows.data(), line, 1, rowValues);
        }
        unsigned char* dst = &out[3u * static_cast<std::size_t>(y) * w];
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                std::int32_t sum = area / 2;
                for (int i = 0; i < k; ++i)
                    sum += rows[3u * (static_cast<std::size_t>(x) * k + i) + c];
                dst[3 * x + c] = static_cast<unsigned char>(sum / area);
            }
    }
    return out;
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
    const int k = static_cast<int>(
        std::min(static_cast<double>(part.w) / targetW, static_cast<double>(part.h) / targetH) /
        1.5);
    if (filter == ResampleFilter::BoxLanczos3 && k >= 2 && part.x >= 0 && part.y >= 0 &&
        part.x <= src.width - part.w && part.y <= src.height - part.h) {
        const std::vector<unsigned char> blocks = BlockAverage(src, part, k);
        return ResamplePart(RgbPicture{blocks.data(), part.w / k, part.h / k},
                            PixelRect{0, 0, part.w / k, part.h / k}, targetW, targetH, clip, out,
                            stride, ResampleFilter::Lanczos3);
    }
    const Taps across = MakeTaps(src.width, part.x, part.w, targetW, clip.x, clip.w, filter);
    const Taps down = MakeTaps(src.height, part.y, part.h, targetH, clip.y, clip.h, filter);

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
    return true;
}
