// The document's commands driven through a scripted shell and a page of
// 480 x 630 pixels.
#include "document/album_view.h"
#include "document/document_shell.h"
#include "document/zelbrin_doc.h"
#include "res/resource.h"
#include "support/document_fakes.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class Commands : public FakeDocumentTest {
protected:
    void SetUp() override {
        FakeDocumentTest::SetUp();
        MakeJpeg(dir.File("port.jpg"), 300, 400);
    }
    std::string Port() { return dir.File("port.jpg"); }
};

TEST_F(Commands, PicturesFillSlotsInOrderThenCascade) {
    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(doc.AddPicture(Land().c_str()));
    // Landscape in slot 0 fills its width and is centred vertically.
    EXPECT_EQ(doc.GetItem(0).rcPlace, (RECT{5, 18, 235, 190}));
    // Slot 3 (right column, middle row).
    EXPECT_EQ(doc.GetItem(3).rcPlace, (RECT{245, 229, 475, 401}));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(doc.m_slots[i].bUsed, 1);
    // The seventh: no slot free, six items before it, half the page minus 20.
    EXPECT_EQ(doc.GetItem(6).rcPlace, (RECT{60, 60, 280, 225}));
    EXPECT_EQ(doc.GetItem(6).nSrcWidth, 200);
    EXPECT_EQ(doc.GetItem(6).rcSource, (RECT{0, 0, 200, 150}));
    EXPECT_EQ(doc.m_bAlbumModified, 1);
}

TEST_F(Commands, PortraitFillsTheSlotHeight) {
    ASSERT_TRUE(doc.AddPicture(Port().c_str()));
    EXPECT_EQ(doc.GetItem(0).rcPlace, (RECT{47, 6, 193, 202}));
}

TEST_F(Commands, DeletedPicturesKeepTheirSlotUntilFileNew) {
    doc.AddPicture(Land().c_str());
    doc.RemoveLastItem();
    doc.AddPicture(Land().c_str());
    EXPECT_EQ(doc.GetItem(0).rcPlace.left, 245); // slot 1, not slot 0
    doc.m_bAlbumModified = 0;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.AddPicture(Land().c_str());
    EXPECT_EQ(doc.GetItem(0).rcPlace.left, 5);
    EXPECT_EQ(view.redraws, 1);
}

TEST_F(Commands, OpenImageInsertsEveryFileAndListsTheFailuresOnce) {
    WriteFileBytes(dir.File("bad.jpg"), "not a picture");
    const std::string tooLong = dir.File(std::string(MAX_PATH_FIELD, 'p') + ".jpg");
    shell.pictures.push_back(
        std::vector<std::string>{Land(), dir.File("bad.jpg"), tooLong, Port()});
    MessageBoxRecorder boxes;
    doc.OnCmdMsg(ID_FILE_OPEN, CN_COMMAND, nullptr);
    EXPECT_EQ(doc.GetItemCount(), 2);
    EXPECT_EQ(view.selects, 1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_NE(boxes.texts()[0].find("bad.jpg"), std::string::npos);
    EXPECT_NE(boxes.texts()[0].find("too long"), std::string::npos);
    EXPECT_EQ(boxes.texts()[0].find("land.jpg"), std::string::npos);

    // Cancel inserts nothing and selects nothing.
    doc.OnFileOpenImage();
    EXPECT_EQ(doc.GetItemCount(), 2);
    EXPECT_EQ(view.selects, 1);
}

TEST_F(Commands, CancelOnFileNewKeepsThePage) {
    doc.AddPicture(Land().c_str());
    shell.saves.push_back(dir.File("x.alb"));
    doc.SetTitle("Trip");
    MessageBoxRecorder boxes(IDCANCEL);
    EXPECT_FALSE(doc.OnNewDocument());
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Save changes to Trip?"});
    EXPECT_EQ(boxes.boxes()[0].type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    EXPECT_EQ(doc.GetItemCount(), 1);
    EXPECT_EQ(doc.GetTitle(), "Trip");
    EXPECT_EQ(doc.m_bAlbumModified, 1);

    // No discards the page.
    boxes.SetAnswer(IDNO);
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_EQ(doc.GetTitle(), "Untitled");
}

TEST_F(Commands, YesWhoseSaveDoesNotCompleteStopsTheCommand) {
    doc.AddPicture(Land().c_str());
    MessageBoxRecorder boxes(IDYES);
    // Save As cancelled: File New, closing, Open Document and a dropped album stop.
    EXPECT_FALSE(doc.OnNewDocument());
    EXPECT_FALSE(doc.PromptSaveChanges());
    shell.opens.push_back(dir.File("other.alb"));
    doc.OnFileOpenAlbum();
    EXPECT_EQ(shell.opens.size(), 1u); // the dialog was never shown
    EXPECT_FALSE(doc.OpenAlbumByPath(dir.File("other.alb").c_str(), true));
    EXPECT_EQ(doc.GetItemCount(), 1);

    // A write that fails stops it too.
    shell.saves.push_back(dir.File("no-folder/x.alb"));
    EXPECT_FALSE(doc.PromptSaveChanges());
    EXPECT_EQ(doc.m_bAlbumModified, 1);
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_STREQ(doc.m_szAlbumPath, "Untitled.alb");

    // A save that completes lets it go on.
    shell.saves.push_back(dir.File("saved.alb"));
    EXPECT_TRUE(doc.PromptSaveChanges());
    EXPECT_TRUE(FileExists(dir.File("saved.alb")));
    EXPECT_EQ(doc.m_bAlbumModified, 0);
}

TEST_F(Commands, SaveAsksOnceForANameThenWritesWithoutADialog) {
    doc.AddPicture(Land().c_str());
    shell.saves.push_back(dir.File("page.alb"));
    doc.OnCmdMsg(ID_FILE_SAVE, CN_COMMAND, nullptr);
    EXPECT_EQ(shell.initialNames, std::vector<std::string>{"Untitled"});
    EXPECT_EQ(doc.GetTitle(), "page");
    EXPECT_EQ(doc.m_bHasFile, 1);
    EXPECT_EQ(doc.m_bAlbumModified, 0);
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(shell.recent, std::vector<std::string>{dir.File("page.alb")});

    doc.AddPicture(Port().c_str());
    doc.OnFileSave();
    EXPECT_EQ(shell.initialNames.size(), 1u);
    CZelbrinDoc back;
    ASSERT_TRUE(back.OnOpenDocument(dir.File("page.alb").c_str()));
    EXPECT_EQ(back.GetItemCount(), 2);

    // Save As shows the current title and may be cancelled without changes.
    doc.OnFileSaveAs();
    EXPECT_EQ(shell.initialNames.back(), "page");
    EXPECT_EQ(doc.GetTitle(), "page");
}

TEST_F(Commands, OpenDocumentTakesTheAlbumAndItsName) {
    doc.AddPicture(Land().c_str());
    shell.saves.push_back(dir.File("trip.alb"));
    doc.DoSaveAs();
    doc.OnNewDocument();
    doc.AddPicture(Port().c_str());
    doc.m_slots[0].bUsed = 1;

    // Cancelled: slots are freed, but the page stays modified.
    MessageBoxRecorder boxes(IDNO);
    doc.OnFileOpenAlbum();
    EXPECT_EQ(doc.m_slots[0].bUsed, 0);
    EXPECT_EQ(doc.m_bAlbumModified, 1);
    EXPECT_EQ(doc.GetItemCount(), 1);

    shell.opens.push_back(dir.File("trip.alb"));
    doc.OnFileOpenAlbum();
    EXPECT_EQ(doc.GetTitle(), "trip");
    EXPECT_EQ(doc.m_bHasFile, 1);
    EXPECT_EQ(doc.m_bAlbumModified, 0);
    EXPECT_EQ(doc.GetItemCount(), 1);
    EXPECT_EQ(doc.GetItem(0).nSrcWidth, 200);
    EXPECT_EQ(view.selects, 1);
    EXPECT_EQ(shell.recent.back(), dir.File("trip.alb"));
}

TEST_F(Commands, DroppedFiles) {
    doc.AddPicture(Port().c_str());
    shell.saves.push_back(dir.File("b.ALB"));
    doc.DoSaveAs();
    doc.OnNewDocument();

    fs::copy_file(Land(), dir.File("a.jpg"));
    WriteFileBytes(dir.File("c.txt"), "text");
    fs::copy_file(Land(), dir.File("d.jpeg"));
    MessageBoxRecorder boxes(IDNO);
    doc.OpenDroppedFile(dir.File("a.jpg").c_str());
    EXPECT_EQ(doc.GetItemCount(), 1);
    doc.OpenDroppedFile(dir.File("b.ALB").c_str());
    // The album asked first (the page had a new picture), then replaced it.
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Save changes to Untitled?"});
    ASSERT_EQ(doc.GetItemCount(), 1);
    EXPECT_EQ(doc.GetItem(0).nSrcWidth, 150);
    EXPECT_EQ(doc.GetTitle(), "b");
    EXPECT_EQ(doc.m_bHasFile, 1);
    EXPECT_EQ(doc.m_bAlbumModified, 0);
    doc.OpenDroppedFile(dir.File("c.txt").c_str());
    doc.OpenDroppedFile(dir.File("d.jpeg").c_str());
    EXPECT_EQ(doc.GetItemCount(), 1);
    fs::copy_file(Land(), dir.File("E.JPG"));
    doc.OpenDroppedFile(dir.File("E.JPG").c_str());
    EXPECT_EQ(doc.GetItemCount(), 2);
    EXPECT_EQ(boxes.boxes().size(), 1u);

    // Files dropped together go in in their order, a failed one noted.
    doc.TakeFailedInserts();
    doc.OpenDroppedFiles(
        {dir.File("E.JPG"), dir.File("gone.jpg"), dir.File("c.txt"), dir.File("a.jpg")});
    ASSERT_EQ(doc.GetItemCount(), 4);
    EXPECT_EQ(std::string(doc.GetItem(2).szPath), dir.File("E.JPG"));
    EXPECT_EQ(std::string(doc.GetItem(3).szPath), dir.File("a.jpg"));
    EXPECT_EQ(doc.TakeFailedInserts(),
              std::vector<std::string>{dir.File("gone.jpg") + " (not a readable JPEG picture)"});
}

TEST_F(Commands, NewTextItem) {
    doc.m_bBold = 1;
    std::strcpy(doc.m_szFontName, "Courier New");
    shell.texts.push_back(std::nullopt);
    doc.OnTextNew();
    EXPECT_EQ(doc.GetItemCount(), 0);
    ASSERT_EQ(shell.shownTexts.size(), 1u);
    EXPECT_EQ(shell.shownTexts[0].text, "some text");
    EXPECT_EQ(shell.shownTexts[0].bBold, 1);
    EXPECT_EQ(shell.shownTexts[0].fontName, "Courier New");

    TextItemFields f;
    f.text = "Summer\r\n\r\n1998\r\n";
    f.bItalic = 1;
    f.fontName = "Times New Roman";
    shell.texts.push_back(f);
    doc.OnCmdMsg(ID_NEW_TEXT_ITEM, CN_COMMAND, nullptr);
    ASSERT_EQ(doc.GetItemCount(), 1);
    PageItem t = doc.GetItem(0);
    EXPECT_EQ(t.nKind, ITEM_TEXT);
    EXPECT_EQ(t.nLines, 3); // the empty middle line still holds its CR
    EXPECT_EQ(t.rcPlace, (RECT{165, 298, 315, 333}));
    EXPECT_EQ(t.rcSource, (RECT{0, 0, 100, 25}));
    EXPECT_EQ(t.crColor, 0xFF0000u);
    EXPECT_STREQ(t.szFontName, "Times New Roman");
    EXPECT_EQ(t.bItalic, 1);
    EXPECT_EQ(t.bBold, 0);
    EXPECT_STREQ(doc.m_szFontName, "Times New Roman");
    EXPECT_EQ(doc.m_bItalic, 1);
    EXPECT_EQ(doc.m_bBold, 0);
    EXPECT_EQ(view.selects, 1);
    // A new text item is a change that must not be lost without a question.
    EXPECT_EQ(doc.m_bAlbumModified, 1);

    // A long text and font name are cut to their fields.
    f.text = std::string(500, 'x');
    f.fontName = std::string(25, 'F');
    shell.texts.push_back(f);
    doc.OnTextNew();
    EXPECT_EQ(std::strlen(doc.GetLastItem().szText), 400u);
    EXPECT_EQ(std::strlen(doc.GetLastItem().szFontName), 19u);
}

TEST_F(Commands, DuplicateGivesTheCopyItsOwnPixels) {
    CCmdUI ui(ID_DUPLICATE_OBJECT);
    doc.OnCmdMsg(ID_DUPLICATE_OBJECT, CN_UPDATE_COMMAND_UI, &ui);
    EXPECT_FALSE(ui.m_bEnabled);

    doc.AddPicture(Land().c_str());
    doc.m_bAlbumModified = 0;
    CCmdUI ui2(ID_DUPLICATE_OBJECT);
    doc.OnCmdMsg(ID_DUPLICATE_OBJECT, CN_UPDATE_COMMAND_UI, &ui2);
    EXPECT_TRUE(ui2.m_bEnabled);
    doc.OnEditDuplicate();
    ASSERT_EQ(doc.GetItemCount(), 2);
    PageItem a = doc.GetItem(0), b = doc.GetItem(1);
    // The copy shares the picture's pixels, which never change, and is an item of its own.
    EXPECT_EQ(a.pPixels, b.pPixels);
    EXPECT_NE(a.nId, b.nId);
    EXPECT_EQ(b.rcPlace, (RECT{a.rcPlace.left + 10, a.rcPlace.top + 10, a.rcPlace.right + 10,
                               a.rcPlace.bottom + 10}));
    EXPECT_EQ(doc.m_bAlbumModified, 1);

    // With the file gone the copy still shows the picture, and outlives the original.
    fs::remove(Land());
    doc.OnEditDuplicate();
    ASSERT_EQ(doc.GetItemCount(), 3);
    PageItem c = doc.GetItem(2);
    EXPECT_EQ(c.pPixels, b.pPixels);
    doc.RemoveItem(0);
    doc.RemoveItem(0);
    EXPECT_EQ(doc.GetLastItem().pPixels.get()[0], c.pPixels.get()[0]);

    // Text items are duplicated with their text.
    TextItemFields f;
    f.text = "hi";
    f.fontName = "Arial";
    shell.texts.push_back(f);
    doc.OnTextNew();
    doc.OnEditDuplicate();
    EXPECT_STREQ(doc.GetLastItem().szText, "hi");
    EXPECT_EQ(doc.GetLastItem().pPixels, nullptr);
}

} // namespace

// The working folder moves whenever a file dialog is used: an album opened by a
// relative path must still be saved to the file that was opened.
TEST_F(Commands, AlbumOpenedByARelativePathIsSavedInPlaceAfterTheWorkingFolderMoves) {
    fs::create_directories(dir.File("albums/pics"));
    fs::create_directories(dir.File("elsewhere"));
    shell.saves.push_back(dir.File("albums/page.alb"));
    doc.DoSaveAs();
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    const bool opened = doc.OpenAlbumByPath("albums/page.alb", false);
    fs::current_path(dir.File("elsewhere"));
    fs::copy_file(Land(), dir.File("albums/pics/new.jpg"));
    const bool inserted = doc.AddPicture("../albums/pics/new.jpg");
    const bool saved = doc.DoSave();
    fs::current_path(before);
    ASSERT_TRUE(opened && inserted && saved);

    EXPECT_EQ(std::string(doc.m_szAlbumPath), dir.File("albums/page.alb"));
    EXPECT_EQ(shell.recent.back(), dir.File("albums/page.alb"));
    EXPECT_FALSE(FileExists(dir.File("elsewhere/page.alb")));
    const std::string bytes = ReadFileBytes(dir.File("albums/page.alb"));
    EXPECT_NE(bytes.find("\r\npics\\new.jpg\r\n"), std::string::npos) << bytes;
    CZelbrinDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(dir.File("albums/page.alb").c_str()));
    EXPECT_EQ(reread.GetItemCount(), 1);
}

// A pipe named like a picture would block the editor forever if it were opened.
TEST_F(Commands, PipeNamedAsPictureIsRefusedEverywhere) {
    ASSERT_EQ(mkfifo(dir.File("pipe.jpg").c_str(), 0600), 0);
    shell.pictures.push_back(std::vector<std::string>{dir.File("pipe.jpg")});
    MessageBoxRecorder boxes;
    doc.OnFileOpenImage();
    doc.OpenDroppedFile(dir.File("pipe.jpg").c_str());
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_EQ(boxes.boxes().size(), 1u); // Open Image names the file once

    // Duplicate of a picture whose file was replaced by a pipe copies the pixels.
    doc.AddPicture(Land().c_str());
    fs::remove(Land());
    ASSERT_EQ(mkfifo(Land().c_str(), 0600), 0);
    doc.OnEditDuplicate();
    ASSERT_EQ(doc.GetItemCount(), 2);
    EXPECT_EQ(doc.GetItem(1).pPixels, doc.GetItem(0).pPixels);
    EXPECT_EQ(doc.GetItem(1).nSrcWidth, 200);
}
