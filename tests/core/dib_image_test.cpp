#include "oracle/dib_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct LockedDib {
    explicit LockedDib(HGLOBAL h) : handle(h), block(GlobalLock(h)) {}
    ~LockedDib() {
        GlobalUnlock(handle);
        GlobalFree(handle);
    }
    BITMAPINFOHEADER header() const {
        BITMAPINFOHEADER bih;
        std::memcpy(&bih, block, sizeof bih);
        return bih;
    }
    HGLOBAL handle;
    void* block;
};

TEST(DibImage, RowLengthsArePaddedToFourBytes) {
    EXPECT_EQ(DibRowLength(1), 4u);
    EXPECT_EQ(DibRowLength(2), 8u);
    EXPECT_EQ(DibRowLength(3), 12u);
    EXPECT_EQ(DibRowLength(4), 12u);
    EXPECT_EQ(DibRowLength(5), 16u);
}

TEST(DibImage, HeaderAndBlockSizeAreExact) {
    for (int width : {1, 2, 4, 7}) {
        std::vector<unsigned char> px(static_cast<std::size_t>(width) * 3 * 3, 0);
        LockedDib dib(MakeDibImage(24, width, 3, px.data()));
        ASSERT_NE(dib.block, nullptr);
        BITMAPINFOHEADER bih = dib.header();
        EXPECT_EQ(bih.biSize, 40u);
        EXPECT_EQ(bih.biWidth, width);
        EXPECT_EQ(bih.biHeight, 3);
        EXPECT_EQ(bih.biPlanes, 1);
        EXPECT_EQ(bih.biBitCount, 24);
        EXPECT_EQ(bih.biCompression, BI_RGB);
        EXPECT_EQ(bih.biSizeImage, DibRowLength(width) * 3);
        EXPECT_EQ(bih.biClrUsed, 0u);
        EXPECT_EQ(GlobalSize(dib.handle), DibRowLength(width) * 3 + 2040);
        EXPECT_EQ(DibImageBits(dib.block), static_cast<unsigned char*>(dib.block) + 40);
        EXPECT_EQ(DibImageHeight(dib.block), 3);
        EXPECT_EQ(DibColorCount(dib.block), 0u);
        EXPECT_EQ(DibColorTableSize(dib.block), 0u);
    }
}

TEST(DibImage, RowsAreFlippedAndSwappedToBlueGreenRed) {
    // 2 x 2 picture: top row red, green; bottom row blue, white-ish.
    const unsigned char px[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
    LockedDib dib(MakeDibImage(24, 2, 2, px));
    const unsigned char* bits = DibImageBits(dib.block);
    // DIB row 0 is the picture's bottom row.
    const unsigned char row0[] = {255, 0, 0, 30, 20, 10};
    const unsigned char row1[] = {0, 0, 255, 0, 255, 0};
    EXPECT_EQ(std::memcmp(bits, row0, 6), 0);
    EXPECT_EQ(std::memcmp(bits + 8, row1, 6), 0);
}

TEST(DibImage, TopLeftPixelStartsTheLastRow) {
    const int w = 3, h = 5;
    std::vector<unsigned char> px(w * h * 3, 0);
    px[0] = 11;
    px[1] = 22;
    px[2] = 33;
    LockedDib dib(MakeDibImage(24, w, h, px.data()));
    const unsigned char* last = DibImageBits(dib.block) + DibRowLength(w) * (h - 1);
    EXPECT_EQ(last[0], 33);
    EXPECT_EQ(last[1], 22);
    EXPECT_EQ(last[2], 11);
}

TEST(DibImage, HeaderQueriesReadCoreHeadersAndColourTables) {
    unsigned char block[1024] = {};
    BITMAPCOREHEADER core{12, 4, 9, 1, 8};
    std::memcpy(block, &core, sizeof core);
    EXPECT_EQ(DibColorCount(block), 256u);
    EXPECT_EQ(DibColorTableSize(block), 768u);
    EXPECT_EQ(DibImageHeight(block), 9);
    EXPECT_EQ(DibImageBits(block), block + 12 + 768);

    BITMAPINFOHEADER info{};
    info.biSize = 40;
    info.biHeight = -7;
    info.biBitCount = 4;
    std::memcpy(block, &info, sizeof info);
    EXPECT_EQ(DibColorCount(block), 16u);
    EXPECT_EQ(DibColorTableSize(block), 64u);
    EXPECT_EQ(DibImageHeight(block), 7);
    info.biClrUsed = 5;
    std::memcpy(block, &info, sizeof info);
    EXPECT_EQ(DibColorCount(block), 5u);
    info.biClrUsed = 0;
    info.biBitCount = 1;
    std::memcpy(block, &info, sizeof info);
    EXPECT_EQ(DibColorCount(block), 2u);
}

TEST(DibImage, FailedAllocationGivesNull) {
    GlobalAllocFailNext(1);
    unsigned char px[3] = {1, 2, 3};
    EXPECT_EQ(MakeDibImage(24, 1, 1, px), nullptr);
    HGLOBAL ok = MakeDibImage(24, 1, 1, px);
    EXPECT_NE(ok, nullptr);
    GlobalFree(ok);
}

} // namespace
