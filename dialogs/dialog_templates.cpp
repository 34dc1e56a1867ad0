#include "dialogs/dialog_templates.h"

#include "res/qt/app_icon.h"

#include <iterator>

namespace {

using K = DlgControlClass;

constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDefPush = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kLineEdit = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr const char* kFont = "MS Sans Serif";

// x, y, cx, cy in dialog units.
const DlgItemTemplate kAboutItems[] = {
    {K::Static, IDC_STATIC, "#128", 11, 17, 20, 20, SS_ICON},
    {K::Static, IDC_STATIC, "Zelbrin Version " ZELBRIN_VERSION, 42, 14, 119, 8,
     SS_LEFT | SS_NOPREFIX},
    {K::Button, IDOK, "OK", 178, 7, 32, 14, kDefPush | WS_GROUP},
};

const DlgItemTemplate kTextItemItems[] = {
    // Multi-line, Enter makes a new line, words wrap; no scroll bars and no
    // automatic vertical scrolling.
    {K::Edit, IDC_TEXT, "", 7, 59, 222, 52, ES_MULTILINE | ES_WANTRETURN | WS_BORDER | WS_TABSTOP},
    // How many of the text's characters are left, updated as it is typed.
    {K::Static, IDC_TEXT_LEFT, "", 7, 114, 222, 10, SS_LEFT | SS_NOPREFIX},
    {K::Button, IDC_STATIC, "Style", 7, 2, 55, 51, BS_GROUPBOX},
    {K::Button, IDC_BOLD, "Bold", 13, 14, 30, 10, kCheck},
    {K::Button, IDC_ITALIC, "Italic", 13, 26, 31, 10, kCheck},
    {K::Button, IDC_UNDERLINE, "Underline", 13, 38, 46, 10, kCheck},
    {K::Static, IDC_STATIC, "Font:", 68, 6, 17, 10, SS_LEFT},
    // Editable drop-down, unsorted; the height includes the list.
    {K::ComboBox, IDC_FONT, "", 91, 4, 71, 118, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP},
    // Not the default button: Enter outside the text box is the OK command.
    {K::Button, IDC_TEXT_OK, "OK", 179, 2, 50, 14, kPush},
    {K::Button, IDCANCEL, "Cancel", 179, 20, 50, 14, kPush},
};

const DlgItemTemplate kGridlineItems[] = {
    {K::Static, IDC_STATIC, "Enter spacing between grid lines:", 7, 7, 76, 16, SS_LEFT},
    {K::Static, IDC_STATIC, "Horizontal:", 11, 30, 34, 10, SS_LEFT},
    {K::Edit, IDC_HORIZ_SPACING, "", 47, 29, 31, 14, kLineEdit},
    {K::Static, IDC_STATIC, "inch(es)", 82, 30, 25, 10, SS_LEFT},
    {K::Static, IDC_STATIC, "Vertical:", 12, 46, 32, 10, SS_LEFT},
    {K::Edit, IDC_VERT_SPACING, "", 47, 45, 31, 14, kLineEdit},
    {K::Static, IDC_STATIC, "inch(es)", 81, 46, 25, 10, SS_LEFT},
    {K::Button, IDOK, "OK", 129, 7, 50, 14, kDefPush},
    {K::Button, IDCANCEL, "Cancel", 129, 24, 50, 14, kPush},
};

const DlgItemTemplate kExportJpegItems[] = {
    {K::Button, IDOK, "OK", 129, 3, 50, 14, kDefPush},
    {K::Button, IDCANCEL, "Cancel", 129, 22, 50, 14, kPush},
    {K::Static, IDC_STATIC, "Exported image dimensions:", 14, 8, 100, 8, SS_LEFT},
    {K::Static, IDC_STATIC, "Width:", 16, 30, 30, 8, SS_LEFT},
    {K::Edit, IDC_EXPORT_WIDTH, "", 51, 26, 40, 14, kLineEdit},
    {K::Static, IDC_STATIC, "pixels", 96, 29, 25, 8, SS_LEFT},
    {K::Static, IDC_STATIC, "Height:", 15, 50, 30, 8, SS_LEFT},
    {K::Edit, IDC_EXPORT_HEIGHT, "", 51, 47, 40, 14, kLineEdit},
    {K::Static, IDC_STATIC, "pixels", 96, 50, 25, 8, SS_LEFT},
};

} // namespace

const DlgTemplate kAboutTemplate = {IDD_ABOUT,
                                    "About Zelbrin",
                                    217,
                                    55,
                                    kFont,
                                    8,
                                    kDialogStyle,
                                    kAboutItems,
                                    std::size(kAboutItems),
                                    &LoadIconResource};
const DlgTemplate kTextItemTemplate = {IDD_TEXT_ITEM,
                                       "Edit Text Item",
                                       236,
                                       129,
                                       kFont,
                                       8,
                                       kDialogStyle,
                                       kTextItemItems,
                                       std::size(kTextItemItems),
                                       &LoadIconResource};
const DlgTemplate kGridlineTemplate = {
    IDD_GRIDLINE_SETUP,        "Girdline Setup", 186, 69, kFont, 8, kDialogStyle, kGridlineItems,
    std::size(kGridlineItems), &LoadIconResource};
const DlgTemplate kExportJpegTemplate = {IDD_EXPORT_JPEG,
                                         "Export as JPEG",
                                         186,
                                         73,
                                         kFont,
                                         8,
                                         kDialogStyle,
                                         kExportJpegItems,
                                         std::size(kExportJpegItems),
                                         &LoadIconResource};

const DlgTemplate* FindDialogTemplate(int id) {
    for (const DlgTemplate* t :
         {&kAboutTemplate, &kTextItemTemplate, &kGridlineTemplate, &kExportJpegTemplate})
        if (t->id == id)
            return t;
    return nullptr;
}
