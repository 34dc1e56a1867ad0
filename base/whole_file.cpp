#include "base/whole_file.h"

#include "base/safe_file.h"

#include <cstdio>
#include <sys/stat.h>

WholeFileResult ReadWholeFile(const char* path, long long maxBytes, std::string& contents) {
    contents.clear();
    struct stat st {};
    if (stat(path, &st) != 0)
        return WholeFileResult::NotFound;
    if (!S_ISREG(st.st_mode))
        return WholeFileResult::NotReadable;
    if (st.st_size > maxBytes)
        return WholeFileResult::TooLarge;
    // Opened as a regular file only: it may have been swapped for a pipe since.
    std::FILE* f = OpenRegularFileForReading(path);
    if (!f)
        return WholeFileResult::NotReadable;
    char buffer[65536];
    std::size_t n;
    WholeFileResult result = WholeFileResult::Ok;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        contents.append(buffer, n);
        // The file may have grown since it was measured.
        if (contents.size() > static_cast<std::size_t>(maxBytes)) {
            result = WholeFileResult::TooLarge;
            break;
        }
    }
    if (result == WholeFileResult::Ok && std::ferror(f))
        result = WholeFileResult::NotReadable;
    std::fclose(f);
    if (result != WholeFileResult::Ok)
        contents.clear();
    return result;
}
