#include "platform/win/afxmsgbox.h"

#include <cstdio>

namespace {
MessageBoxHandler g_handler = nullptr;
void* g_context = nullptr;

int DefaultAnswer(UINT nType) {
    switch (nType & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDNO;
    default:
        return IDOK;
    }
}
} // namespace

int AfxMessageBox(const char* text, UINT nType) {
    if (g_handler)
        return g_handler(text ? text : "", nType, g_context);
    std::fprintf(stderr, "%s\n", text ? text : "");
    return DefaultAnswer(nType);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler, void* context,
                                       void** previousContext) {
    MessageBoxHandler old = g_handler;
    if (previousContext)
        *previousContext = g_context;
    g_handler = handler;
    g_context = context;
    return old;
}

std::string AfxFormatString2(const std::string& format, const std::string& s1,
                             const std::string& s2) {
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() &&
            (format[i + 1] == '1' || format[i + 1] == '2')) {
            out += format[i + 1] == '1' ? s1 : s2;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}
