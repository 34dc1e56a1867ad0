// Every whole-page input that once failed the page fuzz target
// (tests/data/fuzz/page/) is opened, exported and printed into a PDF again.
#include "fuzz/page_check.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(FuzzRegression, PageInputs) {
    TempDir dir;
    MakePagePictures(dir.path());
    const std::filesystem::path folder = std::filesystem::path(ZELBRIN_FUZZ_DATA) / "page";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string bytes = ReadFileBytes(entry.path().string());
        std::string failure;
        EXPECT_TRUE(CheckPageInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size(), dir.path(), failure))
            << entry.path().filename() << ": " << failure;
        ++count;
    }
    EXPECT_GT(count, 0) << "no inputs in " << folder;
}
