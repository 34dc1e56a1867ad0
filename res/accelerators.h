// The accelerator table: every key that produces a command, including the
// keys bound to commands that no class handles.
#pragma once

#include <span>
#include <string>

// Modifier flags of an accelerator.
constexpr unsigned char FVIRTKEY = 0x01;
constexpr unsigned char FSHIFT = 0x04;
constexpr unsigned char FCONTROL = 0x08;
constexpr unsigned char FALT = 0x10;

// Virtual-key codes used by the table; letters and digits are their ASCII capitals.
constexpr unsigned short VK_BACK = 0x08;
constexpr unsigned short VK_INSERT = 0x2D;
constexpr unsigned short VK_DELETE = 0x2E;
constexpr unsigned short VK_F6 = 0x75;

struct AccelDef {
    unsigned char fVirt;
    unsigned short key;
    unsigned nID;
};

std::span<const AccelDef> GetAcceleratorTable();

// The key as text, modifiers first: "Ctrl+N", "Shift+Del", "Alt+Backspace", "F6".
std::string AccelKeyText(const AccelDef& accel);
