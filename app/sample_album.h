// A sample album for a first look: three pictures drawn by the program and a
// text item, laid out by the editor's own insertion rules.
#pragma once

#include <string>

// Writes beach.jpg, mountains.jpg, meadow.jpg and sample.alb into folder
// (made when missing). False with error set when something cannot be written.
bool MakeSampleAlbum(const std::string& folder, std::string& error);
