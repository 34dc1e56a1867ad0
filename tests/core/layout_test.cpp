// The code's layout as its includes show it: folders include one another
// without a circle, the framework layer knows nothing of the program's
// resources and the resources nothing of the framework, and no two files of
// platform/qt lean on each other in a circle.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kProductFolders[] = {"app",      "base",     "cli",     "dialogs",
                                       "document", "geometry", "imaging", "platform",
                                       "render",   "res",      "view"};

// Every product file (relative path) and the project files it includes.
std::map<std::string, std::vector<std::string>> Includes() {
    std::map<std::string, std::vector<std::string>> out;
    const fs::path root = ZELBRIN_SOURCE_DIR;
    const std::regex include("^#include \"([^\"]+)\"");
    for (const char* folder : kProductFolders)
        for (const auto& e : fs::recursive_directory_iterator(root / folder)) {
            const std::string ext = e.path().extension().string();
            if (ext != ".cpp" && ext != ".h")
                continue;
            const std::string name = fs::relative(e.path(), root).string();
            std::ifstream in(e.path());
            std::string line;
            std::smatch m;
            auto& list = out[name];
            while (std::getline(in, line))
                if (std::regex_search(line, m, include) && fs::exists(root / m[1].str()))
                    list.push_back(m[1].str());
        }
    return out;
}

std::string Folder(const std::string& file) {
    return fs::path(file).parent_path().string();
}

// A file and its header are one module.
std::string Module(const std::string& file) {
    return fs::path(file).replace_extension().string();
}

// The nodes of some circle of graph, or empty when it has none.
std::vector<std::string> FindCircle(const std::map<std::string, std::set<std::string>>& graph) {
    std::map<std::string, int> state; // 1 on the path, 2 done
    std::vector<std::string> path, circle;
    std::function<bool(const std::string&)> visit = [&](const std::string& n) {
        state[n] = 1;
        path.push_back(n);
        if (auto it = graph.find(n); it != graph.end())
            for (const std::string& m : it->second) {
                if (state[m] == 1) {
                    circle.assign(std::find(path.begin(), path.end(), m), path.end());
                    return true;
                }
                if (state[m] == 0 && visit(m))
                    return true;
            }
        path.pop_back();
        state[n] = 2;
        return false;
    };
    for (const auto& [n, _] : graph)
        if (state[n] == 0 && visit(n))
            return circle;
    return {};
}

std::string Join(const std::vector<std::string>& parts) {
    std::string s;
    for (const std::string& p : parts)
        s += p + " -> ";
    return s;
}

TEST(Layout, FoldersIncludeEachOtherWithoutACircle) {
    std::map<std::string, std::set<std::string>> folders, modules;
    for (const auto& [file, includes] : Includes())
        for (const std::string& inc : includes) {
            if (Folder(inc) != Folder(file))
                folders[Folder(file)].insert(Folder(inc));
            if (Module(inc) != Module(file) && file.rfind("platform/qt/", 0) == 0 &&
                inc.rfind("platform/qt/", 0) == 0)
                modules[Module(file)].insert(Module(inc));
            // The framework and the general helpers know nothing of this program.
            if (file.rfind("platform/", 0) == 0 || file.rfind("base/", 0) == 0) {
                EXPECT_TRUE(inc.rfind("platform/", 0) == 0 || inc.rfind("base/", 0) == 0)
                    << file << " includes " << inc;
            }
            if (file.rfind("res/", 0) == 0) {
                EXPECT_NE(inc.rfind("platform/", 0), 0u) << file << " includes " << inc;
            }
        }
    EXPECT_EQ(Join(FindCircle(folders)), "");
    EXPECT_EQ(Join(FindCircle(modules)), "");
}

} // namespace
