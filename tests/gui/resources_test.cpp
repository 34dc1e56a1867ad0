// The resource tables: menus, keys, prompts, the template string and the
// tool-bar images agree with each other.
#include "res/accelerators.h"
#include "res/qt/app_icon.h"
#include "res/help_page.h"
#include "res/menu.h"
#include "res/resource.h"
#include "platform/win/app_resources.h"
#include "res/strings.h"
#include "res/qt/toolbar.h"

#include <gtest/gtest.h>

#include <QSet>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> KeysOf(unsigned nID) {
    std::vector<std::string> keys;
    for (const AccelDef& a : GetAcceleratorTable()) {
        if (a.nID == nID)
            keys.push_back(AccelKeyText(a));
    }
    return keys;
}

std::vector<MenuItemDef> AllItems() {
    std::vector<MenuItemDef> items;
    for (const PopupMenuDef& popup : GetMainMenu())
        items.insert(items.end(), popup.items.begin(), popup.items.end());
    return items;
}

TEST(MenuTable, SixPopupsInOrder) {
    std::vector<std::string> titles;
    for (const PopupMenuDef& popup : GetMainMenu())
        titles.push_back(popup.title);
    EXPECT_EQ(titles,
              (std::vector<std::string>{"&File", "&Edit", "Text", "Grid", "Template", "&Help"}));
}

TEST(MenuTable, FileMenuOrderAndSeparators) {
    std::vector<std::string> labels;
    for (const MenuItemDef& item : GetMainMenu()[0].items)
        labels.push_back(item.nID == ID_SEPARATOR ? "-" : item.text);
    EXPECT_EQ(labels,
              (std::vector<std::string>{
                  "&New Document\tCtrl+N", "&Open Document...", "Open Image...\tCtrl+O", "-",
                  "&Save\tCtrl+S", "Save &As...", "Export Page...", "-", "&Print...\tCtrl+P",
                  "Print Pre&view", "P&rint Setup...", "-", "Recent File", "-", "E&xit"}));
}

TEST(MenuTable, EveryLabelShowsAKeyThatRunsItsCommand) {
    for (const MenuItemDef& item : AllItems()) {
        std::string text = item.text;
        std::size_t tab = text.find('\t');
        if (tab == std::string::npos)
            continue;
        std::vector<std::string> keys = KeysOf(item.nID);
        EXPECT_NE(std::find(keys.begin(), keys.end(), text.substr(tab + 1)), keys.end()) << text;
    }
    EXPECT_EQ(KeysOf(ID_FILE_OPEN), (std::vector<std::string>{"Ctrl+O"}));
    EXPECT_TRUE(KeysOf(ID_OPEN_DOCUMENT).empty());
}

TEST(MenuTable, EveryCommandHasAPrompt) {
    for (const MenuItemDef& item : AllItems()) {
        if (item.nID != ID_SEPARATOR) {
            EXPECT_FALSE(AfxCommandPrompt(item.nID).empty()) << item.text;
        }
    }
    EXPECT_EQ(AfxCommandPrompt(ID_FILE_OPEN), "Insert an image into the document");
    EXPECT_EQ(AfxCommandTip(ID_FILE_OPEN), "Insert image");
    EXPECT_EQ(AfxCommandPrompt(ID_GRIDLINE_SPACING), "Gridline Spacing");
    EXPECT_EQ(AfxCommandTip(ID_GRIDLINE_SPACING), "");
    EXPECT_EQ(AfxCommandPrompt(ID_FILE_MRU_FILE1 + 2), "Open this document");
}

TEST(AcceleratorTable, KeysBoundToEachCommand) {
    EXPECT_EQ(KeysOf(ID_DELETE_OBJECT),
              (std::vector<std::string>{"Ctrl+X", "Del", "Shift+Del", "Backspace"}));
    EXPECT_EQ(KeysOf(ID_EDIT_COPY), (std::vector<std::string>{"Ctrl+C", "Ctrl+Ins"}));
    EXPECT_EQ(KeysOf(ID_EDIT_PASTE), (std::vector<std::string>{"Ctrl+V", "Shift+Ins"}));
    EXPECT_EQ(KeysOf(ID_EDIT_UNDO), (std::vector<std::string>{"Ctrl+Z", "Alt+Backspace"}));
    EXPECT_EQ(KeysOf(ID_NEXT_PANE), (std::vector<std::string>{"F6"}));
    EXPECT_EQ(KeysOf(ID_PREV_PANE), (std::vector<std::string>{"Shift+F6"}));
    // No key is bound twice.
    std::set<std::string> seen;
    for (const AccelDef& a : GetAcceleratorTable())
        EXPECT_TRUE(seen.insert(AccelKeyText(a)).second) << AccelKeyText(a);
}

TEST(StringTable, FrameworkStringsAndTemplateFields) {
    EXPECT_EQ(LoadResString(AFX_IDS_APP_TITLE), "Zelbrin");
    EXPECT_EQ(LoadResString(AFX_IDS_IDLEMESSAGE), "Ready");
    EXPECT_EQ(LoadResString(AFX_IDS_UNTITLED), "Untitled");
    EXPECT_EQ(LoadResString(ID_INDICATOR_CAPS), "CAP");
    EXPECT_EQ(LoadResString(ID_INDICATOR_NUM), "NUM");
    EXPECT_EQ(LoadResString(ID_INDICATOR_SCRL), "SCRL");
    EXPECT_FALSE(HasResString(12345));
    const char* fields[] = {"Zelbrin", "", "RivizI", "", "", "Zelbrin.Document", "RivizI Document"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(AfxStringField(IDR_MAINFRAME, i), fields[i]) << i;
    EXPECT_EQ(AfxStringField(IDR_MAINFRAME, 7), "");
}

TEST(ToolBarTable, ButtonsAndSeparatorsInOrder) {
    std::vector<unsigned> expected = {ID_FILE_NEW,
                                      ID_OPEN_DOCUMENT,
                                      ID_FILE_OPEN,
                                      0,
                                      ID_FILE_SAVE,
                                      ID_FILE_PRINT,
                                      0,
                                      ID_DUPLICATE_OBJECT,
                                      ID_DELETE_OBJECT,
                                      0,
                                      ID_EDIT_UNDO,
                                      ID_EDIT_REDO,
                                      0,
                                      ID_NEW_TEXT_ITEM,
                                      ID_TEXT_COLOR,
                                      0,
                                      ID_TEXT_BOLD,
                                      ID_TEXT_ITALIC,
                                      ID_TEXT_UNDERLINE,
                                      0,
                                      ID_SHOW_GRIDLINES,
                                      ID_APP_ABOUT};
    std::span<const unsigned> buttons = GetToolBarButtons();
    EXPECT_EQ(std::vector<unsigned>(buttons.begin(), buttons.end()), expected);
    int images = 0;
    for (unsigned nID : buttons) {
        if (nID == 0)
            continue;
        ++images;
        EXPECT_FALSE(AfxCommandTip(nID).empty()) << nID;
    }
    EXPECT_EQ(images, TOOLBAR_IMAGE_COUNT);
}

TEST(ToolBarBitmap, SixteenDistinctSixteenColourImages) {
    QImage strip = MakeToolBarBitmap();
    ASSERT_EQ(strip.width(), 304);
    ASSERT_EQ(strip.height(), 18);
    EXPECT_EQ(strip.format(), QImage::Format_Indexed8);
    EXPECT_LE(strip.colorCount(), 16);
    std::vector<QImage> cells;
    for (int i = 0; i < TOOLBAR_IMAGE_COUNT; ++i) {
        QImage cell = strip.copy(i * 19, 0, 19, 18).convertToFormat(QImage::Format_RGB32);
        QSet<QRgb> colours;
        int drawn = 0;
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 19; ++x) {
                QRgb c = cell.pixel(x, y) | 0xFF000000u;
                colours.insert(c);
                drawn += c != (ToolBarBackground() | 0xFF000000u);
            }
        // Something is drawn on every button, not only a speck.
        EXPECT_GT(drawn, 20) << "image " << i;
        for (std::size_t j = 0; j < cells.size(); ++j)
            EXPECT_NE(cell, cells[j]) << "images " << j << " and " << i;
        cells.push_back(cell);
    }
}

TEST(HelpPage, CoversTheMainTasks) {
    std::string html = GetHelpPageHtml();
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    for (const char* topic : {"Open Image", "New Text Item", "Save", "Export Page", "Print",
                              "Snap to Grid", "Template", "</html>"})
        EXPECT_NE(html.find(topic), std::string::npos) << topic;
}

} // namespace

namespace {

TEST(AppIcon, DrawnAtEachSizeWithATransparentCorner) {
    for (int size : {16, 32, 48}) {
        QImage icon = AppIconPixmap(size).toImage();
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
    }
    EXPECT_GE(AppIcon().availableSizes().size(), 3);
}

} // namespace
