// Modal message boxes. The window layer installs the real box; without one
// (tests, command-line export) the text goes to the standard error stream.
#pragma once

#include "platform/win/wintypes.h"

#include <string>

// Shows text with the given MB_ button set and icon; returns the IDOK/IDYES/... result.
int AfxMessageBox(const char* text, UINT nType = MB_OK);
inline int AfxMessageBox(const std::string& text, UINT nType = MB_OK) {
    return AfxMessageBox(text.c_str(), nType);
}

using MessageBoxHandler = int (*)(const char* text, UINT nType, void* context);
// Replaces the message box handler; returns the previous one (and its context).
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler, void* context,
                                       void** previousContext = nullptr);

// Replaces %1 and %2 in a framework message with the given texts.
std::string AfxFormatString2(const std::string& format, const std::string& s1,
                             const std::string& s2 = std::string());
