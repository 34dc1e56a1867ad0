// Decoded pixels of one picture: width x height x 3 bytes, rows top to
// bottom, red-green-blue, no row padding, allocated with malloc.
#pragma once

#include <cstdint>

constexpr int MAX_PICTURE_WIDTH = 10922; // 3 x width must fit a 16-bit row length
constexpr std::uint64_t MAX_PICTURE_BYTES = 256ull * 1024 * 1024;
