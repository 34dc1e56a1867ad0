// Camera orientation: pictures decoded upright for every EXIF orientation,
// damaged tags, albums that record what the user saw, and quarter turns.
#include "document/album_format.h"
#include "document/album_paths.h"
#include "document/zelbrin_doc.h"
#include "imaging/jpeg_reader.h"
#include "imaging/orientation.h"
#include "support/document_fakes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// 64 x 32, four quadrants of different colours: no turn or mirror keeps it.
constexpr int kW = 64, kH = 32;
const unsigned char kQuadrants[4][3] = {
    {220, 30, 30}, {30, 200, 40}, {40, 40, 210}, {230, 230, 40}};

std::vector<unsigned char> Upright() {
    std::vector<unsigned char> px(3u * kW * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            std::memcpy(&px[3u * (y * kW + x)], kQuadrants[(y >= kH / 2) * 2 + (x >= kW / 2)], 3);
    return px;
}

// The stored pixels a camera writes with the tag: those that orientation
// turns into the upright picture (6 and 8 undo each other, the rest themselves).
std::vector<unsigned char> Stored(int orientation, int& w, int& h) {
    const std::vector<unsigned char> up = Upright();
    const int inverse = orientation == 6 ? 8 : orientation == 8 ? 6 : orientation;
    unsigned char* px = OrientedPixels(up.data(), kW, kH, inverse, w, h);
    std::vector<unsigned char> out(px, px + 3u * w * h);
    std::free(px);
    return out;
}

// Each quadrant's centre is its colour, within JPEG's error.
void ExpectUpright(const unsigned char* px, int w, int h) {
    ASSERT_EQ(w * kH, h * kW) << w << " x " << h;
    for (int q = 0; q < 4; ++q) {
        const int x = (q % 2) * w / 2 + w / 4, y = (q / 2) * h / 2 + h / 4;
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(px[3 * (y * w + x) + c], kQuadrants[q][c], 12) << "quadrant " << q;
    }
}

} // namespace

TEST(Orientation, EveryTagDecodesUprightAtHalfAndFullSize) {
    TempDir dir;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        int w = 0, h = 0;
        const std::vector<unsigned char> stored = Stored(orientation, w, h);
        const std::string file = dir.File("o" + std::to_string(orientation) + ".jpg");
        WriteJpegWithExif(file, stored.data(), w, h, ExifOrientationBlock(orientation));
        for (int denom : {1, 2}) {
            unsigned char* px = nullptr;
            int pw = 0, ph = 0, used = ORIENTATION_FROM_FILE;
            ASSERT_TRUE(ReadJpegPicture(file.c_str(), &px, &pw, &ph, denom, &used));
            EXPECT_EQ(used, orientation);
            EXPECT_EQ(pw, kW / denom);
            ExpectUpright(px, pw, ph);
            std::free(px);
        }
        // Asked for orientation 1 (an album made before), the stored pixels.
        unsigned char* px = nullptr;
        int pw = 0, ph = 0, one = 1;
        ASSERT_TRUE(ReadJpegPicture(file.c_str(), &px, &pw, &ph, 1, &one));
        EXPECT_EQ(pw, w);
        std::free(px);
    }
}

TEST(Orientation, ADamagedOrImpossibleTagIsOrientationOneWithAReason) {
    std::string problem;
    const std::string good = ExifOrientationBlock(6);
    EXPECT_EQ(
        ExifOrientation(reinterpret_cast<const unsigned char*>(good.data()), good.size(), problem),
        6);
    EXPECT_TRUE(problem.empty());
    for (const std::string& bad : {ExifOrientationBlock(9), ExifOrientationBlock(0),
                                   std::string("Exif\0\0II*\0\xff\xff\xff\x7f", 14)}) {
        EXPECT_EQ(ExifOrientation(reinterpret_cast<const unsigned char*>(bad.data()), bad.size(),
                                  problem),
                  1);
        EXPECT_FALSE(problem.empty());
    }
}

TEST(Orientation, TurnsComposeAndUndo) {
    for (int o = 1; o <= 8; ++o) {
        EXPECT_EQ(TurnOrientation(TurnOrientation(o, 1), -1), o);
        EXPECT_EQ(TurnOrientation(o, 4), o);
        // A mirrored orientation stays mirrored.
        const bool mirrored = o == 2 || o == 4 || o == 5 || o == 7;
        const int turned = TurnOrientation(o, 1);
        EXPECT_EQ(turned == 2 || turned == 4 || turned == 5 || turned == 7, mirrored);
    }
    EXPECT_EQ(TurnOrientation(1, 1), 6);
    EXPECT_EQ(TurnOrientation(1, -1), 8);
    EXPECT_EQ(TurnOrientation(6, 1), 3);
}

// The albums: a block that matches the records is kept, any other is ignored
// whole, and every save writes one.
TEST(Orientation, AlbumsRecordOneValuePerItem) {
    AlbumRecord picture, text;
    picture.item.nKind = ITEM_PICTURE;
    picture.relPath = picture.fullPath = "a.jpg";
    picture.item.nOrientation = 6;
    text.item = TextItem("t", RECT{0, 0, 10, 10});
    const std::string records = FormatAlbumText({picture, text});
    EXPECT_NE(records.find("\r\nOrientation 6 0\r\n"), std::string::npos);
    const std::string body = records.substr(0, records.find("Orientation"));
    const struct {
        const char* block;
        std::vector<int> kept;
    } rows[] = {
        {"Orientation 6 0\r\n", {6, 0}},
        {"Orientation 8 0\r\nPixelsPerInch 90\r\n", {8, 0}},
        {"", {}},
        {"Orientation 6\r\n", {}},
        {"Orientation 6 0 1\r\n", {}},
        {"Orientation 9 0\r\n", {}},
        {"Orientation 0 0\r\n", {}},
        {"Orientation 6 3\r\n", {}},
        {"Orientation 6x 0\r\n", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.block);
        const AlbumParse parse = ParseAlbumText(body + row.block);
        ASSERT_EQ(parse.refusal, AlbumRefusal::None);
        EXPECT_EQ(parse.extras.orientations, row.kept);
        EXPECT_EQ(parse.extras.orientationProblem.empty(),
                  !row.kept.empty() || std::string(row.block).empty());
    }
}

namespace {

class Turned : public FakeDocumentTest {
protected:
    // A picture stored lying on its side with tag 6, and an album of it
    // written as before orientations were recorded.
    void SetUp() override {
        FakeDocumentTest::SetUp();
        int w = 0, h = 0;
        const std::vector<unsigned char> stored = Stored(6, w, h);
        WriteJpegWithExif(dir.File("phone.jpg"), stored.data(), w, h, ExifOrientationBlock(6));
        records = "4\r\n1\r\n0 16 32\r\nphone.jpg\r\n" + ToFilePath(dir.File("phone.jpg")) +
                  "\r\n0 0 64 32\r\n0 0 32 16\r\n";
        WriteFileBytes(dir.File("old.alb"), records);
    }
    const PageItem& Picture() { return doc.ItemAt(0); }
    std::string records;
};

} // namespace

TEST_F(Turned, AnAlbumWithoutTheBlockShowsItsPicturesAsStoredAndSavesThemBack) {
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("old.alb").c_str()));
    EXPECT_EQ(Picture().nSrcWidth, 16); // as stored, lying on its side
    EXPECT_EQ(Picture().nOrientation, 1);
    ASSERT_TRUE(doc.SaveAlbumAs(dir.File("again.alb")));
    const std::string saved = ReadFileBytes(dir.File("again.alb"));
    EXPECT_EQ(saved.substr(0, records.size()), records);
    EXPECT_EQ(saved.substr(records.size(), 15), "Orientation 1\r\n");
}

TEST_F(Turned, ANewPictureTakesItsFilesOrientationAndAlbumsKeepIt) {
    ASSERT_TRUE(doc.AddPicture(dir.File("phone.jpg").c_str()));
    EXPECT_EQ(Picture().nOrientation, 6);
    EXPECT_EQ(Picture().nSrcWidth, 32); // upright: 64 x 32 at half size
    ExpectUpright(Picture().pPixels.get(), Picture().nSrcWidth, Picture().nSrcHeight);
    ASSERT_TRUE(doc.SaveAlbumAs(dir.File("new.alb")));
    EXPECT_NE(ReadFileBytes(dir.File("new.alb")).find("\r\nOrientation 6\r\n"), std::string::npos);
    CZelbrinDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(dir.File("new.alb").c_str()));
    EXPECT_EQ(reopened.ItemAt(0).nOrientation, 6);
    EXPECT_EQ(reopened.ItemAt(0).nSrcWidth, 32);
    // A block that does not match is ignored: the picture shows as stored.
    WriteFileBytes(dir.File("bad.alb"), records + "Orientation 6 6\r\n");
    ASSERT_TRUE(reopened.OnOpenDocument(dir.File("bad.alb").c_str()));
    EXPECT_EQ(reopened.ItemAt(0).nOrientation, 1);
    EXPECT_EQ(reopened.ItemAt(0).nSrcWidth, 16);
}

TEST_F(Turned, QuarterTurnsKeepTheCentreAndUndoEachOther) {
    ASSERT_TRUE(doc.AddPicture(Land().c_str()));
    PageItem item = doc.GetLastItem();
    item.rcPlace = RECT{11, 20, 211, 171}; // 200 x 151, an odd centre
    item.rcSource = RECT{10, 5, 150, 120};
    doc.SetLastItem(item);
    const PageItem start = doc.GetLastItem();
    ASSERT_TRUE(doc.RotateSelected(1));
    const PageItem right = doc.GetLastItem();
    EXPECT_EQ(right.rcPlace.right - right.rcPlace.left, 151);
    EXPECT_EQ(right.rcPlace.bottom - right.rcPlace.top, 200);
    EXPECT_LE(std::abs((right.rcPlace.left + right.rcPlace.right) - (11 + 211)), 1);
    EXPECT_LE(std::abs((right.rcPlace.top + right.rcPlace.bottom) - (20 + 171)), 1);
    EXPECT_EQ(right.nOrientation, 6);
    EXPECT_EQ(doc.UndoName(), "Rotate Right");
    ASSERT_TRUE(doc.RotateSelected(-1));
    const auto same = [](PageItem a, const PageItem& b) {
        a.pPixels = b.pPixels; // turned pixels are new copies of the same picture
        return a == b;
    };
    EXPECT_TRUE(same(doc.GetLastItem(), start));
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(doc.RotateSelected(1));
    EXPECT_TRUE(same(doc.GetLastItem(), start));
    EXPECT_EQ(0, std::memcmp(doc.GetLastItem().pPixels.get(), start.pPixels.get(),
                             3u * start.nSrcWidth * start.nSrcHeight));
    // A text does not turn.
    doc.AppendItem(TextItem("t", RECT{0, 0, 10, 10}));
    EXPECT_FALSE(doc.RotateSelected(1));
}
