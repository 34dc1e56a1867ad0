#include "res/menu.h"

#include "res/resource.h"

namespace {

// Each label shows the key that really runs its command: Ctrl+O runs Open
// Image, so the label of Open Document shows no key.
constexpr MenuItemDef kFile[] = {
    {ID_FILE_NEW, "&New Document\tCtrl+N"},
    {ID_OPEN_DOCUMENT, "&Open Document..."},
    {ID_FILE_OPEN, "Open Image...\tCtrl+O"},
    {ID_SEPARATOR, ""},
    {ID_FILE_SAVE, "&Save\tCtrl+S"},
    {ID_FILE_SAVE_AS, "Save &As..."},
    {ID_EXPORT_PAGE, "Export Page..."},
    {ID_SEPARATOR, ""},
    {ID_FILE_PRINT, "&Print...\tCtrl+P"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
    {ID_SEPARATOR, ""},
    // Placeholder replaced by the recent-file entries while there are any.
    {ID_FILE_MRU_FILE1, "Recent File", true},
    {ID_SEPARATOR, ""},
    {ID_APP_EXIT, "E&xit"},
};

constexpr MenuItemDef kEdit[] = {
    // The labels name the step they take back or make again.
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
    {ID_EDIT_REDO, "&Redo\tCtrl+Y"},
    {ID_SEPARATOR, ""},
    {ID_DUPLICATE_OBJECT, "Duplicate Object\tCtrl+D"},
    {ID_DELETE_OBJECT, "Delete Object\tCtrl+X"},
    {ID_SEND_TO_BACK, "Send To Back"},
    {ID_ROTATE_LEFT, "Rotate &Left\tCtrl+L"},
    {ID_ROTATE_RIGHT, "Rotate &Right\tCtrl+R"},
    {ID_FIND_MISSING, "Find &Missing Pictures..."},
};

constexpr MenuItemDef kText[] = {
    {ID_NEW_TEXT_ITEM, "New Text Item..."},   {ID_TEXT_COLOR, "Text Color..."},
    {ID_TEXT_BOLD, "Bold\tCtrl+B"},           {ID_TEXT_ITALIC, "Italic\tCtrl+I"},
    {ID_TEXT_UNDERLINE, "Underline\tCtrl+U"},
};

constexpr MenuItemDef kGrid[] = {
    {ID_SHOW_GRIDLINES, "Show Gridlines"},
    {ID_GRIDLINE_SPACING, "Set Gridline Spacing..."},
    {ID_SNAP_TO_GRID, "Snap to Grid"},
};

constexpr MenuItemDef kTemplate[] = {
    {ID_LOAD_TEMPLATE, "Load Template..."},
    {ID_SAVE_TEMPLATE, "Save Template..."},
    {ID_SNAP_TO_TEMPLATE, "Snap to Template"},
};

constexpr MenuItemDef kHelp[] = {
    {ID_HELP_FINDER, "Help Topics..."},
    {ID_APP_ABOUT, "&About Zelbrin..."},
};

constexpr PopupMenuDef kMenu[] = {
    {"&File", kFile}, {"&Edit", kEdit},        {"Text", kText},
    {"Grid", kGrid},  {"Template", kTemplate}, {"&Help", kHelp},
};

} // namespace

std::span<const PopupMenuDef> GetMainMenu() {
    return kMenu;
}
