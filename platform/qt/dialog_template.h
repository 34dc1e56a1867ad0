// Dialog templates held as data: the dialog's caption, size and font and one
// entry per control, positions and sizes in dialog units, as a resource
// compiler lays them out. CDialog builds its window from one of these.
#pragma once

#include "platform/win/winctrl.h"

#include <cstddef>

class QIcon;

// The window class of a control; its style flags pick the variant
// (push button, check box or group box; single- or multi-line edit ...).
enum class DlgControlClass {
    Button,
    Edit,
    Static,
    ComboBox,
};

struct DlgItemTemplate {
    DlgControlClass kind;
    int id;
    const char* text; // caption; for an SS_ICON static "#n" names icon resource n
    short x, y, cx, cy;
    DWORD style;
};

struct DlgTemplate {
    int id; // IDD_ number of the template
    const char* caption;
    short cx, cy; // client area, dialog units
    const char* fontName;
    int fontPointSize;
    DWORD style;
    const DlgItemTemplate* items;
    std::size_t itemCount;
    // Resolves icon resources named by SS_ICON statics; may be null.
    QIcon (*loadIcon)(int resourceId);
};
