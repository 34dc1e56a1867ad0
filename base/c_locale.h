// Locale-independent number formatting: '.' as decimal point whatever the
// user's locale (a Qt program switches the C library to it at start-up).
#pragma once

#include <cstddef>
#include <string>

// Formats like snprintf, in the C locale.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));
// strtod in the C locale; *end receives the first character not read.
double StrToDoubleC(const char* text, const char** end = nullptr);
// The decimal number at the start of text after white space (sign, digits with an optional
// point, an exponent only when digits follow it), in the C locale; 0.0 when
// there is none. "inf", "nan" and hexadecimal numbers are not decimal numbers.
// *pLength receives the number of characters it took.
double LeadingDecimalC(const char* text, std::size_t* pLength = nullptr);
// sscanf in the C locale.
int ScanC(const char* text, const char* format, ...) __attribute__((format(scanf, 2, 3)));
