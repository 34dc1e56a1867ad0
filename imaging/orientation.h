// Camera orientation: the EXIF Orientation tag (1 to 8) that says how a
// picture's stored pixels are turned and mirrored, and turning pixels upright.
#pragma once

#include <cstddef>
#include <string>

// Asks a decoding to use the orientation its file's tag gives.
constexpr int ORIENTATION_FROM_FILE = 0;

// The Orientation tag of an APP1 "Exif" block (its bytes, from "Exif\0\0"):
// 1 to 8; 1 when it holds none. A damaged block, or a tag outside 1 to 8, is
// orientation 1 with the reason in problem.
int ExifOrientation(const unsigned char* data, std::size_t size, std::string& problem);

// A malloc'ed copy of the w x h RGB pixels (rows top to bottom) made upright
// for orientation, with its size in outW and outH; null when out of memory.
unsigned char* OrientedPixels(const unsigned char* pixels, int w, int h, int orientation, int& outW,
                              int& outH);

// The orientation of a picture of this orientation turned quarterTurns
// quarter turns clockwise more (negative: anticlockwise); mirrored ones
// stay mirrored.
int TurnOrientation(int orientation, int quarterTurns);
// The quarter turns clockwise (0 to 3) that make an orientation's pixels
// upright, after its mirror if it has one.
int QuarterTurnsOf(int orientation);
