// The page's history on the document alone: a step holds records, never
// pixels; at most 100 steps are kept; the modified flag knows whether the
// saved page can still be reached.
#include "support/document_fakes.h"

#include <gtest/gtest.h>

#include <malloc.h>

namespace {

class History : public FakeDocumentTest {
protected:
    // One drag of the selected item by (dx, dy), as the mouse makes it.
    void Move(int dx, int dy) {
        doc.BeginDrag("Move");
        PageItem item = doc.GetLastItem();
        item.rcPlace = RECT{item.rcPlace.left + dx, item.rcPlace.top + dy, item.rcPlace.right + dx,
                            item.rcPlace.bottom + dy};
        doc.DragSelectedTo(item);
        doc.EndDrag(false);
    }
};

TEST_F(History, AHundredStepsOfALargePictureHoldNoCopyOfItsPixels) {
    MakeJpeg(dir.File("large.jpg"), 3000, 2000); // 4.5 MB at half size
    ASSERT_TRUE(doc.AddPicture(dir.File("large.jpg").c_str()));
    const PageItem start = doc.GetLastItem();
    const std::size_t heldBefore = mallinfo2().uordblks;
    for (int i = 0; i < 150; ++i)
        Move(1, 1);
    const std::size_t grown = mallinfo2().uordblks - heldBefore;
    EXPECT_LT(grown, 1024u * 1024u) << grown << " bytes for 100 steps";
    EXPECT_EQ(doc.HistorySize(), CPageHistory::kMaxSteps);
    for (std::size_t i = 0; i < CPageHistory::kMaxSteps; ++i)
        ASSERT_TRUE(doc.Undo()) << i;
    EXPECT_FALSE(doc.Undo()); // the oldest 50 went
    EXPECT_EQ(doc.GetLastItem().rcPlace.left, start.rcPlace.left + 50);
    EXPECT_EQ(doc.GetLastItem().pPixels, start.pPixels);
}

TEST_F(History, TheSavedPageCanFallOutOfReach) {
    ASSERT_TRUE(doc.AddPicture(Land().c_str()));
    ASSERT_TRUE(doc.SetAlbumPath(dir.File("a.alb").c_str()));
    ASSERT_TRUE(doc.WriteAlbumFile());
    // A step nothing changed is no step and leaves the flag alone.
    doc.BeginEdit("Move");
    doc.EndEdit();
    EXPECT_EQ(doc.HistorySize(), 1u); // the insertion
    EXPECT_EQ(doc.m_bAlbumModified, 0);

    // Undone past the save, then a new step: the saved page cannot come back.
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.m_bAlbumModified, 1);
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.m_bAlbumModified, 0);
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.AddPicture(Land().c_str()));
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.m_bAlbumModified, 1);
    EXPECT_FALSE(doc.Redo() && doc.Redo());

    // Saved, then more steps than the history keeps: undoing all is still modified.
    ASSERT_TRUE(doc.WriteAlbumFile());
    for (int i = 0; i < 101; ++i)
        Move(1, 0);
    while (doc.Undo()) {
    }
    EXPECT_EQ(doc.m_bAlbumModified, 1);

    // A template alone is not saved in the album: loading one modifies nothing.
    ASSERT_TRUE(doc.WriteAlbumFile());
    WriteFileBytes(dir.File("t.zbt"), "1\r\n\r\n0.5\r\n0.5\r\n0.9\r\n0.9\r\n");
    ASSERT_TRUE(doc.LoadTemplateFile(dir.File("t.zbt").c_str()));
    EXPECT_EQ(doc.UndoName(), "Load Template");
    EXPECT_EQ(doc.m_bAlbumModified, 0);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.m_nSlotCount, 6);
}

} // namespace
