#include "imaging/orientation.h"

#include <libexif/exif-data.h>

#include <cstdlib>
#include <cstring>

namespace {

// Each orientation as a mirror across (first) and quarter turns clockwise
// (then) that make the stored pixels upright.
struct Transform {
    bool mirror;
    int turns;
};
constexpr Transform kTransforms[9] = {{false, 0}, {false, 0}, {true, 0}, {false, 2}, {true, 2},
                                      {true, 3},  {false, 1}, {true, 1}, {false, 3}};

int OrientationOf(Transform t) {
    for (int o = 1; o <= 8; ++o)
        if (kTransforms[o].mirror == t.mirror && kTransforms[o].turns == t.turns)
            return o;
    return 1;
}

bool Valid(int orientation) {
    return orientation >= 1 && orientation <= 8;
}

} // namespace

int ExifOrientation(const unsigned char* data, std::size_t size, std::string& problem) {
    problem.clear();
    if (!data || size < 6 || std::memcmp(data, "Exif\0\0", 6) != 0)
        return 1;
    ExifData* exif = exif_data_new();
    if (!exif) {
        problem = "no memory for its EXIF data";
        return 1;
    }
    exif_data_unset_option(exif, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(exif, data, static_cast<unsigned>(size));
    int orientation = 1;
    bool anyEntry = false;
    for (int i = 0; i < EXIF_IFD_COUNT; ++i)
        anyEntry = anyEntry || (exif->ifd[i] && exif->ifd[i]->count > 0);
    // The picture's own tag is in the first directory; the thumbnail's may differ.
    ExifEntry* entry = exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (!anyEntry) {
        problem = "its EXIF block is damaged";
    } else if (entry) {
        const int value = entry->format == EXIF_FORMAT_SHORT && entry->components == 1 &&
                                  entry->data && entry->size >= 2
                              ? exif_get_short(entry->data, exif_data_get_byte_order(exif))
                              : -1;
        if (Valid(value))
            orientation = value;
        else
            problem = "its EXIF Orientation is not 1 to 8";
    }
    exif_data_unref(exif);
    return orientation;
}

unsigned char* OrientedPixels(const unsigned char* pixels, int w, int h, int orientation, int& outW,
                              int& outH) {
    const Transform t = kTransforms[Valid(orientation) ? orientation : 1];
    const bool sideways = t.turns % 2 == 1;
    outW = sideways ? h : w;
    outH = sideways ? w : h;
    const std::size_t bytes = 3ull * static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    auto* out = static_cast<unsigned char*>(std::malloc(bytes ? bytes : 1));
    if (!out)
        return nullptr;
    for (int y = 0; y < h; ++y) {
        const unsigned char* row = pixels + 3ull * y * w;
        for (int x = 0; x < w; ++x) {
            const int mx = t.mirror ? w - 1 - x : x;
            int ux = mx, uy = y; // upright position
            switch (t.turns) {
            case 1:
                ux = h - 1 - y;
                uy = mx;
                break;
            case 2:
                ux = w - 1 - mx;
                uy = h - 1 - y;
                break;
            case 3:
                ux = y;
                uy = w - 1 - mx;
                break;
            default:
                break;
            }
            std::memcpy(out + 3ull * (static_cast<std::size_t>(uy) * outW + ux), row + 3ull * x, 3);
        }
    }
    return out;
}

int TurnOrientation(int orientation, int quarterTurns) {
    Transform t = kTransforms[Valid(orientation) ? orientation : 1];
    t.turns = ((t.turns + quarterTurns) % 4 + 4) % 4;
    return OrientationOf(t);
}

int QuarterTurnsOf(int orientation) {
    return kTransforms[Valid(orientation) ? orientation : 1].turns;
}
