// Picture paths in album files. The file holds Windows paths with backslash
// separators on every system; on a system whose separator is '/', paths are
// written with '\' and read back with '/'.
#pragma once

#include <string>

// A native path in the file's backslash form.
std::string ToFilePath(const std::string& nativePath);
// A path from the file in native form.
std::string FromFilePath(const std::string& filePath);

// The picture's path relative to the album's folder, both given in backslash
// form: the common leading part up to its last backslash is dropped, and one
// "..\" is put in front for every folder from there down to the album.
std::string RelativePicturePath(const std::string& albumPath, const std::string& picturePath);

// An absolute, lexically normal native form of path; relative paths are taken
// from the working directory.
std::string AbsolutePath(const std::string& path);
// A native path from the file, resolved against the album's folder unless it
// is absolute already.
std::string ResolveAgainstAlbum(const std::string& albumPath, const std::string& nativePath);

// True only for an existing regular file that can be opened for reading;
// folders, devices and pipes are never opened.
bool IsReadableRegularFile(const std::string& path);
