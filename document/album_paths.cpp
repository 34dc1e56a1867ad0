#include "document/album_paths.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
constexpr char kNativeSeparator = static_cast<char>(fs::path::preferred_separator);
}

std::string ToFilePath(const std::string& nativePath) {
    std::string out = nativePath;
    if (kNativeSeparator != '\\') {
        for (char& c : out)
            if (c == kNativeSeparator)
                c = '\\';
    }
    return out;
}

std::string FromFilePath(const std::string& filePath) {
    std::string out = filePath;
    if (kNativeSeparator != '\\') {
        for (char& c : out)
            if (c == '\\')
                c = kNativeSeparator;
    }
    return out;
}

std::string RelativePicturePath(const std::string& albumPath, const std::string& picturePath) {
    std::size_t common = 0;
    while (common < albumPath.size() && common < picturePath.size() &&
           albumPath[common] == picturePath[common])
        ++common;
    std::size_t k = 0;
    for (std::size_t i = 0; i < common; ++i)
        if (albumPath[i] == '\\')
            k = i + 1;
    std::string rel;
    for (std::size_t i = k; i < albumPath.size(); ++i)
        if (albumPath[i] == '\\')
            rel += "..\\";
    rel += picturePath.substr(k);
    return rel;
}

std::string AbsolutePath(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code ec;
    fs::path abs = fs::absolute(fs::path(path), ec);
    if (ec)
        return path;
    return abs.lexically_normal().string();
}

std::string ResolveAgainstAlbum(const std::string& albumPath, const std::string& nativePath) {
    fs::path p(nativePath);
    if (p.is_absolute())
        return p.lexically_normal().string();
    fs::path folder = fs::path(AbsolutePath(albumPath)).parent_path();
    return (folder / p).lexically_normal().string();
}

bool IsReadableRegularFile(const std::string& path) {
    if (path.empty())
        return false;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    return access(path.c_str(), R_OK) == 0;
}
