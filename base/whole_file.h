// Reading a whole file into memory, up to a size limit; only regular files
// are opened, so folders, devices and pipes are never read.
#pragma once

#include <string>

enum class WholeFileResult { Ok, NotFound, NotReadable, TooLarge };

WholeFileResult ReadWholeFile(const char* path, long long maxBytes, std::string& contents);
