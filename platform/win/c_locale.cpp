#include "platform/win/c_locale.h"

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
