// Missing pictures keep their places: kept as placeholders on opening,
// written back as they were read, and named once.
#include "document/album_paths.h"
#include "document/placeholders.h"
#include "support/document_fakes.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <string>
#include <vector>

namespace {

class Missing : public FakeDocumentTest {
protected:
    // Five pictures, two of them with their files gone.
    void SetUp() override {
        FakeDocumentTest::SetUp();
        const auto picture = [this](const char* name, const char* place) {
            return std::string("0 200 150\r\n") + name + "\r\n" + ToFilePath(dir.File(name)) +
                   "\r\n" + place + "\r\n0 0 150 200\r\n";
        };
        records = std::string("4\r\n5\r\n") + picture("land.jpg", "0 0 150 200") +
                  picture("gone.jpg", "10 210 160 410") + picture("land.jpg", "170 0 320 200") +
                  picture("land.jpg", "330 0 480 200") + picture("lost.jpg", "170 210 320 410");
        WriteFileBytes(dir.File("page.alb"), records + "Orientation 1 1 1 1 1\r\n");
    }
    std::string records;
};

} // namespace

TEST_F(Missing, PicturesThatCannotBeHadStayAsPlaceholdersAndAreSavedAsRead) {
    MessageBoxRecorder boxes;
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("page.alb").c_str()));
    ASSERT_EQ(doc.GetItemCount(), 5);
    EXPECT_EQ(PlaceholderNames(doc),
              (std::vector<std::string>{dir.File("gone.jpg"), dir.File("lost.jpg")}));
    ASSERT_EQ(boxes.texts().size(), 1u);
    EXPECT_EQ(boxes.texts()[0].rfind("2 pictures of the album could not be found or read. They "
                                     "are kept in their places",
                                     0),
              0u);
    // Saved as read: every record, the placeholders' included.
    ASSERT_TRUE(doc.SaveAlbumAs(dir.File("page.alb")));
    EXPECT_EQ(ReadFileBytes(dir.File("page.alb")).substr(0, records.size()), records);
    // A moved placeholder is saved where it went.
    const int gone = 1;
    PageItem item = doc.GetItem(gone);
    ASSERT_TRUE(IsPlaceholder(item));
    item.rcPlace = RECT{300, 20, 500, 170};
    doc.SetItem(gone, item);
    ASSERT_TRUE(doc.SaveAlbumAs(dir.File("moved.alb")));
    EXPECT_NE(ReadFileBytes(dir.File("moved.alb")).find("gone.jpg\r\n20 300 170 500\r\n"),
              std::string::npos);
    // When the file is back, the album shows it again.
    MakeJpeg(dir.File("gone.jpg"), 400, 300);
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("moved.alb").c_str()));
    EXPECT_EQ(PlaceholderNames(doc), std::vector<std::string>{dir.File("lost.jpg")});
}

TEST(MissingPicturesMessage, NamesTheFirstTenAndCountsTheRest) {
    std::vector<std::string> names;
    for (int i = 1; i <= 12; ++i)
        names.push_back("p" + std::to_string(i) + ".jpg");
    const std::string text = MissingPicturesMessage(names);
    EXPECT_NE(text.find("Find Missing Pictures"), std::string::npos);
    EXPECT_NE(text.find("\np10.jpg\nand 2 more"), std::string::npos);
    EXPECT_EQ(text.find("p11.jpg"), std::string::npos);
    EXPECT_EQ(MissingPicturesMessage({"a.jpg"}).rfind("1 picture of the album", 0), 0u);
}

TEST_F(Missing, FindMissingPicturesLooksNearTheAlbumThenAsks) {
    MessageBoxRecorder boxes;
    // One moved two folders down, one with its name in capitals.
    std::filesystem::create_directories(dir.File("sub/deeper"));
    MakeJpeg(dir.File("sub/deeper/gone.jpg"), 400, 300);
    MakeJpeg(dir.File("LOST.JPG"), 400, 300);
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("page.alb").c_str()));
    const RECT crop = doc.GetItem(1).rcSource;
    EXPECT_TRUE(doc.HasPlaceholders());
    EXPECT_EQ(doc.FindMissingPictures(), 2);
    EXPECT_FALSE(doc.HasPlaceholders());
    EXPECT_EQ(std::string(doc.GetItem(1).szPath), dir.File("sub/deeper/gone.jpg"));
    EXPECT_EQ(std::string(doc.GetItem(4).szPath), dir.File("LOST.JPG"));
    EXPECT_EQ(doc.GetItem(1).rcSource, crop);
    EXPECT_EQ(doc.UndoName(), "Find Missing Pictures");
    EXPECT_TRUE(shell.located.empty());

    // Not near the album: the user locates one, and the other is in its folder.
    std::filesystem::remove_all(dir.File("sub"));
    std::filesystem::remove(dir.File("LOST.JPG"));
    TempDir elsewhere;
    MakeJpeg(elsewhere.File("gone.jpg"), 400, 300);
    MakeJpeg(elsewhere.File("lost.jpg"), 400, 300);
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("page.alb").c_str()));
    shell.locates.push_back(elsewhere.File("gone.jpg"));
    EXPECT_EQ(doc.FindMissingPictures(), 2);
    EXPECT_EQ(shell.located, std::vector<std::string>{"gone.jpg"});
    EXPECT_EQ(std::string(doc.GetItem(4).szPath), elsewhere.File("lost.jpg"));
}
