// libFuzzer target: the JPEG reader at half and at full size.
#include "fuzz/fuzz_checks.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

namespace {

// The reader takes a path: one scratch file per fuzzing process, removed at exit.
const std::string& ScratchPath() {
    static const std::string path = [] {
        const char* dir = std::getenv("TMPDIR");
        std::string p = std::string(dir && *dir ? dir : "/tmp") + "/zelbrin_fuzz_jpeg_" +
                        std::to_string(getpid()) + ".jpg";
        return p;
    }();
    return path;
}

void RemoveScratch() {
    std::remove(ScratchPath().c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit(RemoveScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string failure;
    if (!CheckJpegInput(data, size, ScratchPath(), failure)) {
        std::fprintf(stderr, "jpeg: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
