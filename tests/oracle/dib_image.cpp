#include "oracle/dib_image.h"

#include <cstdlib>
#include <cstring>

namespace {

DWORD HeaderSize(const void* header) {
    DWORD size;
    std::memcpy(&size, header, sizeof size);
    return size;
}

bool IsInfoHeader(const void* header) {
    return HeaderSize(header) == sizeof(BITMAPINFOHEADER);
}

} // namespace

HGLOBAL MakeDibImage(int nBitsPerPixel, LONG width, LONG height, const unsigned char* pixels) {
    if (nBitsPerPixel != 24 || width <= 0 || height <= 0)
        return nullptr;
    const std::size_t rowLength = DibRowLength(width);
    const std::size_t imageSize = rowLength * static_cast<std::size_t>(height);
    HGLOBAL hDib = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, imageSize + DIB_HEADER_RESERVE);
    if (!hDib)
        return nullptr;
    void* block = GlobalLock(hDib);
    if (!block) {
        GlobalFree(hDib);
        return nullptr;
    }
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = width;
    bih.biHeight = height;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = static_cast<DWORD>(imageSize);
    std::memcpy(block, &bih, sizeof bih);
    GlobalUnlock(hDib);
    if (pixels)
        CopyPixelsToDib(hDib, pixels);
    return hDib;
}

void CopyPixelsToDib(HGLOBAL hDib, const unsigned char* pixels) {
    void* block = GlobalLock(hDib);
    if (!block)
        return;
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, block, sizeof bih);
    const std::size_t width = static_cast<std::size_t>(bih.biWidth);
    const std::size_t height = static_cast<std::size_t>(bih.biHeight);
    const std::size_t rowBytes = 3 * width;
    const std::size_t padding = (bih.biSizeImage - rowBytes * height) / height;
    unsigned char* dst = DibImageBits(block);
    // DIB row 0 is the picture's bottom row; swap red-green-blue to blue-green-red.
    const unsigned char* src = pixels + (height - 1) * rowBytes;
    for (std::size_t i = 0; i < height; ++i) {
        const unsigned char* s = src;
        unsigned char* d = dst;
        for (std::size_t x = 0; x < width; ++x) {
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
            d += 3;
            s += 3;
        }
        dst += rowBytes + padding;
        src -= rowBytes;
    }
    GlobalUnlock(hDib);
}

DWORD DibColorCount(const void* header) {
    WORD bitCount;
    if (IsInfoHeader(header)) {
        BITMAPINFOHEADER bih;
        std::memcpy(&bih, header, sizeof bih);
        if (bih.biClrUsed != 0)
            return bih.biClrUsed;
        bitCount = bih.biBitCount;
    } else {
        BITMAPCOREHEADER bch;
        std::memcpy(&bch, header, sizeof bch);
        bitCount = bch.bcBitCount;
    }
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

DWORD DibColorTableSize(const void* header) {
    return DibColorCount(header) * (IsInfoHeader(header) ? sizeof(RGBQUAD) : 3);
}

unsigned char* DibImageBits(void* header) {
    return static_cast<unsigned char*>(header) + HeaderSize(header) +
           static_cast<WORD>(DibColorTableSize(header));
}

LONG DibImageHeight(const void* header) {
    if (IsInfoHeader(header)) {
        BITMAPINFOHEADER bih;
        std::memcpy(&bih, header, sizeof bih);
        return bih.biHeight < 0 ? -bih.biHeight : bih.biHeight;
    }
    BITMAPCOREHEADER bch;
    std::memcpy(&bch, header, sizeof bch);
    return bch.bcHeight;
}
