// The checks each fuzz target runs on one input. The regression tests under
// tests/ run the same checks on every input that ever failed one, so a fault
// found by fuzzing stays found. Crashes and undefined behaviour are caught by
// the sanitizers; these return false, with what went wrong, when a result is
// wrong without crashing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The album reader; what it accepts is written and read again, and must give
// the same items.
bool CheckAlbumInput(const std::uint8_t* data, std::size_t size, std::string& failure);

// The template reader; accepted slots are placed on pages and fitted with pictures.
bool CheckTemplateInput(const std::uint8_t* data, std::size_t size, std::string& failure);

// The JPEG reader at half and at full size, the bytes written to scratchPath
// first; a decoded picture is made into a DibImage.
bool CheckJpegInput(const std::uint8_t* data, std::size_t size, const std::string& scratchPath,
                    std::string& failure);
