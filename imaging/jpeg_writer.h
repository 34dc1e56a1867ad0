// Encoding a PictureBuffer as a JFIF file.
#pragma once

#include "platform/win/wintypes.h"

#include <cstddef>

// Exported pictures have 1 to EXPORT_MAX_SIDE pixels per side.
constexpr int EXPORT_MAX_SIDE = 3000;

// Writes width x height RGB pixels (rows top to bottom, no padding) to path as
// a baseline JFIF file at the given quality. The data goes to a temporary file
// beside path that replaces it only when complete. Returns FALSE (and leaves
// any earlier file at path untouched) when the file cannot be written.
BOOL WriteJpegPicture(const unsigned char* pixels, const char* path, int width, int height,
                      int quality);

// Rows as the encoder takes them: red-green-blue bytes, or 32-bit words
// holding blue, green, red and an unused byte in memory order (a 32-bit
// drawing surface on a little-endian machine).
enum class JpegRowLayout { Rgb, Bgrx };

struct JpegImage {
    const unsigned char* pixels;
    int width;
    int height;
    std::size_t rowBytes; // from one row to the next
    JpegRowLayout layout;
};

struct JpegOptions {
    int quality;
    int dotsPerInch; // recorded in the JFIF header when positive, else no unit
    bool fullColour; // colour at full resolution (4:4:4), else halved both ways
};

// The same for any row layout and options.
BOOL WriteJpegImage(const JpegImage& image, const char* path, const JpegOptions& options);
