// Albums record the resolution of their places and the page they were laid
// out on, after their records: a view of another resolution converts once and
// keeps every place in inches, a smaller page offers to pull items in, and the
// pictures an album brings take their template slots.
#include "document/album_format.h"
#include "document/print_resolution.h"
#include "document/slot_fit.h"
#include "support/document_fakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const RECT kPlaces[] = {{10, 20, 130, 110}, {200, 300, 470, 520}, {-15, 7, 61, 90}};

class PageResolution : public FakeDocumentTest {
protected:
    // Saves two pictures and a text at the view's pixels per inch on an
    // 8 x 10.5 inch page; returns the album's path.
    std::string SaveAt(int ppi) {
        view.ppi = ppi;
        view.widthInches = 8.0f;
        view.heightInches = 10.5f;
        for (int i = 0; i < 2; ++i) {
            EXPECT_TRUE(doc.AddPicture(Land().c_str()));
            PageItem item = doc.GetLastItem();
            item.rcPlace = kPlaces[i];
            doc.SetLastItem(item);
        }
        doc.AppendItem(TextItem("Summer\r\n", kPlaces[2])); // as it reads back
        const std::string album = dir.File("page.alb");
        EXPECT_TRUE(doc.SetAlbumPath(album.c_str()));
        EXPECT_TRUE(doc.WriteAlbumFile());
        return album;
    }
};

AlbumExtras Extras(int ppi, float width, float height) {
    AlbumExtras extras;
    extras.nPixelsPerInch = ppi;
    extras.fPageWidthInches = width;
    extras.fPageHeightInches = height;
    return extras;
}

TEST(AlbumExtras, ReadAfterTheRecordsKeyByKey) {
    AlbumRecord text;
    text.item = TextItem("Hello", RECT{1, 2, 3, 4});
    const std::string records = FormatAlbumText({text});
    EXPECT_EQ(FormatAlbumText({text}, Extras(87, 8.5f, 11.0f)),
              records + "PixelsPerInch 87\r\nPageInches 8.500 11.000\r\n");
    const struct {
        const char* trailer;
        AlbumExtras want;
    } rows[] = {
        {"", {}},
        {"PixelsPerInch 87\r\nPageInches 8.5 11\r\n", Extras(87, 8.5f, 11.0f)},
        {"\r\nOrientation 1 6\r\nPixelsPerInch 72\r\nSomething else\r\n", Extras(72, 0, 0)},
        {"PixelsPerInch 0\r\nPageInches 0 11\r\n", {}},
        {"PixelsPerInch 1001\r\nPageInches 8.5 1e9\r\n", {}},
        {"PixelsPerInch 7x\r\nPageInches 8,5 11\r\n", {}},
        {"PixelsPerInch\r\nPageInches nan 11\r\nPageInches 8.5\r\n", {}},
        {"PixelsPerInch 60 60\r\nPageInches 8.5 11 12\r\n", {}},
        // Glued numbers, and a side too small to be written back.
        {"PageInches 8.501.00043\r\n", {}},
        {"PageInches 8.5 0.004\r\n", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.trailer);
        const AlbumParse parse = ParseAlbumText(records + row.trailer);
        ASSERT_EQ(parse.refusal, AlbumRefusal::None);
        ASSERT_EQ(parse.records.size(), 1u);
        EXPECT_STREQ(parse.records[0].item.szText, "Hello\r\n");
        EXPECT_EQ(parse.extras.nPixelsPerInch, row.want.nPixelsPerInch);
        EXPECT_EQ(parse.extras.fPageWidthInches, row.want.fPageWidthInches);
        EXPECT_EQ(parse.extras.fPageHeightInches, row.want.fPageHeightInches);
    }
}

// Saved at 60 pixels per inch, opened at 60, 87 and 120: every place keeps
// its inches within half a pixel, crops stay, the album is not modified, and
// the next save records the view's resolution.
TEST_F(PageResolution, OpeningAtAnotherResolutionKeepsEveryPlaceInInches) {
    const std::string album = SaveAt(60);
    std::vector<PageItem> saved;
    for (int i = 0; i < doc.GetItemCount(); ++i)
        saved.push_back(doc.GetItem(i));
    for (int ppi : {60, 87, 120}) {
        SCOPED_TRACE(ppi);
        view.ppi = ppi;
        ASSERT_TRUE(doc.OpenAlbumByPath(album.c_str(), false));
        ASSERT_EQ(doc.GetItemCount(), 3);
        EXPECT_EQ(doc.m_bAlbumModified, 0);
        for (int i = 0; i < 3; ++i) {
            const RECT& was = saved[static_cast<std::size_t>(i)].rcPlace;
            const RECT& now = doc.GetItem(i).rcPlace;
            const LONG wasSides[] = {was.left, was.top, was.right, was.bottom};
            const LONG nowSides[] = {now.left, now.top, now.right, now.bottom};
            for (int k = 0; k < 4; ++k)
                EXPECT_LE(std::fabs(nowSides[k] - wasSides[k] * ppi / 60.0), 0.5) << i;
            EXPECT_EQ(doc.GetItem(i).rcSource, saved[static_cast<std::size_t>(i)].rcSource);
        }
        ASSERT_TRUE(doc.SetAlbumPath(dir.File("again.alb").c_str()));
        ASSERT_TRUE(doc.WriteAlbumFile());
        EXPECT_EQ(ParseAlbumText(ReadFileBytes(dir.File("again.alb"))).extras.nPixelsPerInch, ppi);
    }
}

// An album written before the record (or by another program) opens exactly
// as before on any view, and saves byte for byte apart from the new lines.
TEST_F(PageResolution, AlbumWithoutTheRecordOpensAsBefore) {
    const std::string album = SaveAt(60);
    const std::string withRecord = ReadFileBytes(album);
    const std::string old = withRecord.substr(0, withRecord.find("PixelsPerInch"));
    WriteFileBytes(album, old);
    view.ppi = 120;
    ASSERT_TRUE(doc.OpenAlbumByPath(album.c_str(), false));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(doc.GetItem(i).rcPlace, kPlaces[i]);
    ASSERT_TRUE(doc.WriteAlbumFile());
    EXPECT_EQ(ReadFileBytes(album), old + "PixelsPerInch 120\r\nPageInches 8.000 10.500\r\n");
}

// Opened on a page of other inches, items beyond its edges are named in one
// message: No leaves them, Yes moves each the least that brings it on.
TEST_F(PageResolution, ASmallerPageOffersToPullItemsIn) {
    const std::string album = SaveAt(60);
    view.widthInches = 10.5f; // turned to landscape: 630 x 480 pixels
    view.heightInches = 8.0f;
    view.width = 630;
    view.height = 480;
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        MessageBoxRecorder boxes(answer);
        ASSERT_TRUE(doc.OpenAlbumByPath(album.c_str(), false));
        ASSERT_EQ(boxes.texts().size(), 1u);
        // The lower picture reaches below the page, the text beyond its left.
        EXPECT_NE(boxes.texts()[0].find("land.jpg, \"Summer\""), std::string::npos)
            << boxes.texts()[0];
        EXPECT_EQ(doc.m_bAlbumModified, answer == IDYES ? 1 : 0);
        const RECT low = doc.GetItem(1).rcPlace, text = doc.GetItem(2).rcPlace;
        if (answer == IDNO) {
            EXPECT_EQ(low, kPlaces[1]);
        } else {
            EXPECT_EQ(low, (RECT{200, 480 - 220, 470, 480}));
            EXPECT_EQ(text, (RECT{0, 7, 76, 90}));
            EXPECT_EQ(doc.GetItem(0).rcPlace, kPlaces[0]);
            EXPECT_TRUE(doc.ItemsOutsidePage().empty());
        }
    }
    // The same page asks nothing, whatever lies outside it.
    view.widthInches = 8.0f;
    view.heightInches = 10.5f;
    view.width = 480;
    view.height = 300;
    MessageBoxRecorder boxes;
    ASSERT_TRUE(doc.OpenAlbumByPath(album.c_str(), false));
    EXPECT_TRUE(boxes.texts().empty());
}

// Four pictures in the first four slots: after the album is opened again,
// Open Image puts the next one into the fifth slot, not over the first.
TEST_F(PageResolution, PicturesOfAnOpenedAlbumTakeTheirSlots) {
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(doc.AddPicture(Land().c_str()));
    ASSERT_TRUE(doc.SetAlbumPath(dir.File("four.alb").c_str()));
    ASSERT_TRUE(doc.WriteAlbumFile());
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(doc.OpenAlbumByPath(dir.File("four.alb").c_str(), false));
    for (int s = 0; s < doc.m_nSlotCount; ++s)
        EXPECT_EQ(doc.m_slots[s].bUsed, s < 4 ? 1 : 0) << s;
    shell.pictures.push_back(std::vector<std::string>{Land()});
    doc.OnFileOpenImage();
    ASSERT_EQ(doc.GetItemCount(), 5);
    const RECT& rc = doc.GetLastItem().rcPlace;
    EXPECT_TRUE(InsideSlotRect(SlotRect(doc.m_slots[4], view.width, view.height),
                               (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
}

} // namespace

// A picture's print resolution: twice its half-size crop over its place in
// inches, the coarser direction; the page's soft pictures, named in order.
TEST(PrintResolution, FullSizePixelsOverThePlaceInchesInTheCoarserDirection) {
    struct Case {
        RECT place, crop;
        int viewPpi, printPpi;
    };
    const Case cases[] = {
        // 2000 x 1600 pixels on 4.17 x 3.13 inches: 480 across, 512 down.
        {{0, 0, 400, 300}, {0, 0, 1000, 800}, 96, 480},
        {{10, 10, 410, 310}, {200, 100, 400, 250}, 96, 96}, // a crop of 200 x 150
        {{0, 0, 960, 960}, {0, 0, 300, 300}, 96, 60},
        {{0, 0, 400, 300}, {0, 0, 1000, 800}, 0, 0}, // no resolution
        {{0, 0, 0, 300}, {0, 0, 1000, 800}, 96, 0},  // no place
    };
    for (const Case& c : cases) {
        PageItem item = TextItem("x", c.place);
        item.nKind = ITEM_PICTURE;
        item.rcSource = c.crop;
        EXPECT_EQ(PrintPixelsPerInch(item, c.viewPpi), c.printPpi);
    }
    EXPECT_EQ(PrintPixelsPerInch(TextItem("text", RECT{0, 0, 10, 10}), 96), 0);

    CZelbrinDoc doc;
    doc.OnNewDocument();
    for (const Case& c : {cases[0], cases[1], cases[2]}) {
        PageItem item = TextItem("x", c.place);
        item.nKind = ITEM_PICTURE;
        item.rcSource = c.crop;
        std::snprintf(item.szPath, sizeof item.szPath, "p%d.jpg", c.printPpi);
        item.pPixels = AdoptPixels(static_cast<unsigned char*>(std::calloc(3, 1)));
        doc.AppendItem(item);
    }
    const std::vector<SoftPicture> soft = PicturesPrintingBelow(doc, 96, 150);
    ASSERT_EQ(soft.size(), 2u);
    EXPECT_EQ(SoftPicturesMessage(soft, 150),
              "These pictures print at fewer than 150 pixels per inch and may look soft on "
              "paper:\np96.jpg: 96 ppi\np60.jpg: 60 ppi");
    EXPECT_TRUE(PicturesPrintingBelow(doc, 96, 0).empty());
}
