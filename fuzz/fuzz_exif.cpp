// libFuzzer target: the camera-orientation reader on any EXIF block. It must
// give 1 to 8, and 1 whenever it finds the block damaged.
#include "imaging/orientation.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string block("Exif\0\0", 6);
    block.append(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const int orientation = ExifOrientation(reinterpret_cast<const unsigned char*>(block.data()),
                                            block.size(), problem);
    if (orientation < 1 || orientation > 8 || (!problem.empty() && orientation != 1))
        std::abort();
    return 0;
}
