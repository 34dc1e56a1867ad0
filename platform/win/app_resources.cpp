#include "platform/win/app_resources.h"

namespace {

AppResources& Resources() {
    static AppResources resources;
    return resources;
}

} // namespace

void AfxSetAppResources(AppResources resources) {
    Resources() = std::move(resources);
}

const AppResources& AfxGetAppResources() {
    return Resources();
}

std::string AfxLoadString(unsigned nID) {
    return Resources().strings ? Resources().strings(nID) : std::string();
}

bool AfxHasString(unsigned nID) {
    return !AfxLoadString(nID).empty();
}

std::string AfxCommandPrompt(unsigned nID) {
    return AfxStringField(nID, 0);
}

std::string AfxCommandTip(unsigned nID) {
    return AfxStringField(nID, 1);
}

std::string AfxStringField(unsigned nID, int nField) {
    const std::string s = AfxLoadString(nID);
    std::size_t start = 0;
    for (int i = 0; i < nField; ++i) {
        const std::size_t nl = s.find('\n', start);
        if (nl == std::string::npos)
            return std::string();
        start = nl + 1;
    }
    return s.substr(start, s.find('\n', start) - start);
}
