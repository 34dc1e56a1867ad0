#include "document/placeholders.h"
#include "document/album_paths.h"
#include "document/zelbrin_doc.h"
#include "imaging/jpeg_reader.h"
#include "support/document_fakes.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <filesystem>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

RECT Rect(LONG l, LONG t, LONG r, LONG b) {
    return RECT{l, t, r, b};
}

// A picture item decoded at half scale from path, as insertion makes it.
PageItem PictureItem(const std::string& path, RECT place) {
    PageItem item{};
    item.nKind = ITEM_PICTURE;
    unsigned char* pixels = nullptr;
    int w = 0, h = 0;
    EXPECT_TRUE(ReadJpegPicture(path.c_str(), &pixels, &w, &h, 2)) << path;
    item.pPixels = AdoptPixels(pixels);
    item.nSrcWidth = w;
    item.nSrcHeight = h;
    std::strcpy(item.szPath, path.c_str());
    item.rcPlace = place;
    item.rcSource = Rect(0, 0, w, h);
    return item;
}

PageItem TextItem(const char* text, int lines, RECT place) {
    PageItem item{};
    item.nKind = ITEM_TEXT;
    item.nSrcWidth = 100;
    item.nSrcHeight = 25;
    std::strcpy(item.szText, text);
    item.nLines = lines;
    std::strcpy(item.szFontName, "Arial");
    item.crColor = 0xFF0000;
    item.bBold = 1;
    item.rcPlace = place;
    item.rcSource = Rect(0, 0, 100, 25);
    return item;
}

void SaveAs(CZelbrinDoc& doc, const std::string& path) {
    ASSERT_TRUE(doc.SetAlbumPath(path.c_str()));
    ASSERT_TRUE(doc.WriteAlbumFile());
}

bool SameItem(const PageItem& a, const PageItem& b) {
    return a.nKind == b.nKind && a.nSrcWidth == b.nSrcWidth && a.nSrcHeight == b.nSrcHeight &&
           std::strcmp(a.szText, b.szText) == 0 && std::strcmp(a.szFontName, b.szFontName) == 0 &&
           a.crColor == b.crColor && a.bItalic == b.bItalic && a.bUnderline == b.bUnderline &&
           a.bBold == b.bBold && std::memcmp(&a.rcPlace, &b.rcPlace, sizeof(RECT)) == 0 &&
           std::memcmp(&a.rcSource, &b.rcSource, sizeof(RECT)) == 0;
}

// The whole visible state of a document, to prove a refused open changed nothing.
struct Snapshot {
    explicit Snapshot(const CZelbrinDoc& doc)
        : path(doc.m_szAlbumPath), title(doc.GetTitle()), modified(doc.m_bAlbumModified),
          hasFile(doc.m_bHasFile) {
        for (int i = 0; i < doc.GetItemCount(); ++i)
            items.push_back(doc.GetItem(i));
    }
    void ExpectSame(const CZelbrinDoc& doc) const {
        EXPECT_EQ(path, doc.m_szAlbumPath);
        EXPECT_EQ(title, doc.GetTitle());
        EXPECT_EQ(modified, doc.m_bAlbumModified);
        EXPECT_EQ(hasFile, doc.m_bHasFile);
        ASSERT_EQ(items.size(), static_cast<std::size_t>(doc.GetItemCount()));
        for (std::size_t i = 0; i < items.size(); ++i) {
            PageItem now = doc.GetItem(static_cast<int>(i));
            EXPECT_TRUE(SameItem(items[i], now)) << "item " << i;
            EXPECT_EQ(items[i].pPixels, now.pPixels) << "item " << i;
        }
    }
    std::string path, title;
    int modified, hasFile;
    std::vector<PageItem> items;
};

class AlbumFile : public ::testing::Test {
protected:
    void SetUp() override {
        doc.OnNewDocument();
        fs::create_directories(dir.File("Albums/trip"));
        fs::create_directories(dir.File("Albums/pics"));
        MakeJpeg(dir.File("Albums/pics/beach.jpg"), 320, 240);
    }
    TempDir dir;
    CZelbrinDoc doc;
};

TEST_F(AlbumFile, WorkedExampleIsWrittenByteForByte) {
    doc.AppendItem(PictureItem(dir.File("Albums/pics/beach.jpg"), Rect(10, 10, 170, 130)));
    doc.AppendItem(TextItem("Summer\r\n1998", 2, Rect(300, 200, 450, 235)));
    doc.m_bAlbumModified = 1;
    SaveAs(doc, dir.File("Albums/trip/page.alb"));

    const std::string full = ToFilePath(dir.File("Albums/pics/beach.jpg"));
    const std::string expected = "4\r\n2\r\n0 160 120\r\n..\\pics\\beach.jpg\r\n" + full +
                                 "\r\n10 10 130 170\r\n0 0 120 160\r\n1 100 25\r\n"
                                 "Summer\r\r\n1998^\r\nArial\r\n16711680 0 0 1\r\n"
                                 "200 300 235 450\r\n0 0 25 100\r\n"
                                 // After the records: the picture's orientation, none for the text.
                                 "Orientation 1 0\r\n";
    EXPECT_EQ(ReadFileBytes(dir.File("Albums/trip/page.alb")), expected);
    EXPECT_EQ(doc.m_bAlbumModified, 0);
    EXPECT_EQ(doc.m_bHasFile, 1);
}

TEST_F(AlbumFile, WorkedExampleWrittenOnWindowsOpensThroughItsRelativePath) {
    const std::string windowsFile =
        "4\r\n2\r\n0 160 120\r\n..\\pics\\beach.jpg\r\nC:\\Albums\\pics\\beach.jpg\r\n"
        "10 10 130 170\r\n0 0 120 160\r\n1 100 25\r\nSummer\r\r\n1998^\r\nArial\r\n"
        "16711680 0 0 1\r\n200 300 235 450\r\n0 0 25 100\r\n";
    WriteFileBytes(dir.File("Albums/trip/page.alb"), windowsFile);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("Albums/trip/page.alb").c_str()));
    EXPECT_TRUE(boxes.boxes().empty());
    ASSERT_EQ(doc.GetItemCount(), 2);

    PageItem pic = doc.GetItem(0);
    EXPECT_EQ(pic.nKind, ITEM_PICTURE);
    EXPECT_NE(pic.pPixels, nullptr);
    EXPECT_EQ(pic.nSrcWidth, 160);
    EXPECT_EQ(pic.nSrcHeight, 120);
    EXPECT_STREQ(pic.szRelPath, "../pics/beach.jpg"); // kept in native form
    EXPECT_EQ(pic.rcPlace.left, 10);
    EXPECT_EQ(pic.rcPlace.right, 170);
    EXPECT_EQ(pic.rcPlace.bottom, 130);
    // The path is the file that was actually opened.
    EXPECT_TRUE(fs::equivalent(pic.szPath, dir.File("Albums/pics/beach.jpg")));

    PageItem text = doc.GetItem(1);
    EXPECT_STREQ(text.szText, "Summer\r\n1998\r\n");
    EXPECT_EQ(text.nLines, 2);
    EXPECT_STREQ(text.szFontName, "Arial");
    EXPECT_EQ(text.crColor, 16711680u);
    EXPECT_EQ(text.bBold, 1);
    EXPECT_EQ(text.bItalic, 0);
    EXPECT_EQ(text.rcPlace.left, 300);
    EXPECT_EQ(text.rcPlace.top, 200);
    EXPECT_EQ(text.rcSource.bottom, 25);
    EXPECT_STREQ(doc.m_szAlbumPath, dir.File("Albums/trip/page.alb").c_str());
}

TEST_F(AlbumFile, EmptyAlbumIsTwoLines) {
    SaveAs(doc, dir.File("empty.alb"));
    EXPECT_EQ(ReadFileBytes(dir.File("empty.alb")), "4\r\n0\r\n");
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("empty.alb").c_str()));
    EXPECT_EQ(doc.GetItemCount(), 0);
}

TEST_F(AlbumFile, TextsAndRectanglesRoundTrip) {
    PageItem neg = TextItem("100%", 1, Rect(-40, -30, -1, 12));
    neg.rcSource = Rect(-5, -6, 7, 8);
    neg.bItalic = 1;
    neg.bUnderline = 1;
    neg.crColor = 0x00123456;
    std::strcpy(neg.szFontName, "Times New Roman");
    doc.AppendItem(neg);
    doc.AppendItem(TextItem("", 1, Rect(0, 0, 10, 10)));
    doc.AppendItem(TextItem("Hello", 1, Rect(1, 2, 3, 4)));
    SaveAs(doc, dir.File("a.alb"));

    const std::string bytes = ReadFileBytes(dir.File("a.alb"));
    EXPECT_NE(bytes.find("\r\n100%^\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n^\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nHello^\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n-30 -40 12 -1\r\n-6 -5 8 7\r\n"), std::string::npos);

    CZelbrinDoc back;
    ASSERT_TRUE(back.OnOpenDocument(dir.File("a.alb").c_str()));
    ASSERT_EQ(back.GetItemCount(), 3);
    PageItem a = back.GetItem(0);
    EXPECT_STREQ(a.szText, "100%\r\n");
    EXPECT_STREQ(a.szFontName, "Times New Roman");
    EXPECT_EQ(a.crColor, 0x00123456u);
    EXPECT_EQ(a.bItalic, 1);
    EXPECT_EQ(a.bUnderline, 1);
    EXPECT_EQ(a.bBold, 1);
    EXPECT_EQ(std::memcmp(&a.rcPlace, &neg.rcPlace, sizeof(RECT)), 0);
    EXPECT_EQ(std::memcmp(&a.rcSource, &neg.rcSource, sizeof(RECT)), 0);
    EXPECT_STREQ(back.GetItem(1).szText, "\r\n");
    EXPECT_EQ(back.GetItem(1).nLines, 1);
    EXPECT_STREQ(back.GetItem(2).szText, "Hello\r\n");
    EXPECT_EQ(back.GetItem(2).nLines, 1);

    // The texts now end with CR LF, which the next save writes as CR CR LF "^";
    // from there on saving and reading changes nothing further.
    SaveAs(back, dir.File("b.alb"));
    const std::string second = ReadFileBytes(dir.File("b.alb"));
    EXPECT_NE(second.find("\r\nHello\r\r\n^\r\n"), std::string::npos);
    CZelbrinDoc third;
    ASSERT_TRUE(third.OnOpenDocument(dir.File("b.alb").c_str()));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(SameItem(back.GetItem(i), third.GetItem(i))) << i;
    SaveAs(third, dir.File("c.alb"));
    EXPECT_EQ(ReadFileBytes(dir.File("c.alb")), second);
}

TEST_F(AlbumFile, EmptyFontNameIsWrittenAsArialSoTheRecordReadsBack) {
    PageItem t = TextItem("x", 1, Rect(0, 0, 5, 5));
    t.szFontName[0] = '\0';
    doc.AppendItem(t);
    doc.AppendItem(TextItem("y", 1, Rect(0, 0, 5, 5)));
    SaveAs(doc, dir.File("f.alb"));
    CZelbrinDoc back;
    ASSERT_TRUE(back.OnOpenDocument(dir.File("f.alb").c_str()));
    ASSERT_EQ(back.GetItemCount(), 2);
    EXPECT_STREQ(back.GetItem(0).szFontName, "Arial");
    EXPECT_STREQ(back.GetItem(1).szText, "y\r\n");
}

TEST_F(AlbumFile, TextAtTheFieldLimitReadsBackWithoutLosingCharacters) {
    std::string text(MAX_TEXT_CHARS, 'a');
    doc.AppendItem(TextItem(text.c_str(), 1, Rect(0, 0, 5, 5)));
    SaveAs(doc, dir.File("long.alb"));
    CZelbrinDoc back;
    ASSERT_TRUE(back.OnOpenDocument(dir.File("long.alb").c_str()));
    EXPECT_EQ(std::string(back.GetItem(0).szText), text);
}

TEST_F(AlbumFile, WrongVersionIsRefusedAndTheAlbumStays) {
    doc.AppendItem(TextItem("keep", 1, Rect(0, 0, 5, 5)));
    SaveAs(doc, dir.File("mine.alb"));
    doc.m_bAlbumModified = 1;
    Snapshot before(doc);
    for (const char* version : {"3", "5"}) {
        WriteFileBytes(dir.File("old.alb"), std::string(version) + "\r\n0\r\n");
        MessageBoxRecorder boxes;
        EXPECT_FALSE(doc.OnOpenDocument(dir.File("old.alb").c_str()));
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.texts()[0], "Incompatible document version.  Cannot open.");
        EXPECT_EQ(boxes.boxes()[0].type & 0xF, static_cast<UINT>(MB_OK));
        before.ExpectSame(doc);
    }
}

TEST_F(AlbumFile, MalformedFilesAreRefusedWholeAndChangeNothing) {
    doc.AppendItem(PictureItem(dir.File("Albums/pics/beach.jpg"), Rect(1, 2, 3, 4)));
    doc.AppendItem(TextItem("keep", 1, Rect(0, 0, 5, 5)));
    SaveAs(doc, dir.File("mine.alb"));
    doc.m_bAlbumModified = 1;
    Snapshot before(doc);

    const std::string pic = "0 10 10\r\nx.jpg\r\nx.jpg\r\n0 0 1 1\r\n0 0 1 1\r\n";
    const std::string text = "1 10 10\r\nhi^\r\nArial\r\n0 0 0 0\r\n0 0 1 1\r\n0 0 1 1\r\n";
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"version not a number", "four\r\n0\r\n"},
        {"count missing", "4\r\n"},
        {"count not a number", "4\r\nmany\r\n"},
        {"negative count", "4\r\n-1\r\n"},
        {"absurd count", "4\r\n2000000000\r\n" + text},
        {"ends before its records", "4\r\n2\r\n" + text},
        {"kind beyond 16 bits",
         "4\r\n1\r\n70000 10 10\r\nhi^\r\nArial\r\n0 0 0 0\r\n0 0 1 1\r\n0 0 1 1\r\n"},
        {"head line short", "4\r\n1\r\n1 10\r\nhi^\r\nArial\r\n0 0 0 0\r\n0 0 1 1\r\n0 0 1 1\r\n"},
        {"rectangle short", "4\r\n1\r\n1 10 10\r\nhi^\r\nArial\r\n0 0 0 0\r\n0 0 1\r\n0 0 1 1\r\n"},
        {"rectangle with junk",
         "4\r\n1\r\n1 10 10\r\nhi^\r\nArial\r\n0 0 0 0\r\n0 0 1 1x\r\n0 0 1 1\r\n"},
        {"number out of range",
         "4\r\n1\r\n1 10 10\r\nhi^\r\nArial\r\n0 0 0 0\r\n0 0 1 99999999999\r\n0 0 1 1\r\n"},
        {"text never ends", "4\r\n1\r\n1 10 10\r\nhi\r\nthere\r\nArial\r\n0 0 0 0\r\n0 0 1 1\r\n"},
        {"colour line bad",
         "4\r\n1\r\n1 10 10\r\nhi^\r\nArial\r\nred 0 0 0\r\n0 0 1 1\r\n0 0 1 1\r\n"},
        {"picture record cut", "4\r\n2\r\n" + pic + "0 10 10\r\nx.jpg\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(dir.File("bad.alb"), c.bytes);
        MessageBoxRecorder boxes;
        EXPECT_FALSE(doc.OnOpenDocument(dir.File("bad.alb").c_str()));
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.texts()[0], "Unexpected file format.");
        before.ExpectSame(doc);
    }
}

TEST_F(AlbumFile, OtherKindsAreReadAsTextRecordsAndWrittenBackUnchanged) {
    const std::string other = "7 10 10\r\nhi^\r\nArial\r\n255 0 1 0\r\n1 2 3 4\r\n0 0 25 100\r\n";
    const std::string text = "1 100 25\r\nyo^\r\nArial\r\n0 0 0 0\r\n5 6 7 8\r\n0 0 25 100\r\n";
    const std::string bytes =
        "4\r\n3\r\n" + other + text + "-2 0 0\r\nx^\r\nA\r\n0 0 0 0\r\n" + "0 0 0 0\r\n0 0 0 0\r\n";
    WriteFileBytes(dir.File("kinds.alb"), bytes);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("kinds.alb").c_str()));
    EXPECT_TRUE(boxes.boxes().empty());
    ASSERT_EQ(doc.GetItemCount(), 3);
    EXPECT_EQ(doc.GetItem(0).nKind, 7);
    EXPECT_STREQ(doc.GetItem(0).szText, "hi\r\n");
    EXPECT_EQ(doc.GetItem(0).rcPlace, (RECT{2, 1, 4, 3}));
    EXPECT_EQ(doc.GetItem(1).nKind, ITEM_TEXT);
    EXPECT_EQ(doc.GetItem(2).nKind, -2);

    SaveAs(doc, dir.File("kinds2.alb"));
    const std::string again = ReadFileBytes(dir.File("kinds2.alb"));
    EXPECT_EQ(again.rfind("4\r\n3\r\n7 10 10\r\nhi\r\r\n^\r\nArial\r\n255 0 1 0\r\n", 0), 0u);
    EXPECT_NE(again.find("\r\n-2 0 0\r\n"), std::string::npos);
}

TEST_F(AlbumFile, OversizedFileIsRefusedUnread) {
    Snapshot before(doc);
    {
        std::FILE* f = std::fopen(dir.File("huge.alb").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("4\r\n0\r\n", f);
        ASSERT_EQ(ftruncate(fileno(f), MAX_ALBUM_FILE_BYTES + 1), 0);
        std::fclose(f);
    }
    MessageBoxRecorder boxes;
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("huge.alb").c_str()));
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Unexpected file format."});
    before.ExpectSame(doc);
}

TEST_F(AlbumFile, MissingAlbumFileIsReportedAndChangesNothing) {
    doc.AppendItem(TextItem("keep", 1, Rect(0, 0, 5, 5)));
    Snapshot before(doc);
    MessageBoxRecorder boxes;
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("nothere.alb").c_str()));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_NE(boxes.texts()[0].find("nothere.alb"), std::string::npos);
    before.ExpectSame(doc);
}

TEST_F(AlbumFile, MissingPicturesStayInTheirPlacesAndAreListedOnce) {
    MakeJpeg(dir.File("Albums/pics/a.jpg"), 40, 30);
    MakeJpeg(dir.File("Albums/pics/b.jpg"), 40, 30);
    MakeJpeg(dir.File("Albums/pics/gone1.jpg"), 40, 30);
    MakeJpeg(dir.File("Albums/pics/gone2.jpg"), 40, 30);
    doc.AppendItem(PictureItem(dir.File("Albums/pics/a.jpg"), Rect(0, 0, 20, 15)));
    doc.AppendItem(PictureItem(dir.File("Albums/pics/gone1.jpg"), Rect(0, 0, 20, 15)));
    doc.AppendItem(TextItem("t", 1, Rect(0, 0, 5, 5)));
    doc.AppendItem(PictureItem(dir.File("Albums/pics/gone2.jpg"), Rect(0, 0, 20, 15)));
    doc.AppendItem(PictureItem(dir.File("Albums/pics/b.jpg"), Rect(0, 0, 20, 15)));
    SaveAs(doc, dir.File("Albums/trip/five.alb"));
    fs::remove(dir.File("Albums/pics/gone1.jpg"));
    // A folder where a picture should be counts as missing too.
    fs::remove(dir.File("Albums/pics/gone2.jpg"));
    fs::create_directory(dir.File("Albums/pics/gone2.jpg"));

    CZelbrinDoc back;
    MessageBoxRecorder boxes;
    ASSERT_TRUE(back.OnOpenDocument(dir.File("Albums/trip/five.alb").c_str()));
    ASSERT_EQ(back.GetItemCount(), 5);
    const std::vector<bool> missing{false, true, false, true, false};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(IsPlaceholder(back.GetItem(i)), missing[static_cast<std::size_t>(i)]) << i;
    ASSERT_EQ(boxes.boxes().size(), 1u);
    const std::string msg = boxes.texts()[0];
    EXPECT_NE(msg.find("gone1.jpg"), std::string::npos);
    EXPECT_NE(msg.find("gone2.jpg"), std::string::npos);
    EXPECT_EQ(msg.find("a.jpg"), std::string::npos);
}

TEST_F(AlbumFile, PipeNamedAsPictureIsNotOpened) {
    ASSERT_EQ(mkfifo(dir.File("Albums/pics/pipe.jpg").c_str(), 0600), 0);
    const std::string bytes = "4\r\n1\r\n0 10 10\r\n..\\pics\\pipe.jpg\r\n" +
                              ToFilePath(dir.File("Albums/pics/pipe.jpg")) +
                              "\r\n0 0 1 1\r\n0 0 1 1\r\n";
    WriteFileBytes(dir.File("Albums/trip/pipe.alb"), bytes);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("Albums/trip/pipe.alb").c_str()));
    ASSERT_EQ(doc.GetItemCount(), 1);
    EXPECT_TRUE(IsPlaceholder(doc.GetItem(0)));
    EXPECT_EQ(boxes.boxes().size(), 1u);
}

TEST_F(AlbumFile, MovedAlbumFindsPicturesThroughTheRelativePath) {
    doc.AppendItem(PictureItem(dir.File("Albums/pics/beach.jpg"), Rect(0, 0, 160, 120)));
    SaveAs(doc, dir.File("Albums/trip/page.alb"));
    fs::rename(dir.File("Albums"), dir.File("Moved"));

    CZelbrinDoc back;
    MessageBoxRecorder boxes;
    // Opened from another working folder: the relative path is taken from the album's folder.
    ASSERT_TRUE(back.OnOpenDocument(dir.File("Moved/trip/page.alb").c_str()));
    EXPECT_TRUE(boxes.boxes().empty());
    ASSERT_EQ(back.GetItemCount(), 1);
    EXPECT_NE(back.GetItem(0).pPixels, nullptr);
    EXPECT_TRUE(fs::equivalent(back.GetItem(0).szPath, dir.File("Moved/pics/beach.jpg")));
}

TEST_F(AlbumFile, RelativePathFollowsTheAlbumAtEveryWrite) {
    doc.AppendItem(PictureItem(dir.File("Albums/pics/beach.jpg"), Rect(0, 0, 160, 120)));
    SaveAs(doc, dir.File("Albums/trip/page.alb"));
    CZelbrinDoc back;
    ASSERT_TRUE(back.OnOpenDocument(dir.File("Albums/trip/page.alb").c_str()));

    // Save As to another folder: the path leads from there to the same picture.
    fs::create_directories(dir.File("Albums/other/deeper"));
    SaveAs(back, dir.File("Albums/other/deeper/copy.alb"));
    EXPECT_NE(ReadFileBytes(dir.File("Albums/other/deeper/copy.alb"))
                  .find("\r\n..\\..\\pics\\beach.jpg\r\n"),
              std::string::npos);

    // A picture inserted after the open gets its path from the album path current at each write.
    MakeJpeg(dir.File("Albums/trip/apple.jpg"), 20, 20);
    back.AppendItem(PictureItem(dir.File("Albums/trip/apple.jpg"), Rect(0, 0, 10, 10)));
    SaveAs(back, dir.File("Albums/trip/alb.alb"));
    EXPECT_NE(ReadFileBytes(dir.File("Albums/trip/alb.alb")).find("\r\napple.jpg\r\n"),
              std::string::npos);
    SaveAs(back, dir.File("Albums/other/deeper/copy.alb"));
    EXPECT_NE(ReadFileBytes(dir.File("Albums/other/deeper/copy.alb"))
                  .find("\r\n..\\..\\trip\\apple.jpg\r\n"),
              std::string::npos);
}

TEST(AlbumPaths, RelativePathAlgorithm) {
    EXPECT_EQ(RelativePicturePath("C:\\Albums\\trip\\page.alb", "C:\\Albums\\pics\\beach.jpg"),
              "..\\pics\\beach.jpg");
    EXPECT_EQ(RelativePicturePath("C:\\Albums\\trip\\alb.alb", "C:\\Albums\\trip\\apple.jpg"),
              "apple.jpg");
    EXPECT_EQ(RelativePicturePath("C:\\A\\b.alb", "D:\\x.jpg"), "..\\..\\D:\\x.jpg");
    // The common part ends at a backslash, not inside a folder name.
    EXPECT_EQ(RelativePicturePath("\\home\\ann\\a.alb", "\\home\\anna\\p.jpg"), "..\\anna\\p.jpg");
    EXPECT_EQ(FromFilePath("..\\pics\\beach.jpg"), "../pics/beach.jpg");
    EXPECT_EQ(ToFilePath("/a/b.jpg"), "\\a\\b.jpg");
}

TEST_F(AlbumFile, FailedSaveKeepsFlagsAndTheOldFile) {
    doc.AppendItem(TextItem("first", 1, Rect(0, 0, 5, 5)));
    SaveAs(doc, dir.File("a.alb"));
    const std::string old = ReadFileBytes(dir.File("a.alb"));
    for (int i = 0; i < 300; ++i)
        doc.AppendItem(TextItem("a longer text that makes the album grow", 1, Rect(0, 0, 5, 5)));
    doc.m_bAlbumModified = 1;
    doc.m_bHasFile = 0;

    // The write runs in a child whose file size limit is below the new album's size,
    // as on a full disk.
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit lim{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &lim);
        MessageBoxRecorder boxes;
        const BOOL ok = doc.WriteAlbumFile();
        const bool told =
            boxes.boxes().size() == 1 && boxes.texts()[0].find("a.alb") != std::string::npos;
        _exit(!ok && told && doc.m_bAlbumModified == 1 && doc.m_bHasFile == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "the write reported success, said nothing or changed the flags";
    EXPECT_EQ(ReadFileBytes(dir.File("a.alb")), old);
    EXPECT_EQ(FilesIn(dir.path()).size(), 2u) << "a temporary file was left behind";

    // A folder that does not exist fails before anything is written.
    MessageBoxRecorder boxes;
    ASSERT_TRUE(doc.SetAlbumPath(dir.File("nofolder/a.alb").c_str()));
    EXPECT_FALSE(doc.WriteAlbumFile());
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(doc.m_bAlbumModified, 1);
}

TEST_F(AlbumFile, WriteAndReadIgnoreTheUsersLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing (scripts/deps.sh generates it)";
    doc.AppendItem(TextItem("Grüße", 1, Rect(-1234567, 2, 3000000, 4)));
    SaveAs(doc, dir.File("de.alb"));
    CZelbrinDoc back;
    const BOOL ok = back.OnOpenDocument(dir.File("de.alb").c_str());
    std::setlocale(LC_ALL, "C");
    ASSERT_TRUE(ok);
    EXPECT_NE(ReadFileBytes(dir.File("de.alb")).find("\r\n2 -1234567 4 3000000\r\n"),
              std::string::npos);
    EXPECT_EQ(back.GetItem(0).rcPlace.left, -1234567);
    EXPECT_STREQ(back.GetItem(0).szText, "Grüße\r\n");
}

TEST_F(AlbumFile, TooLongPathsAreRefused) {
    const std::string longPath = dir.File(std::string(MAX_PATH_FIELD, 'x') + ".alb");
    EXPECT_FALSE(doc.SetAlbumPath(longPath.c_str()));
    MessageBoxRecorder boxes;
    EXPECT_FALSE(doc.OnOpenDocument(longPath.c_str()));
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_STREQ(doc.m_szAlbumPath, "Untitled.alb");
}

} // namespace

TEST_F(AlbumFile, ThePageShowsItsPlacesFirstAndEachPictureFillsIn) {
    // Each drawing of the page notes how many items it had and how many of
    // them had their pixels.
    struct Drawings : FakeView {
        const CZelbrinDoc* doc = nullptr;
        std::vector<std::pair<int, int>> seen;
        void RedrawPage() override {
            int shown = 0;
            for (int i = 0; i < doc->GetItemCount(); ++i)
                shown += doc->GetItem(i).pPixels != nullptr;
            seen.emplace_back(doc->GetItemCount(), shown);
        }
    };
    MakeJpeg(dir.File("Albums/pics/gone.jpg"), 40, 30);
    for (const char* name : {"beach.jpg", "gone.jpg", "beach.jpg"})
        doc.AppendItem(PictureItem(dir.File("Albums/pics/") + name, Rect(0, 0, 20, 15)));
    doc.AppendItem(TextItem("t", 1, Rect(0, 0, 5, 5)));
    SaveAs(doc, dir.File("Albums/trip/four.alb"));
    fs::remove(dir.File("Albums/pics/gone.jpg"));

    CZelbrinDoc back;
    Drawings view;
    view.doc = &back;
    back.SetAlbumView(&view);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(back.OnOpenDocument(dir.File("Albums/trip/four.alb").c_str()));
    // Every place first, no picture yet; then the first picture at once.
    ASSERT_GE(view.seen.size(), 2u);
    EXPECT_EQ(view.seen[0], std::make_pair(4, 0));
    EXPECT_EQ(view.seen[1], std::make_pair(4, 1));
    // In the end the page as before: the pictures in, the missing one a
    // placeholder, named; nothing to undo.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(IsPlaceholder(back.GetItem(i)), i == 1) << i;
    EXPECT_EQ(back.GetItem(0).nSrcWidth, 160);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_NE(boxes.texts()[0].find("gone.jpg"), std::string::npos);
    EXPECT_TRUE(back.UndoName().empty());
    EXPECT_EQ(view.selects, 1);
}
