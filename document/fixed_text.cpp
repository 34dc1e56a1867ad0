#include "document/fixed_text.h"

#include <cstring>

std::size_t Utf8CutLength(const char* text, std::size_t len, std::size_t maxBytes) {
    if (len <= maxBytes)
        return len;
    auto continuation = [text](std::size_t i) {
        return (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    };
    // Back off to the lead byte of a sequence the cut would split. A sequence
    // is at most four bytes; bytes that are not valid UTF-8 are cut at the limit
    // (backing off over a long run of them could leave nothing).
    std::size_t start = maxBytes;
    while (start > 0 && maxBytes - start < 3 && continuation(start))
        --start;
    if (start < maxBytes && static_cast<unsigned char>(text[start]) >= 0xC0)
        return start;
    return maxBytes;
}

bool CopyToField(char* dst, std::size_t size, const char* src) {
    if (size == 0)
        return false;
    std::size_t len = std::strlen(src);
    std::size_t n = Utf8CutLength(src, len, size - 1);
    std::memmove(dst, src, n);
    dst[n] = '\0';
    return n == len;
}
