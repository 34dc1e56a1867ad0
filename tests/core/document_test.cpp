#include "document/album_view.h"
#include "document/fixed_text.h"
#include "document/zelbrin_doc.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

PageItem Text(const char* text) {
    PageItem item{};
    item.nKind = ITEM_TEXT;
    item.nSrcWidth = 100;
    item.nSrcHeight = 25;
    std::strcpy(item.szText, text);
    return item;
}

// A picture item that owns a small malloc'ed buffer, as the reader makes them.
PageItem Picture(int tag) {
    PageItem item{};
    item.nKind = ITEM_PICTURE;
    item.nSrcWidth = 2;
    item.nSrcHeight = 2;
    std::memset(AllocatePixels(item, 12), tag, 12);
    return item;
}

std::string Order(const CZelbrinDoc& doc) {
    std::string s;
    for (int i = 0; i < doc.GetItemCount(); ++i)
        s += doc.GetItem(i).szText;
    return s;
}

class RecordingView : public CAlbumView {
public:
    void SelectTopItem() override { ++selects; }
    void RedrawPage() override { ++redraws; }
    void GetClientExtent(int& h, int& w) override { h = 100, w = 80; }
    int selects = 0;
    int redraws = 0;
};

TEST(Document, NewDocumentDefaults) {
    CZelbrinDoc doc;
    EXPECT_EQ(doc.m_bFirstNew, 1);
    EXPECT_STREQ(doc.m_szAlbumPath, "");
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.m_bFirstNew, 0);
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_EQ(doc.m_nSlotCount, 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(doc.m_slots[i].bUsed, 0);
    EXPECT_EQ(doc.m_slots[0].fCenterY, 0.166666f);
    EXPECT_EQ(doc.m_slots[5].fCenterY, 0.833333f);
    EXPECT_EQ(doc.m_slots[3].fWidth, 0.48f);
    EXPECT_EQ(doc.m_slots[3].fHeight, 0.313f);
    EXPECT_NE(doc.m_slots[0].fCenterY, 1.0f / 6.0f);
    EXPECT_STREQ(doc.m_szFontName, "Arial");
    EXPECT_EQ(doc.m_bBold + doc.m_bItalic + doc.m_bUnderline, 0);
    EXPECT_EQ(doc.m_crTextColor, 0xFF0000u);
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_STREQ(doc.m_szAlbumPath, "Untitled.alb");
    EXPECT_EQ(doc.m_bHasFile, 0);
    EXPECT_EQ(doc.m_bAlbumModified, 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST(Document, NewDocumentRedrawsOnlyAfterTheFirstAndClearsState) {
    CZelbrinDoc doc;
    RecordingView view;
    doc.SetAlbumView(&view);
    doc.OnNewDocument();
    EXPECT_EQ(view.redraws, 0);
    doc.AppendItem(Picture(1));
    doc.m_slots[2].bUsed = 1;
    doc.m_bAlbumModified = 1;
    doc.m_bHasFile = 1;
    doc.OnNewDocument();
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_EQ(doc.m_slots[2].bUsed, 0);
    EXPECT_EQ(doc.m_bAlbumModified, 0);
    EXPECT_EQ(doc.m_bHasFile, 0);
}

TEST(Document, ReorderingKeepsTheOtherItemsInOrder) {
    CZelbrinDoc doc;
    for (const char* t : {"a", "b", "c", "d"})
        doc.AppendItem(Text(t));
    doc.MoveItemToTop(3);
    EXPECT_EQ(Order(doc), "abcd");
    doc.MoveItemToBottom(0);
    EXPECT_EQ(Order(doc), "abcd");
    doc.MoveItemToTop(1);
    EXPECT_EQ(Order(doc), "acdb");
    doc.MoveItemToBottom(2);
    EXPECT_EQ(Order(doc), "dacb");
    EXPECT_STREQ(doc.GetLastItem().szText, "b");
    EXPECT_EQ(doc.GetLastIndex(), 3);
    // Out-of-range indices change nothing.
    doc.MoveItemToTop(4);
    doc.MoveItemToBottom(-1);
    doc.RemoveItem(9);
    EXPECT_EQ(Order(doc), "dacb");
}

TEST(Document, ItemAccessors) {
    CZelbrinDoc doc;
    EXPECT_EQ(doc.GetLastItem().nKind, 0);
    EXPECT_EQ(doc.GetLastItem().pPixels, nullptr);
    doc.AppendItem(Text("x"));
    doc.AppendItem(Text("y"));
    doc.SetItemColor(0, 0x0000FF);
    EXPECT_EQ(doc.GetItem(0).crColor, 0x0000FFu);
    EXPECT_EQ(doc.GetItem(1).crColor, 0u);
    EXPECT_EQ(doc.m_crTextColor, 0x0000FFu);
    PageItem last = doc.GetLastItem();
    last.rcPlace = RECT{1, 2, 3, 4};
    doc.SetLastItem(last);
    EXPECT_EQ(doc.GetItem(1).rcPlace.bottom, 4);
}

TEST(Document, PicturesAreFreedExactlyOnceWhenTheyLeave) {
    // The sanitizer build reports a double or missing free here.
    CZelbrinDoc doc;
    doc.AppendItem(Picture(1));
    doc.AppendItem(Text("t"));
    doc.AppendItem(Picture(2));
    PageItem copy = doc.GetItem(2);
    const unsigned char* second = copy.pPixels.get();
    doc.RemoveItem(0);
    doc.RemoveItem(0); // the text item frees nothing
    ASSERT_EQ(doc.GetItemCount(), 1);
    EXPECT_EQ(doc.GetItem(0).pPixels.get(), second);
    EXPECT_EQ(second[11], 2);
    doc.AppendItem(Picture(3));
    doc.RemoveLastItem();
    doc.AppendItem(Picture(4));
    doc.OnNewDocument();
    EXPECT_EQ(doc.GetItemCount(), 0);
    doc.AppendItem(Picture(5)); // freed by the destructor
}

TEST(FixedText, CutsOnCharacterBoundaries) {
    char font[MAX_FONT_FIELD];
    EXPECT_FALSE(CopyToField(font, "Bookman Old Style Extra"));
    EXPECT_STREQ(font, "Bookman Old Style E");
    EXPECT_TRUE(CopyToField(font, "Arial"));
    EXPECT_STREQ(font, "Arial");

    // 18 ASCII letters then a two-byte 'ä': the 'ä' does not fit whole.
    char cut[MAX_FONT_FIELD];
    CopyToField(cut, std::string(18, 'a') + "\xC3\xA4");
    EXPECT_EQ(std::string(cut), std::string(18, 'a'));
    // A three-byte character straddling the limit of a text field.
    char text[MAX_TEXT_CHARS + 1];
    CopyToField(text, std::string(399, 'x') + "\xE2\x82\xAC" + "tail");
    EXPECT_EQ(std::strlen(text), 399u);
    CopyToField(text, std::string(397, 'x') + "\xE2\x82\xAC" + "tail");
    EXPECT_EQ(std::strlen(text), 400u);
    EXPECT_EQ(Utf8CutLength("\xC3\xA4\xC3\xA4", 4, 3), 2u);
    EXPECT_EQ(Utf8CutLength("abc", 3, 10), 3u);
}

} // namespace
