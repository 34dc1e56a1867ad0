// libFuzzer target: the layout template reader and the slot fitting it feeds.
#include "fuzz/fuzz_checks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string failure;
    if (!CheckTemplateInput(data, size, failure)) {
        std::fprintf(stderr, "template: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
