// The main menu: six pop-up menus and their items, in order.
#pragma once

#include <span>

struct MenuItemDef {
    unsigned nID;         // ID_SEPARATOR (0) for a separator line
    const char* text;     // label; the key that runs the command follows a tab
    bool bGrayed = false; // shown disabled whatever its update rule says
};

struct PopupMenuDef {
    const char* title;
    std::span<const MenuItemDef> items;
};

std::span<const PopupMenuDef> GetMainMenu();
