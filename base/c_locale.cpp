#include "base/c_locale.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <vector>

namespace {

locale_t CLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return loc;
}

// Makes the C locale current for this thread during its lifetime.
class ScopedCLocale {
public:
    ScopedCLocale() : m_old(uselocale(CLocale())) {}
    ~ScopedCLocale() { uselocale(m_old); }
    ScopedCLocale(const ScopedCLocale&) = delete;
    ScopedCLocale& operator=(const ScopedCLocale&) = delete;

private:
    locale_t m_old;
};

// Length of the decimal number at the start of s: sign, digits with an
// optional point, an exponent only when digits follow it. 0 when none.
std::size_t DecimalNumberLength(const char* s) {
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-')
        ++i;
    std::size_t digits = 0;
    while (s[i] >= '0' && s[i] <= '9') {
        ++i;
        ++digits;
    }
    if (s[i] == '.') {
        ++i;
        while (s[i] >= '0' && s[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (s[i] == 'e' || s[i] == 'E') {
        std::size_t j = i + 1;
        if (s[j] == '+' || s[j] == '-')
            ++j;
        if (s[j] >= '0' && s[j] <= '9') {
            while (s[j] >= '0' && s[j] <= '9')
                ++j;
            i = j;
        }
    }
    return i;
}

} // namespace

std::string FormatC(const char* format, ...) {
    ScopedCLocale c;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    char small[128];
    int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        va_end(copy);
        return out;
    }
    if (static_cast<std::size_t>(n) < sizeof small) {
        out.assign(small, static_cast<std::size_t>(n));
    } else {
        std::vector<char> big(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(big.data(), big.size(), format, copy);
        out.assign(big.data(), static_cast<std::size_t>(n));
    }
    va_end(copy);
    return out;
}

double StrToDoubleC(const char* text, const char** end) {
    char* e = nullptr;
    double v = strtod_l(text, &e, CLocale());
    if (end)
        *end = e;
    return v;
}

int ScanC(const char* text, const char* format, ...) {
    ScopedCLocale c;
    va_list args;
    va_start(args, format);
    int n = std::vsscanf(text, format, args);
    va_end(args);
    return n;
}

double LeadingDecimalC(const char* text, std::size_t* pLength) {
    std::size_t blanks = 0;
    while (text[blanks] == ' ' || (text[blanks] >= '\t' && text[blanks] <= '\r'))
        ++blanks;
    const std::size_t len = DecimalNumberLength(text + blanks);
    if (pLength)
        *pLength = len ? blanks + len : 0;
    if (len == 0)
        return 0.0;
    const std::string number(text + blanks, len);
    return StrToDoubleC(number.c_str());
}
