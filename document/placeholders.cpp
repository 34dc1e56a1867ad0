#include "document/placeholders.h"

#include "document/zelbrin_doc.h"

namespace {

constexpr std::size_t kNamesShown = 10;

std::string NameList(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i)
        text += "\n" + names[i];
    if (names.size() > kNamesShown)
        text += "\nand " + std::to_string(names.size() - kNamesShown) + " more";
    return text;
}

} // namespace

std::vector<std::string> PlaceholderNames(const CZelbrinDoc& doc) {
    std::vector<std::string> names;
    for (int i : doc.GetDrawingOrder())
        if (IsPlaceholder(doc.ItemAt(i)))
            names.push_back(doc.ItemAt(i).szPath);
    return names;
}

std::string MissingPicturesMessage(const std::vector<std::string>& names) {
    const std::string count =
        names.size() == 1 ? "1 picture" : std::to_string(names.size()) + " pictures";
    return count + " of the album could not be found or read. " +
           (names.size() == 1 ? "It is" : "They are") + " kept in " +
           (names.size() == 1 ? "its place" : "their places") +
           " and saved with the album; Edit > Find Missing Pictures... looks for " +
           (names.size() == 1 ? "it" : "them") + ".\n" + NameList(names);
}

std::string BlankPlacesQuestion(const std::vector<std::string>& names, const char* what) {
    return std::string("These pictures are missing; their places will be left blank when the "
                       "page is ") +
           what + ":\n" + NameList(names) + "\n\nGo on?";
}
