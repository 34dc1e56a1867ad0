// Layout templates: the .zbt file, Load and Save Template, and the snap of a
// dropped picture into a slot, on a page of 480 x 630 pixels unless stated.
#include "document/template_file.h"
#include "document/zelbrin_doc.h"
#include "res/resource.h"
#include "support/document_fakes.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

PageItem Text(RECT place) {
    PageItem item{};
    item.nKind = ITEM_TEXT;
    item.nSrcWidth = 100;
    item.nSrcHeight = 25;
    std::strcpy(item.szText, "t");
    item.nLines = 1;
    item.rcPlace = place;
    item.rcSource = RECT{0, 0, 100, 25};
    return item;
}

// A picture record without pixels: enough for placing and snapping.
PageItem Picture(RECT place, RECT crop = RECT{0, 0, 200, 150}) {
    PageItem item{};
    item.nKind = ITEM_PICTURE;
    item.nSrcWidth = 200;
    item.nSrcHeight = 150;
    item.rcPlace = place;
    item.rcSource = crop;
    return item;
}

bool Near(const RECT& a, const RECT& b, int tolerance) {
    return std::abs(a.left - b.left) <= tolerance && std::abs(a.top - b.top) <= tolerance &&
           std::abs(a.right - b.right) <= tolerance && std::abs(a.bottom - b.bottom) <= tolerance;
}

class Templates : public FakeDocumentTest {
protected:
    std::vector<PageItem> Items() {
        std::vector<PageItem> items;
        for (int i = 0; i < doc.GetItemCount(); ++i)
            items.push_back(doc.GetItem(i));
        return items;
    }
};

TEST_F(Templates, WorkedExampleIsWrittenByteForByte) {
    view.width = 600;
    view.height = 800;
    doc.AppendItem(Picture(RECT{6, 8, 294, 258}));
    shell.templateSaves.push_back(dir.File("one.zbt"));
    CCmdUI ui(ID_SAVE_TEMPLATE);
    doc.OnCmdMsg(ID_SAVE_TEMPLATE, CN_UPDATE_COMMAND_UI, &ui);
    EXPECT_TRUE(ui.m_bEnabled);
    doc.OnCmdMsg(ID_SAVE_TEMPLATE, CN_COMMAND, nullptr);
    EXPECT_EQ(shell.initialNames, std::vector<std::string>{"customTemp.zbt"});
    EXPECT_EQ(ReadFileBytes(dir.File("one.zbt")),
              "1\r\n\r\n0.250000\r\n0.166250\r\n0.480000\r\n0.312500\r\n\r\n");
    EXPECT_EQ(doc.m_nSlotCount, 6); // saving does not load
}

TEST_F(Templates, SavedPlacementFillsANewAlbumInArrayOrder) {
    const RECT places[] = {{250, 20, 450, 170}, {10, 40, 170, 160}, {100, 300, 400, 525}};
    doc.AppendItem(Picture(places[0]));
    doc.AppendItem(Text(RECT{0, 0, 150, 35}));
    doc.AppendItem(Picture(places[1]));
    doc.AppendItem(Picture(places[2]));
    doc.AppendItem(Text(RECT{20, 20, 170, 55}));
    ASSERT_TRUE(doc.WriteTemplateFile(dir.File("three.zbt").c_str()));
    EXPECT_EQ(ReadFileBytes(dir.File("three.zbt")).substr(0, 5), "3\r\n\r\n");

    doc.DeleteAllItems();
    shell.templateOpens.push_back(dir.File("three.zbt"));
    doc.OnCmdMsg(ID_LOAD_TEMPLATE, CN_COMMAND, nullptr);
    ASSERT_EQ(doc.m_nSlotCount, 3);
    EXPECT_EQ(view.redraws + view.selects, 0); // loading repaints nothing
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(doc.AddPicture(Land().c_str()));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Near(doc.GetItem(i).rcPlace, places[i], 2)) << i;
    // The fourth finds no free slot and is cascaded.
    ASSERT_TRUE(doc.AddPicture(Land().c_str()));
    EXPECT_EQ(doc.GetItem(3).rcPlace.left, 30);
}

TEST_F(Templates, CountOfZeroOrBelowLeavesNoSlots) {
    for (const char* count : {"0", "-3"}) {
        SCOPED_TRACE(count);
        WriteFileBytes(dir.File("none.zbt"), std::string(count) + "\r\n\r\n");
        ASSERT_TRUE(doc.LoadTemplateFile(dir.File("none.zbt").c_str()));
        EXPECT_EQ(doc.m_nSlotCount, 0);
        doc.DeleteAllItems();
        ASSERT_TRUE(doc.AddPicture(Land().c_str()));
        ASSERT_TRUE(doc.AddPicture(Land().c_str()));
        EXPECT_EQ(doc.GetItem(1).rcPlace.left, 10); // cascaded
        EXPECT_FALSE(doc.SnapToTemplate(1, doc.GetItem(1).rcPlace, POINT{120, 100}));
    }
}

// Slot 0 is {4, 6, 235, 203}, slot 1 starts at x 244, slot 2 at y 216.
TEST_F(Templates, SlotEdgesOnTheRightAndBottomLieOutside) {
    const struct {
        POINT pt;
        bool snaps;
    } cases[] = {
        {{4, 6}, true},      {{234, 202}, true}, {{235, 100}, false},
        {{100, 203}, false}, {{3, 100}, false},  {{244, 100}, true},
    };
    doc.AppendItem(Picture(RECT{200, 150, 300, 250}));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pt.x << "," << c.pt.y);
        EXPECT_EQ(doc.SnapToTemplate(0, RECT{200, 150, 300, 250}, c.pt), c.snaps ? TRUE : FALSE);
        doc.SetItem(0, Picture(RECT{200, 150, 300, 250}));
    }
}

TEST_F(Templates, DropFromSlotZeroOntoSlotThreeSwapsThePictures) {
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(doc.AddPicture(Land().c_str()));
    const RECT inSlot0 = doc.GetItem(0).rcPlace, inSlot3 = doc.GetItem(3).rcPlace;
    doc.MoveItemToTop(0); // selecting it for the drag
    const int moved = doc.GetLastIndex();
    ASSERT_TRUE(doc.SnapToTemplate(moved, inSlot0, POINT{360, 315}));
    EXPECT_EQ(doc.GetItem(moved).rcPlace, inSlot3);
    // The occupant fills slot 0's rectangle {4, 6, 235, 203} with its own aspect.
    EXPECT_EQ(doc.GetItem(2).rcPlace, (RECT{4, 18, 234, 190}));
    EXPECT_EQ(doc.m_slots[0].bUsed, 1);
    EXPECT_EQ(doc.m_slots[3].bUsed, 1);
    EXPECT_EQ(view.selects, 1);
}

TEST_F(Templates, OccupantMovesToTheDroppedItemsFormerPlace) {
    const RECT start{200, 150, 300, 250}; // in no slot
    const struct {
        const char* name;
        PageItem occupant;
        RECT expected;
    } cases[] = {
        {"picture", Picture(RECT{245, 229, 475, 401}), RECT{200, 163, 300, 237}},
        {"text, aspect 4", Text(RECT{260, 240, 400, 280}), RECT{200, 188, 300, 212}},
        {"empty crop keeps its place", Picture(RECT{260, 240, 400, 280}, RECT{0, 0, 0, 150}),
         RECT{260, 240, 400, 280}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.DeleteAllItems();
        doc.AppendItem(c.occupant);
        doc.AppendItem(Picture(start));
        ASSERT_TRUE(doc.SnapToTemplate(1, start, POINT{360, 315}));
        EXPECT_EQ(doc.GetItem(0).rcPlace, c.expected);
        EXPECT_EQ(doc.GetItem(1).rcPlace, (RECT{245, 229, 475, 401}));
    }
    // The last item wholly inside is displaced; with an empty start rectangle
    // it keeps its place, and a dropped item with an empty crop keeps its own.
    doc.DeleteAllItems();
    doc.AppendItem(Picture(RECT{250, 240, 400, 350}));
    doc.AppendItem(Text(RECT{260, 240, 400, 280}));
    doc.AppendItem(Picture(RECT{0, 0, 0, 0}, RECT{5, 5, 5, 5}));
    ASSERT_TRUE(doc.SnapToTemplate(2, RECT{0, 0, 0, 0}, POINT{360, 315}));
    EXPECT_EQ(doc.GetItem(0).rcPlace, (RECT{250, 240, 400, 350}));
    EXPECT_EQ(doc.GetItem(1).rcPlace, (RECT{260, 240, 400, 280}));
    EXPECT_EQ(doc.GetItem(2).rcPlace, (RECT{0, 0, 0, 0}));
    ASSERT_TRUE(doc.SnapToTemplate(2, RECT{200, 150, 300, 250}, POINT{360, 315}));
    EXPECT_EQ(doc.GetItem(0).rcPlace, (RECT{250, 240, 400, 350}));
    EXPECT_EQ(doc.GetItem(1).rcPlace, (RECT{200, 188, 300, 212}));
}

TEST_F(Templates, DropOutsideEverySlotChangesNothing) {
    ASSERT_TRUE(doc.AddPicture(Land().c_str()));
    doc.AppendItem(Picture(RECT{200, 150, 300, 250}));
    doc.m_slots[1].bUsed = 0;
    const std::vector<PageItem> before = Items();
    EXPECT_FALSE(doc.SnapToTemplate(1, RECT{5, 18, 235, 190}, POINT{240, 100}));
    EXPECT_FALSE(doc.SnapToTemplate(7, RECT{5, 18, 235, 190}, POINT{100, 100}));
    const std::vector<PageItem> after = Items();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].rcPlace, before[i].rcPlace);
    EXPECT_EQ(doc.m_slots[0].bUsed, 1);
    EXPECT_EQ(doc.m_slots[1].bUsed, 0);
    EXPECT_EQ(view.selects, 0);
}

// File New frees every slot; an opened album's pictures take the slots that
// hold their centres, so the next picture goes into a free one.
TEST_F(Templates, TemplateSurvivesFileNewAndOpenDocumentUsedFlagsFollowThePictures) {
    WriteFileBytes(dir.File("two.zbt"), "2\r\n\r\n0.5\r\n0.25\r\n0.5\r\n0.25\r\n\r\n"
                                        "0.5\r\n0.75\r\n0.5\r\n0.25\r\n\r\n");
    ASSERT_TRUE(doc.LoadTemplateFile(dir.File("two.zbt").c_str()));
    ASSERT_TRUE(doc.AddPicture(Land().c_str()));
    shell.saves.push_back(dir.File("a.alb"));
    ASSERT_TRUE(doc.DoSaveAs());
    auto expectTemplateFree = [&] {
        EXPECT_EQ(doc.m_nSlotCount, 2);
        EXPECT_EQ(doc.m_slots[1].fCenterY, 0.75f);
        EXPECT_EQ(doc.m_slots[0].bUsed, 0);
    };
    ASSERT_TRUE(doc.OnNewDocument());
    expectTemplateFree();
    ASSERT_TRUE(doc.AddPicture(Land().c_str()));
    doc.m_bAlbumModified = 0;
    shell.opens.push_back(dir.File("a.alb"));
    doc.OnFileOpenAlbum();
    ASSERT_EQ(doc.GetTitle(), "a");
    EXPECT_EQ(doc.m_nSlotCount, 2);
    EXPECT_EQ(doc.m_slots[0].bUsed, 1);
    EXPECT_EQ(doc.m_slots[1].bUsed, 0);
    ASSERT_TRUE(doc.AddPicture(Land().c_str()));
    EXPECT_EQ(doc.m_slots[1].bUsed, 1);
    EXPECT_GT(doc.GetLastItem().rcPlace.top, doc.GetItem(0).rcPlace.bottom); // the lower slot
}

TEST_F(Templates, MalformedFilesAreRefusedWholeWithTheSlotsUntouched) {
    WriteFileBytes(dir.File("two.zbt"), "2\r\n0.5\r\n0.25\r\n0.5\r\n0.25\r\n"
                                        "0.5\r\n0.75\r\n0.5\r\n0.25\r\n");
    ASSERT_TRUE(doc.LoadTemplateFile(dir.File("two.zbt").c_str()));
    doc.m_slots[1].bUsed = 1;
    TemplateSlot before[MAX_SLOTS];
    std::memcpy(before, doc.m_slots, sizeof before);

    const std::string slot = "0.5\r\n0.5\r\n0.5\r\n0.5\r\n\r\n";
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"count not a number", "three\r\n\r\n" + slot},
        {"count with junk", "1x\r\n" + slot},
        {"count beyond int", "99999999999\r\n" + slot},
        {"count above the limit", "101\r\n\r\n" + slot},
        {"fewer numbers", "2\r\n\r\n" + slot + "0.5\r\n0.5\r\n"},
        {"number line does not parse", "1\r\n0.5\r\nhalf\r\n0.5\r\n0.5\r\n"},
        {"decimal comma", "1\r\n0,5\r\n0.5\r\n0.5\r\n0.5\r\n"},
        {"not finite", "1\r\n0.5\r\nnan\r\n0.5\r\n0.5\r\n"},
        {"infinite", "1\r\n0.5\r\n0.5\r\ninf\r\n0.5\r\n"},
        {"overflows a float", "1\r\n0.5\r\n0.5\r\n1e39\r\n0.5\r\n"},
        {"too large for the page", "1\r\n0.5\r\n-5e7\r\n0.5\r\n0.5\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(dir.File("bad.zbt"), c.bytes);
        MessageBoxRecorder boxes;
        EXPECT_FALSE(doc.LoadTemplateFile(dir.File("bad.zbt").c_str()));
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_NE(boxes.texts()[0].find("bad.zbt"), std::string::npos) << boxes.texts()[0];
        EXPECT_EQ(doc.m_nSlotCount, 2);
        EXPECT_EQ(std::memcmp(before, doc.m_slots, sizeof before), 0);
    }
    MessageBoxRecorder boxes;
    EXPECT_FALSE(doc.LoadTemplateFile(dir.File("missing.zbt").c_str()));
    EXPECT_NE(boxes.texts().at(0).find("missing.zbt"), std::string::npos);
}

TEST_F(Templates, SavedAndReadBackUnderAGermanLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing (scripts/deps.sh generates it)";
    view.width = 600;
    view.height = 800;
    doc.AppendItem(Picture(RECT{6, 8, 294, 258}));
    const BOOL saved = doc.WriteTemplateFile(dir.File("de.zbt").c_str());
    const BOOL loaded = doc.LoadTemplateFile(dir.File("de.zbt").c_str());
    std::setlocale(LC_ALL, "C");
    ASSERT_TRUE(saved);
    ASSERT_TRUE(loaded);
    EXPECT_NE(ReadFileBytes(dir.File("de.zbt")).find("0.166250"), std::string::npos);
    ASSERT_EQ(doc.m_nSlotCount, 1);
    EXPECT_EQ(doc.m_slots[0].fCenterY, 0.16625f);
    EXPECT_EQ(doc.m_slots[0].fHeight, 0.3125f);
}

TEST_F(Templates, FailedSaveLeavesTheOldTemplateIntact) {
    doc.AppendItem(Picture(RECT{6, 8, 294, 258}));
    ASSERT_TRUE(doc.WriteTemplateFile(dir.File("t.zbt").c_str()));
    const std::string old = ReadFileBytes(dir.File("t.zbt"));
    for (int i = 0; i < 99; ++i)
        doc.AppendItem(Picture(RECT{i, i, i + 100, i + 75}));

    // The write runs in a child whose file size limit lies below the new
    // template's size, as on a full disk.
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit lim{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &lim);
        MessageBoxRecorder boxes;
        const BOOL ok = doc.WriteTemplateFile(dir.File("t.zbt").c_str());
        const bool told =
            boxes.boxes().size() == 1 && boxes.texts()[0].find("t.zbt") != std::string::npos;
        _exit(!ok && told ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write reported success or said nothing";
    EXPECT_EQ(ReadFileBytes(dir.File("t.zbt")), old);
    EXPECT_EQ(FilesIn(dir.path()).size(), 2u) << "a temporary file was left behind";
}

} // namespace
