// libFuzzer target: the whole page, opened, exported and printed (page_check.h).
#include "fuzz/page_check.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

std::string g_folder;

void RemoveScratch() {
    std::error_code ec;
    std::filesystem::remove_all(g_folder, ec);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(*argc, *argv);
    const char* tmp = std::getenv("TMPDIR");
    g_folder =
        std::string(tmp && *tmp ? tmp : "/tmp") + "/zelbrin_fuzz_page_" + std::to_string(getpid());
    std::filesystem::create_directories(g_folder);
    std::atexit(RemoveScratch);
    MakePagePictures(g_folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string failure;
    if (!CheckPageInput(data, size, g_folder, failure)) {
        std::fprintf(stderr, "page: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
