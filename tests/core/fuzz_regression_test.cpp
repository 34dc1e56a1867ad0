// Every input that once crashed, hung or failed a check of a fuzz target
// (tests/data/fuzz/<target>/) goes through that target's check again.
#include "fuzz/fuzz_checks.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

using Check = std::function<bool(const std::uint8_t*, std::size_t, std::string&)>;

void RunFolder(const std::string& target, const Check& check) {
    const std::filesystem::path folder = std::filesystem::path(ZELBRIN_FUZZ_DATA) / target;
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string bytes = ReadFileBytes(entry.path().string());
        std::string failure;
        EXPECT_TRUE(
            check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), failure))
            << entry.path().filename() << ": " << failure;
        ++count;
    }
    EXPECT_GT(count, 0) << "no inputs in " << folder;
}

TEST(FuzzRegression, AlbumInputs) {
    RunFolder("album", CheckAlbumInput);
}

TEST(FuzzRegression, TemplateInputs) {
    RunFolder("template", CheckTemplateInput);
}

TEST(FuzzRegression, JpegInputs) {
    TempDir dir;
    RunFolder("jpeg", [&](const std::uint8_t* data, std::size_t size, std::string& failure) {
        return CheckJpegInput(data, size, dir.File("input.jpg"), failure);
    });
}

} // namespace
