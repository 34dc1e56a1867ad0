#include "document/slot_fit.h"

#include <cstring>

RECT FitIntoSlot(const TemplateSlot& s, double aspect, int pageWidth, int pageHeight) {
    const int sW = static_cast<int>(static_cast<float>(pageWidth) * s.fWidth);
    const int sH = static_cast<int>(static_cast<float>(pageHeight) * s.fHeight);
    const int cx = static_cast<int>(static_cast<float>(pageWidth) * s.fCenterX);
    const int cy = static_cast<int>(static_cast<float>(pageHeight) * s.fCenterY);
    int width, height;
    if (sH > 0 && aspect > static_cast<double>(sW) / sH) {
        width = sW;
        height = static_cast<int>(sW / aspect);
    } else {
        height = sH;
        width = static_cast<int>(sH * aspect);
    }
    return RECT{cx - width / 2, cy - height / 2, cx + width / 2, cy + height / 2};
}

RECT CascadePlace(double aspect, int pageWidth, int pageHeight, int n) {
    const int w2 = pageWidth - 40;
    const int h2 = pageHeight - 40;
    int width, height;
    if (static_cast<int>(h2 * aspect) >= w2) {
        width = static_cast<int>(w2 * 0.5);
        height = static_cast<int>(width / aspect);
    } else {
        height = static_cast<int>(h2 * 0.5);
        width = static_cast<int>(height * aspect);
    }
    const int at = 10 * n;
    return RECT{at, at, at + width, at + height};
}

int CountTextLines(const char* text) {
    int n = 0;
    const char* p = text;
    while (*p) {
        const char* lf = std::strchr(p, '\n');
        const std::size_t len = lf ? static_cast<std::size_t>(lf - p) : std::strlen(p);
        if (len > 0)
            ++n;
        if (!lf)
            break;
        p = lf + 1;
    }
    return n;
}
