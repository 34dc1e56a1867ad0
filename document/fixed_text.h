// Copying text into fixed-size character fields without overrunning them.
#pragma once

#include <cstddef>
#include <string>

// Copies src into dst[size], cutting it to at most size - 1 bytes on a UTF-8
// character boundary; dst is always terminated. Returns true when nothing was cut.
bool CopyToField(char* dst, std::size_t size, const char* src);
inline bool CopyToField(char* dst, std::size_t size, const std::string& src) {
    return CopyToField(dst, size, src.c_str());
}

// Length of the longest prefix of text[0..len) of at most maxBytes bytes that
// ends on a UTF-8 character boundary.
std::size_t Utf8CutLength(const char* text, std::size_t len, std::size_t maxBytes);

template <std::size_t N> bool CopyToField(char (&dst)[N], const char* src) {
    return CopyToField(dst, N, src);
}
template <std::size_t N> bool CopyToField(char (&dst)[N], const std::string& src) {
    return CopyToField(dst, N, src.c_str());
}
