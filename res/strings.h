// The string table: titles, status-bar prompts with their tool tips, indicator
// texts and the document template string.
#pragma once

#include <string>

// The string with resource id nID; empty when there is none.
std::string LoadResString(unsigned nID);
bool HasResString(unsigned nID);
