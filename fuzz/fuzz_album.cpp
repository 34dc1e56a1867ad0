// libFuzzer target: the album reader with a write and re-read round trip.
#include "fuzz/fuzz_checks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string failure;
    if (!CheckAlbumInput(data, size, failure)) {
        std::fprintf(stderr, "album: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
