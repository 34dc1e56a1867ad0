// Encoding a PictureBuffer as a JFIF file.
#pragma once

#include "platform/win/wintypes.h"

// Exported pictures have 1 to EXPORT_MAX_SIDE pixels per side.
constexpr int EXPORT_MAX_SIDE = 3000;

// Writes width x height RGB pixels (rows top to bottom, no padding) to path as
// a baseline JFIF file at the given quality. The data goes to a temporary file
// beside path that replaces it only when complete. Returns FALSE (and leaves
// any earlier file at path untouched) when the file cannot be written.
BOOL WriteJpegPicture(const unsigned char* pixels, const char* path, int width, int height,
                      int quality);
