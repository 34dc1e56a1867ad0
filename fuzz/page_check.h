// The whole-page check of the page fuzz target, shared with the suite's
// regression test (which has the program's own application object).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Makes the pictures a page input may name (a.jpg 40 x 30, b.jpg 7 x 90,
// big.jpg 1100 x 60) in folder, which must exist.
void MakePagePictures(const std::string& folder);

// The input's first four bytes give an export size (1 to 3000 pixels each
// side), the rest is an album file written into folder. The album is opened
// without a window as the command line opens it, exported at that size
// through the Export Page course and printed into a PDF file through the
// printing course. False, with what went wrong, when printing fails.
bool CheckPageInput(const std::uint8_t* data, std::size_t size, const std::string& folder,
                    std::string& failure);
