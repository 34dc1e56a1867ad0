#include "res/strings.h"

#include "res/resource.h"

#include <algorithm>
#include <iterator>

namespace {

struct StringEntry {
    unsigned nID;
    const char* text;
};

// Sorted by id.
constexpr StringEntry kStrings[] = {
    {IDR_MAINFRAME, "Zelbrin\n\nRivizI\n\n\nZelbrin.Document\nRivizI Document"},
    {ID_TEXT_COLOR, "Change font color\nFont color"},
    {ID_NEW_TEXT_ITEM, "Create new text item\nNew text"},
    {ID_OPEN_DOCUMENT, "Open a saved document\nOpen document"},
    {ID_DUPLICATE_OBJECT, "Duplicate Item\nDuplicate"},
    {ID_DELETE_OBJECT, "Delete the selection\nDelete"},
    {ID_TEXT_UNDERLINE, "Underlines the current selection\nUnderline"},
    {ID_TEXT_BOLD, "Makes the selection bold\nBold"},
    {ID_TEXT_ITALIC, "Makes the selection italic\nItalic"},
    {ID_SHOW_GRIDLINES, "Show gridlines\nGridlines"},
    {ID_GRIDLINE_SPACING, "Gridline Spacing"},
    {ID_SNAP_TO_GRID, "Snap to Grid\nSnap to Grid"},
    {ID_EXPORT_PAGE, "Export page to jpeg\nExport"},
    {ID_SEND_TO_BACK, "Send selected item to back\nSend to Back"},
    {ID_LOAD_TEMPLATE, "Load a saved template"},
    {ID_SAVE_TEMPLATE, "Save a template based on the current image placement"},
    {ID_SNAP_TO_TEMPLATE, "Snap to Template\nSnap to Template"},
    {ID_ROTATE_LEFT, "Turn the selected picture a quarter turn anticlockwise\nRotate Left"},
    {ID_ROTATE_RIGHT, "Turn the selected picture a quarter turn clockwise\nRotate Right"},
    {ID_FIND_MISSING, "Look for the files of the pictures that are missing\nFind Missing Pictures"},
    {AFX_IDS_APP_TITLE, "Zelbrin"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    {ID_FILE_NEW, "Create a new document\nNew document"},
    {ID_FILE_OPEN, "Insert an image into the document\nInsert image"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
    {ID_FILE_MRU_FILE1, "Open this document"},
    {ID_FILE_MRU_FILE1 + 1, "Open this document"},
    {ID_FILE_MRU_FILE1 + 2, "Open this document"},
    {ID_FILE_MRU_FILE4, "Open this document"},
    {ID_EDIT_UNDO, "Undo the last action\nUndo"},
    {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_HELP_FINDER, "Help Topics"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_INDICATOR_PPI, "9999 ppi"},
    {AFX_IDS_UNTITLED, "Untitled"},
};

const StringEntry* Find(unsigned nID) {
    auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), nID,
                               [](const StringEntry& e, unsigned id) { return e.nID < id; });
    return it != std::end(kStrings) && it->nID == nID ? &*it : nullptr;
}

} // namespace

std::string LoadResString(unsigned nID) {
    const StringEntry* e = Find(nID);
    return e ? e->text : std::string();
}

bool HasResString(unsigned nID) {
    return Find(nID) != nullptr;
}
