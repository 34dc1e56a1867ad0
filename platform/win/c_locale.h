// Locale-independent number formatting: '.' as decimal point whatever the
// user's locale (a Qt program switches the C library to it at start-up).
#pragma once

#include <string>

// Formats like snprintf, in the C locale.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));
// strtod in the C locale; *end receives the first character not read.
double StrToDoubleC(const char* text, const char** end = nullptr);
// sscanf in the C locale.
int ScanC(const char* text, const char* format, ...) __attribute__((format(scanf, 2, 3)));
