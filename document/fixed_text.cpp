#include "document/fixed_text.h"

#include <cstring>

std::size_t Utf8CutLength(const char* text, std::size_t len, std::size_t maxBytes) {
    if (len <= maxBytes)
        return len;
    std::size_t cut = maxBytes;
    // Back off over continuation bytes so the cut never splits a sequence.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
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
