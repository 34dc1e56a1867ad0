// Packed 24-bit bottom-up device-independent bitmaps in global memory blocks.
#pragma once

#include "oracle/globalmem.h"
#include "platform/win/wintypes.h"

// Bytes reserved beyond the pixel rows for the header and a colour table.
constexpr std::size_t DIB_HEADER_RESERVE = 2040;

// Row length of a 24-bit DIB: 3 x width rounded up to a multiple of 4.
constexpr DWORD DibRowLength(LONG width) {
    return static_cast<DWORD>(((24 * static_cast<std::int64_t>(width) / 8) + 3) & ~3ll);
}

// A new DibImage of width x height (bits per pixel must be 24), its rows filled
// from pixels when given; nullptr when the block cannot be allocated or locked.
HGLOBAL MakeDibImage(int nBitsPerPixel, LONG width, LONG height, const unsigned char* pixels);
// Fills the rows of a 24-bit DibImage from a PictureBuffer of the same size.
void CopyPixelsToDib(HGLOBAL hDib, const unsigned char* pixels);

// Header queries on a locked packed DIB (40-byte or 12-byte header).
DWORD DibColorCount(const void* header);
DWORD DibColorTableSize(const void* header);
unsigned char* DibImageBits(void* header);
LONG DibImageHeight(const void* header);
