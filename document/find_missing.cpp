#include "document/find_missing.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string LastPart(const std::string& name) {
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// The folders to search, breadth first: folder, those below it within the
// limits, then the folder above.
std::vector<fs::path> SearchedFolders(const fs::path& folder) {
    std::vector<fs::path> out;
    std::deque<std::pair<fs::path, int>> queue{{folder, 0}};
    std::error_code ec;
    while (!queue.empty() && static_cast<int>(out.size()) < kSearchFolders) {
        auto [dir, depth] = queue.front();
        queue.pop_front();
        out.push_back(dir);
        if (depth >= kSearchDepth)
            continue;
        for (fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec), end;
             !ec && it != end; it.increment(ec))
            if (it->is_directory(ec) && !it->is_symlink(ec))
                queue.emplace_back(it->path(), depth + 1);
    }
    if (folder.has_parent_path() && folder.parent_path() != folder)
        out.push_back(folder.parent_path());
    return out;
}

std::string Match(const std::vector<fs::path>& folders, const std::string& name, bool anyCase) {
    const std::string wanted = anyCase ? Lower(name) : name;
    std::error_code ec;
    for (const fs::path& dir : folders)
        for (fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec), end;
             !ec && it != end; it.increment(ec)) {
            const std::string file = it->path().filename().string();
            if ((anyCase ? Lower(file) : file) == wanted && it->is_regular_file(ec))
                return it->path().string();
        }
    return {};
}

std::string Find(const std::vector<fs::path>& folders, const std::string& name) {
    const std::string file = LastPart(name);
    if (file.empty())
        return {};
    std::string found = Match(folders, file, false);
    return found.empty() ? Match(folders, file, true) : found;
}

} // namespace

std::string FindPictureNear(const std::string& folder, const std::string& name) {
    return Find(SearchedFolders(folder.empty() ? fs::path(".") : fs::path(folder)), name);
}

std::string FindPictureIn(const std::string& folder, const std::string& name) {
    return Find({fs::path(folder)}, name);
}
