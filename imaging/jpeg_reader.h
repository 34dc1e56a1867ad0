// Decoding JPEG files into PictureBuffers.
#pragma once

#include "platform/win/wintypes.h"

#include <string>

// Decodes path at 1/nScaleDenom size (1 or 2) into a new malloc'ed
// PictureBuffer. Returns TRUE and fills the three outputs on success; on any
// failure returns FALSE with the outputs untouched and nothing left allocated.
BOOL ReadJpegPicture(const char* path, unsigned char** ppPixels, int* pWidth, int* pHeight,
                     int nScaleDenom);

// The same, safe on any thread: what ReadJpegPicture writes to stderr (its own
// lines and the library's) is appended to log instead.
BOOL ReadJpegPictureLogged(const char* path, unsigned char** ppPixels, int* pWidth, int* pHeight,
                           int nScaleDenom, std::string& log);
