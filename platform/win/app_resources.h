// What a program gives the framework to show: its strings (titles, prompts
// and tool tips, indicator texts, the document template string), its menu,
// its keys and its help page. Set once at start-up, before the first window.
#pragma once

#include "base/framework_ids.h"

#include <functional>
#include <string>
#include <vector>

struct MenuItem {
    unsigned nID;         // ID_SEPARATOR for a separator line
    std::string text;     // the label; the keys that run the command follow a tab
    bool bGrayed = false; // shown disabled whatever its update rule says
};

struct PopupMenu {
    std::string title;
    std::vector<MenuItem> items;
};

struct Accelerator {
    std::string keys; // "Ctrl+N", "Shift+Del", "Alt+Backspace", "F6"
    unsigned nID;
};

struct AppResources {
    std::function<std::string(unsigned)> strings; // empty for an id without one
    std::vector<PopupMenu> menu;
    std::vector<Accelerator> accelerators;
    std::string helpHtml;
};

void AfxSetAppResources(AppResources resources);
const AppResources& AfxGetAppResources();

// The string with id nID; empty when there is none.
std::string AfxLoadString(unsigned nID);
bool AfxHasString(unsigned nID);
// A command's status-bar prompt: its string up to the first newline.
std::string AfxCommandPrompt(unsigned nID);
// A command's tool tip: its string after the first newline; empty when it has none.
std::string AfxCommandTip(unsigned nID);
// Field nField (0-based) of the newline-separated string nID.
std::string AfxStringField(unsigned nID, int nField);
