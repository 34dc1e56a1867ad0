#include "base/number_entry.h"

#include "base/c_locale.h"

#include <climits>
#include <cstddef>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

const char* SkipBlanks(const char* text) {
    while (IsBlank(*text))
        ++text;
    return text;
}

} // namespace

bool ParseDialogFloat(const char* text, double& value) {
    text = SkipBlanks(text);
    const char chFirst = *text;
    std::size_t len = 0;
    value = LeadingDecimalC(text, &len);
    if (value == 0.0 && chFirst != '0')
        return false; // nothing read
    return *SkipBlanks(text + len) == '\0';
}

bool ParseDialogUInt(const char* text, unsigned& value) {
    text = SkipBlanks(text);
    const char chFirst = *text;
    if (chFirst == '-')
        return false;
    std::size_t i = text[0] == '+' ? 1 : 0;
    const std::size_t start = i;
    unsigned long long v = 0;
    for (; text[i] >= '0' && text[i] <= '9'; ++i)
        if (v <= UINT_MAX)
            v = v * 10 + static_cast<unsigned>(text[i] - '0');
    if (i == start)
        i = 0; // no digits: nothing read
    if (v > UINT_MAX)
        v = UINT_MAX;
    if ((v == 0 && chFirst != '0') || *SkipBlanks(text + i) != '\0')
        return false;
    value = static_cast<unsigned>(v);
    return true;
}
