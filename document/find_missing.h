// Looking for a missing picture's file by its name near the album.
#pragma once

#include <string>

// The file named like name (its last part) in folder and the folders below it
// (at most kSearchDepth levels and kSearchFolders folders), then in the folder
// above: first with the exact name, then with any case. Empty when none is.
std::string FindPictureNear(const std::string& folder, const std::string& name);
// The same in folder alone.
std::string FindPictureIn(const std::string& folder, const std::string& name);

constexpr int kSearchDepth = 4;
constexpr int kSearchFolders = 2000;
