// Scaling a part of an 8-bit RGB picture onto a target rectangle with a
// filter: each target pixel is the weighted average of the source pixels its
// footprint covers (shrinking), or interpolated between its neighbours
// (enlarging). Colour is averaged in the picture's own 8-bit values.
#pragma once

#include <cstddef>
#include <cstdint>

// An 8-bit RGB picture: rows top to bottom, three bytes a pixel, no padding.
struct RgbPicture {
    const unsigned char* pixels;
    int width;
    int height;
};

enum class ResampleFilter {
    // Each target pixel the exact area average of the source it covers;
    // bilinear when enlarging.
    Area,
    // Lanczos with three lobes, widened by the shrink factor.
    Lanczos3,
    // The same after averaging blocks of pixels, where the shrink is three or
    // more: nearly as sharp, and the cost of a shrink of two at most.
    BoxLanczos3,
};

// A rectangle in pixels: left, top, width and height.
struct PixelRect {
    int x, y, w, h;
};

// Maps the source part (a rectangle of the picture's pixels) onto a target of
// targetW x targetH pixels and writes the pixels of clip (a part of the
// target) into out, as 0xFFRRGGBB words, row after row, stride words apart.
// Near the picture's edges the filter takes only the pixels inside it. False,
// writing nothing, when a size is not positive or clip lies outside the
// target.
bool ResamplePart(const RgbPicture& src, const PixelRect& part, int targetW, int targetH,
                  const PixelRect& clip, std::uint32_t* out, std::size_t stride,
                  ResampleFilter filter);
