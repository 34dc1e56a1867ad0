// Exporting the page as JPEG: the pixels drawn, their layout, the file's
// format and the failures.
#include "document/zelbrin_doc.h"
#include "imaging/jpeg_reader.h"
#include "render/page_export.h"
#include "support/test_support.h"
#include "support/view_fixture.h"
#include "view/zelbrin_view.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

PageItem Solid(int w, int h, unsigned char r, unsigned char g, unsigned char b, RECT place) {
    PageItem item{};
    item.nKind = ITEM_PICTURE;
    item.nSrcWidth = w;
    item.nSrcHeight = h;
    unsigned char* pixels = AllocatePixels(item, static_cast<std::size_t>(w * h * 3));
    for (int i = 0; i < w * h; ++i) {
        pixels[3 * i] = r;
        pixels[3 * i + 1] = g;
        pixels[3 * i + 2] = b;
    }
    item.rcPlace = place;
    item.rcSource = RECT{0, 0, w, h};
    return item;
}

class Export : public ViewFixture {
protected:
    void SetUp() override {
        ViewFixture::SetUp();
        view->OnInitialUpdate();
        view->GetClientExtent(ch, cw);
    }
    std::vector<unsigned char> Render(int w, int h, float scale, CPageExport& page) {
        CClientDC dc(view.get());
        EXPECT_TRUE(page.Begin(&dc, w, h));
        page.DrawItems(doc, scale);
        std::vector<unsigned char> rgb;
        EXPECT_TRUE(page.ReadPixels(rgb));
        return rgb;
    }
    int ch = 0, cw = 0;
};

TEST_F(Export, AtClientSizeItEqualsThePageWithoutGridOrSelection) {
    // Text first in the array, under a picture: it must still lie above it.
    PageItem text = TextItem("WWWW", RECT{30, 30, 230, 90});
    text.crColor = RGB(0, 0, 255);
    text.bBold = 1;
    doc.AppendItem(text);
    doc.AppendItem(Solid(80, 60, 200, 30, 30, RECT{10, 10, 250, 190}));
    doc.AppendItem(Solid(40, 40, 30, 160, 30, RECT{200, 250, 300, 350}));
    view->m_bShowGrid = 0;
    view->RedrawPage();
    const QImage& bg = view->OffscreenBitmap()->Image();

    CPageExport page;
    std::vector<unsigned char> rgb = Render(cw, ch, 1.0f, page);
    ASSERT_EQ(rgb.size(), static_cast<std::size_t>(cw * ch * 3));
    int differing = 0, blue = 0;
    for (int y = 0; y < ch; ++y)
        for (int x = 0; x < cw; ++x) {
            const unsigned char* p = &rgb[static_cast<std::size_t>((y * cw + x) * 3)];
            QRgb c = bg.pixel(x, y);
            differing += p[0] != qRed(c) || p[1] != qGreen(c) || p[2] != qBlue(c);
            blue += p[0] == 0 && p[1] == 0 && p[2] == 255;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(blue, 100);

    // The window shows the selection frame; the export does not.
    const QImage& window = view->Surface();
    EXPECT_NE(window.pixel(201, 251), bg.pixel(201, 251));
}

TEST_F(Export, ScaleAndRowLayout) {
    doc.AppendItem(Solid(10, 10, 0, 0, 0, RECT{0, 0, 1, 1}));
    CPageExport page;
    std::vector<unsigned char> rgb = Render(3, 2, 3.0f / static_cast<float>(cw), page);
    EXPECT_EQ(page.FetchedRowLength(), 12u);
    EXPECT_EQ(rgb.size(), 18u); // output rows of 9 bytes
    for (unsigned char v : rgb)
        EXPECT_EQ(v, 255); // a 1-pixel item at a scale below 1 covers nothing

    CPageExport twice;
    doc.RemoveItem(0);
    doc.AppendItem(Solid(10, 10, 10, 20, 30, RECT{5, 5, 10, 10}));
    rgb = Render(40, 40, 2.0f, twice);
    auto at = [&](int x, int y) { return &rgb[static_cast<std::size_t>((y * 40 + x) * 3)]; };
    EXPECT_EQ(at(10, 10)[0], 10);
    EXPECT_EQ(at(10, 10)[1], 20);
    EXPECT_EQ(at(10, 10)[2], 30);
    EXPECT_EQ(at(19, 19)[2], 30);
    EXPECT_EQ(at(20, 20)[2], 255);
    EXPECT_EQ(at(9, 9)[0], 255);
}

TEST_F(Export, WritesJfifAtQualityNinety) {
    TempDir dir;
    doc.AppendItem(Solid(40, 30, 250, 120, 10, RECT{0, 0, 200, 150}));
    const std::string path = dir.File("page.jpg");
    // 300 pixels over 8.5 inches: 35 dots per inch, so the file prints the page's size.
    ASSERT_TRUE(ExportPageToJpeg(doc, cw, 300, 200, path, 8.5f));
    const std::string bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 20u);
    const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    EXPECT_EQ(byte(0), 0xFF);
    EXPECT_EQ(byte(1), 0xD8);
    EXPECT_EQ(bytes.substr(6, 5), std::string("JFIF\0", 5));
    EXPECT_EQ(byte(13), 1); // dots per inch
    EXPECT_EQ(byte(14) << 8 | byte(15), 35);
    EXPECT_EQ(byte(16) << 8 | byte(17), 35);
    // Colour at full resolution: every component sampled 1 x 1.
    const std::size_t sof = bytes.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(byte(sof + 11 + 3 * c), 0x11);
    // Without the page's inches no unit is recorded.
    ASSERT_TRUE(ExportPageToJpeg(doc, cw, 300, 200, dir.File("plain.jpg")));
    EXPECT_EQ(ReadFileBytes(dir.File("plain.jpg"))[13], 0);
    // Quality 90 scales the standard tables by 20 %: luminance 16, 11 -> 3, 2;
    // chrominance 17, 18 -> 3, 4.
    std::size_t dqt = bytes.find("\xFF\xDB");
    ASSERT_NE(dqt, std::string::npos);
    std::vector<int> firsts;
    for (std::size_t at = dqt; at != std::string::npos && firsts.size() < 4;
         at = bytes.find("\xFF\xDB", at + 2)) {
        std::size_t len = (static_cast<unsigned char>(bytes[at + 2]) << 8) |
                          static_cast<unsigned char>(bytes[at + 3]);
        for (std::size_t t = at + 4; t + 65 <= at + 2 + len; t += 65) {
            firsts.push_back(static_cast<unsigned char>(bytes[t + 1]));
            firsts.push_back(static_cast<unsigned char>(bytes[t + 2]));
        }
    }
    EXPECT_EQ(firsts, (std::vector<int>{3, 2, 3, 4}));

    unsigned char* px = nullptr;
    int w = 0, h = 0;
    ASSERT_TRUE(ReadJpegPicture(path.c_str(), &px, &w, &h, 1));
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 200);
    // Scale 300 / client width: the picture's corner is orange, the far side white.
    EXPECT_NEAR(px[(5 * 300 + 5) * 3], 250, 8);
    EXPECT_NEAR(px[(5 * 300 + 5) * 3 + 1], 120, 8);
    EXPECT_GT(px[(190 * 300 + 290) * 3 + 2], 245);
    std::free(px);
}

TEST_F(Export, FailuresAreReportedAndNothingIsLeftBehind) {
    MessageBoxRecorder boxes;
    CClientDC dc(view.get());
    CPageExport page;
    FailNextCreateCompatibleDC();
    EXPECT_FALSE(page.Begin(&dc, 10, 10));
    CBitmap::FailNextCreate();
    EXPECT_FALSE(page.Begin(&dc, 10, 10));
    std::vector<unsigned char> rgb;
    EXPECT_FALSE(page.ReadPixels(rgb));
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"Failed to create export dc",
                                                       "Failed to create export bitmap"}));

    TempDir dir;
    ASSERT_TRUE(page.Begin(&dc, 10, 10));
    const std::string bad = dir.File("missing-folder/page.jpg");
    EXPECT_FALSE(page.WriteTo(bad));
    ASSERT_EQ(boxes.texts().size(), 3u);
    EXPECT_NE(boxes.texts()[2].find(bad), std::string::npos);
    EXPECT_TRUE(FilesIn(dir.path()).empty());

    EXPECT_FALSE(ExportPageToJpeg(doc, cw, 0, 10, dir.File("a.jpg")));
    EXPECT_FALSE(ExportPageToJpeg(doc, cw, 3001, 10, dir.File("a.jpg")));
    EXPECT_TRUE(FilesIn(dir.path()).empty());
}

} // namespace

// A picture exported larger than its half-size pixels is drawn from its file
// at full size: one-pixel stripes stay stripes instead of their grey average.
TEST_F(Export, EnlargedPicturesComeFromTheirFullSizePixels) {
    TempDir dir;
    std::vector<unsigned char> px(16 * 16 * 3);
    for (std::size_t i = 0; i < px.size(); ++i)
        px[i] = (i / 3) % 2 ? 255 : 0;
    const std::string file = dir.File("stripes.jpg");
    ASSERT_TRUE(WriteJpegPicture(px.data(), file.c_str(), 16, 16, 100));
    ASSERT_TRUE(doc.AddPicture(file.c_str()));
    PageItem item = doc.GetLastItem();
    ASSERT_EQ(item.nSrcWidth, 8); // half size
    item.rcPlace = RECT{0, 0, 160, 160};
    doc.SetLastItem(item);
    const std::string path = dir.File("page.jpg");
    ASSERT_TRUE(ExportPageToJpeg(doc, cw, cw, cw, path));
    unsigned char* out = nullptr;
    int w = 0, h = 0;
    ASSERT_TRUE(ReadJpegPicture(path.c_str(), &out, &w, &h, 1));
    const auto green = [&](int x) { return static_cast<int>(out[(80 * w + x) * 3 + 1]); };
    // Source columns 6 and 7 (black, white) are target columns 60-69 and 70-79.
    EXPECT_GT(green(75) - green(65), 100);
    std::free(out);
}
