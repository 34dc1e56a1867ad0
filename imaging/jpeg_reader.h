// Decoding JPEG files into PictureBuffers.
#pragma once

#include "platform/win/wintypes.h"

#include <cstddef>
#include <string>

// Decodes path at 1/nScaleDenom size (1 or 2) into a new malloc'ed
// PictureBuffer. Returns TRUE and fills the outputs on success; on any
// failure returns FALSE with the outputs untouched and nothing left allocated.
// The pixels are turned upright by the orientation *pOrientation asks for
// (1 to 8), or by the file's EXIF tag when it is ORIENTATION_FROM_FILE or
// pOrientation is null; the orientation used goes back into *pOrientation.
BOOL ReadJpegPicture(const char* path, unsigned char** ppPixels, int* pWidth, int* pHeight,
                     int nScaleDenom, int* pOrientation = nullptr);

// The same, safe on any thread: what ReadJpegPicture writes to stderr (its own
// lines and the library's) is appended to log instead.
BOOL ReadJpegPictureLogged(const char* path, unsigned char** ppPixels, int* pWidth, int* pHeight,
                           int nScaleDenom, std::string& log, int* pOrientation = nullptr);

// The memory decoding path needs beyond its output pixels, in bytes: the
// whole picture's coefficients for a progressive or multi-scan file, a
// little for any other. A file that cannot be read counts as the little.
std::size_t JpegDecodeWorkingSet(const char* path);
