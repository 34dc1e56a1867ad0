#include "res/accelerators.h"

#include "res/resource.h"

namespace {

constexpr unsigned char CTRL = FVIRTKEY | FCONTROL;
constexpr unsigned char SHIFT = FVIRTKEY | FSHIFT;
constexpr unsigned char ALT = FVIRTKEY | FALT;

constexpr AccelDef kAccelerators[] = {
    {CTRL, 'N', ID_FILE_NEW},
    {CTRL, 'O', ID_FILE_OPEN},
    {CTRL, 'S', ID_FILE_SAVE},
    {CTRL, 'P', ID_FILE_PRINT},
    {CTRL, 'L', ID_ROTATE_LEFT},
    {CTRL, 'R', ID_ROTATE_RIGHT},
    {CTRL, 'D', ID_DUPLICATE_OBJECT},
    {CTRL, 'X', ID_DELETE_OBJECT},
    {FVIRTKEY, VK_DELETE, ID_DELETE_OBJECT},
    {SHIFT, VK_DELETE, ID_DELETE_OBJECT},
    {FVIRTKEY, VK_BACK, ID_DELETE_OBJECT},
    {CTRL, 'B', ID_TEXT_BOLD},
    {CTRL, 'I', ID_TEXT_ITALIC},
    {CTRL, 'U', ID_TEXT_UNDERLINE},
    // Bound to commands nobody handles or that are disabled: they do nothing.
    {CTRL, 'C', ID_EDIT_COPY},
    {CTRL, VK_INSERT, ID_EDIT_COPY},
    {CTRL, 'V', ID_EDIT_PASTE},
    {SHIFT, VK_INSERT, ID_EDIT_PASTE},
    {CTRL, 'Z', ID_EDIT_UNDO},
    {ALT, VK_BACK, ID_EDIT_UNDO},
    {CTRL, 'Y', ID_EDIT_REDO},
    {CTRL | FSHIFT, 'Z', ID_EDIT_REDO},
    {FVIRTKEY, VK_F6, ID_NEXT_PANE},
    {SHIFT, VK_F6, ID_PREV_PANE},
};

} // namespace

std::span<const AccelDef> GetAcceleratorTable() {
    return kAccelerators;
}

std::string AccelKeyText(const AccelDef& accel) {
    std::string text;
    if (accel.fVirt & FCONTROL)
        text += "Ctrl+";
    if (accel.fVirt & FALT)
        text += "Alt+";
    if (accel.fVirt & FSHIFT)
        text += "Shift+";
    switch (accel.key) {
    case VK_BACK:
        return text + "Backspace";
    case VK_INSERT:
        return text + "Ins";
    case VK_DELETE:
        return text + "Del";
    default:
        break;
    }
    if (accel.key >= 0x70 && accel.key <= 0x87)
        return text + "F" + std::to_string(accel.key - 0x70 + 1);
    return text + static_cast<char>(accel.key);
}
