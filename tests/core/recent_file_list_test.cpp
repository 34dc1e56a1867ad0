// The recent-file list: order, duplicates, size limit and menu texts.
#include "platform/win/recent_file_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Paths(const CRecentFileList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.GetCount(); ++i)
        out.push_back(list[i]);
    return out;
}

TEST(RecentFileList, NewestFirstAndAnAgainOpenedPathMovesUp) {
    CRecentFileList list(4);
    list.Add("/a.alb");
    list.Add("/b.alb");
    list.Add("/c.alb");
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/c.alb", "/b.alb", "/a.alb"}));
    list.Add("/a.alb");
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/a.alb", "/c.alb", "/b.alb"}));
}

TEST(RecentFileList, HoldsAtMostItsSizeAndDropsTheOldest) {
    CRecentFileList list(4);
    for (const char* p : {"/1", "/2", "/3", "/4", "/5"})
        list.Add(p);
    EXPECT_EQ(list.GetSize(), 4);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/5", "/4", "/3", "/2"}));
    list.Add("");
    EXPECT_EQ(list.GetCount(), 4);
}

TEST(RecentFileList, RemoveTakesOutOneEntry) {
    CRecentFileList list(4);
    list.SetPaths({"/x", "", "/y", "/z", "/w", "/v"});
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/x", "/y", "/z", "/w"}));
    list.Remove(1);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/x", "/z", "/w"}));
    list.Remove(7);
    EXPECT_EQ(list.GetCount(), 3);
}

TEST(RecentFileList, MenuTextNumbersEntriesAndKeepsAmpersands) {
    CRecentFileList list(4);
    list.Add("/home/me/A&B.alb");
    list.Add("/home/me/page.alb");
    EXPECT_EQ(list.GetMenuText(0), "&1 /home/me/page.alb");
    EXPECT_EQ(list.GetMenuText(1), "&2 /home/me/A&&B.alb");
}

TEST(RecentFileList, StoreNamesCountFromOne) {
    CRecentFileList list(4);
    EXPECT_EQ(list.GetSection(), "Recent File List");
    EXPECT_EQ(list.GetEntryName(0), "File1");
    EXPECT_EQ(list.GetEntryName(3), "File4");
}

} // namespace
