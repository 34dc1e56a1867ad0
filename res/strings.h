// The string table: titles, status-bar prompts with their tool tips, indicator
// texts and the document template string.
#pragma once

#include <string>

// The string with resource id nID; empty when there is none.
std::string LoadResString(unsigned nID);
bool HasResString(unsigned nID);

// A command's status-bar prompt: its string up to the first newline.
std::string GetCommandPrompt(unsigned nID);
// A command's tool tip: its string after the first newline; empty when it has none.
std::string GetCommandTip(unsigned nID);

// Field nField (0-based) of the newline-separated document template string.
// 0 window title, 1 document name, 2 new-file type name, 3 filter name,
// 4 filter extension, 5 registry file type id, 6 registry file type name.
std::string GetDocTemplateField(int nField);
