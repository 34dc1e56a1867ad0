#include "document/template_file.h"

#include "document/line_reader.h"
#include "base/c_locale.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// A line holding one decimal integer and nothing else.
bool ParseCount(const std::string& line, long long& value) {
    const char* p = line.c_str();
    while (IsBlank(*p))
        ++p;
    if (*p != '-' && *p != '+' && (*p < '0' || *p > '9'))
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(p, &end, 10);
    if (end == p || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return false;
    while (IsBlank(*end))
        ++end;
    return *end == '\0';
}

// A line holding one decimal number and nothing else, read in the C locale.
bool ParseNumber(const std::string& line, double& value) {
    const char* p = line.c_str();
    while (IsBlank(*p))
        ++p;
    if (*p == '\0')
        return false;
    const char* end = nullptr;
    value = StrToDoubleC(p, &end);
    if (end == p)
        return false;
    while (IsBlank(*end))
        ++end;
    return *end == '\0';
}

} // namespace

bool ParseTemplateText(const std::string& text, std::vector<TemplateSlot>& slots,
                       std::string& reason) {
    slots.clear();
    LineReader lines(text);
    std::string line;
    long long count = 0;
    if (!lines.Next(line) || !ParseCount(line, count)) {
        reason = "its first line is not a number of slots";
        return false;
    }
    if (count > MAX_SLOTS) {
        reason = FormatC("it announces %lld slots, more than the %d a template can hold", count,
                         MAX_SLOTS);
        return false;
    }
    std::vector<TemplateSlot> read;
    for (long long i = 0; i < count; ++i) {
        float values[4];
        for (float& v : values) {
            double d = 0;
            if (!lines.Next(line)) {
                reason = FormatC("it ends before the %lld slots it announces", count);
                return false;
            }
            if (!ParseNumber(line, d)) {
                reason = FormatC("a value of slot %lld is not a number", i + 1);
                return false;
            }
            v = static_cast<float>(d);
            if (!std::isfinite(d) || !std::isfinite(v) || std::fabs(d) > MAX_SLOT_FRACTION) {
                reason = FormatC("a value of slot %lld is not a fraction of the page", i + 1);
                return false;
            }
        }
        read.push_back(TemplateSlot{values[0], values[1], values[2], values[3], 0});
    }
    slots = std::move(read);
    return true;
}

std::string FormatTemplateText(const std::vector<RECT>& placements, int pageWidth, int pageHeight) {
    const double W = pageWidth, H = pageHeight;
    std::string out = FormatC("%d\r\n\r\n", static_cast<int>(placements.size()));
    for (const RECT& rc : placements) {
        // In 64 bits: no rectangle read from a file can overflow here.
        const double w = static_cast<double>(rc.right) - rc.left;
        const double h = static_cast<double>(rc.bottom) - rc.top;
        const double cx = rc.left - std::trunc(-0.5 * w);
        const double cy = rc.top - std::trunc(-0.5 * h);
        out += FormatC("%f\r\n%f\r\n%f\r\n%f\r\n\r\n", cx / W, static_cast<float>(cy / H),
                       static_cast<float>(w / W), static_cast<float>(h / H));
    }
    return out;
}
