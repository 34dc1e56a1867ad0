// Writes the seed corpora of the fuzz targets into a folder, each made by the
// program's own writers: albums by the album writer, templates by the template
// writer, JPEG files by the export writer (baseline 4:2:0), and the other
// kinds the reader meets (progressive, 4:4:4, grayscale, CMYK, arithmetic) by
// the same library with those settings.
// Usage: make_fuzz_seeds FOLDER   (FOLDER/album, template, jpeg and page must exist)
#include "document/album_format.h"
#include "document/fixed_text.h"
#include "document/template_file.h"
#include "imaging/jpeg_writer.h"

#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

AlbumRecord Picture(RECT place, RECT source, int w, int h, const char* rel, const char* full) {
    AlbumRecord r;
    r.item.nKind = ITEM_PICTURE;
    r.item.nSrcWidth = w;
    r.item.nSrcHeight = h;
    r.item.rcPlace = place;
    r.item.rcSource = source;
    r.relPath = rel;
    r.fullPath = full;
    return r;
}

AlbumRecord Text(RECT place, const char* text, const char* font, COLORREF color, int italic,
                 int underline, int bold) {
    AlbumRecord r;
    r.item.nKind = ITEM_TEXT;
    r.item.rcPlace = place;
    CopyToField(r.item.szText, text);
    CopyToField(r.item.szFontName, font);
    r.item.crColor = color;
    r.item.bItalic = italic;
    r.item.bUnderline = underline;
    r.item.bBold = bold;
    return r;
}

std::vector<std::vector<AlbumRecord>> Albums() {
    const RECT page{40, 30, 360, 270}, crop{0, 0, 320, 240};
    return {
        {},
        {Picture(page, crop, 320, 240, "pictures\\beach.jpg", "C:\\photos\\pictures\\beach.jpg")},
        {Text({50, 300, 450, 360}, "Summer 2025", "Arial", 0x0000FF, 0, 0, 1)},
        {Picture(page, {10, 20, 300, 200}, 320, 240, "a.jpg", "/home/me/a.jpg"),
         Picture({400, 30, 700, 400}, crop, 640, 480, "..\\b.jpg", "D:\\b.jpg"),
         Text({20, 500, 600, 620}, "Two\r\nlines", "Times New Roman", 0x112233, 1, 1, 0),
         Text({20, 650, 600, 700}, "caf\xc3\xa9 ^ caret", "DejaVu Sans", 0xFFFFFF, 0, 1, 1)},
        {Picture({-2147483647 - 1, -5, 2147483647, 5}, {-1, -1, 2147483647, 2147483647}, 1, 1,
                 "x.jpg", "x.jpg"),
         Text({0, 0, 10, 2147483647}, "tall", "Arial", 0xFFFFFFFF, 32767, -32768, 1)},
    };
}

// Pages for the whole-page target: pictures a.jpg (40 x 30), b.jpg (7 x 90)
// and big.jpg (1100 x 60) beside the album, texts covering the page, crops and
// places far outside it, huge fonts, many lines.
std::vector<std::vector<AlbumRecord>> Pages() {
    std::string manyLines;
    for (int i = 0; i < 130; ++i)
        manyLines += "x\r\n";
    const LONG far = 2147483647;
    return {
        {Picture({40, 30, 360, 270}, {0, 0, 20, 15}, 20, 15, "a.jpg", "a.jpg"),
         Picture({300, 200, 340, 560}, {0, 0, 4, 45}, 4, 45, "b.jpg", "b.jpg"),
         Picture({10, 600, 700, 650}, {0, 0, 550, 30}, 550, 30, "big.jpg", "big.jpg"),
         Text({0, 0, 720, 950}, "Cover\r\nthe whole page", "Arial", 0x204060, 0, 1, 1)},
        {Picture({-far - 1, -far - 1, far, far}, {-far - 1, -far - 1, far, far}, 20, 15, "a.jpg",
                 "a.jpg"),
         Picture({100, 100, 200, 200}, {5, 5, 6, 6}, 20, 15, "a.jpg", "a.jpg"),
         Text({-1000, 0, far, far}, "Huge", "DejaVu Sans", 0xFF, 1, 0, 1)},
        {Text({0, 0, 700, 900}, manyLines.c_str(), "Arial", 0, 0, 0, 0),
         Text({200, 400, 300, 100}, "turned over", "Arial", 0, 0, 0, 0),
         Picture({5000000, 5000000, 5000100, 5000100}, {0, 0, 20, 15}, 20, 15, "big.jpg",
                 "missing.jpg")},
    };
}

std::vector<std::vector<RECT>> Templates() {
    return {
        {},
        {{0, 0, 700, 900}},
        {{10, 10, 340, 290},
         {360, 10, 690, 290},
         {10, 300, 340, 590},
         {360, 300, 690, 590},
         {10, 600, 340, 890},
         {360, 600, 690, 890}},
        {{-700, -900, 1400, 1800}, {5, 5, 6, 6}},
    };
}

void Pattern(std::vector<unsigned char>& rgb, int w, int h) {
    rgb.resize(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char* p = &rgb[(static_cast<std::size_t>(y) * w + x) * 3];
            p[0] = static_cast<unsigned char>(x * 255 / w);
            p[1] = static_cast<unsigned char>(y * 255 / h);
            p[2] = static_cast<unsigned char>((x + y) * 4);
        }
}

enum class Kind { Progressive, Full444, Gray, Cmyk, Arithmetic };

// The library's encoder with one setting changed from the export writer's.
bool WriteKind(const std::string& path, int w, int h, Kind kind) {
    std::vector<unsigned char> rgb;
    Pattern(rgb, w, h);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = kind == Kind::Gray ? 1 : kind == Kind::Cmyk ? 4 : 3;
    cinfo.in_color_space = kind == Kind::Gray   ? JCS_GRAYSCALE
                           : kind == Kind::Cmyk ? JCS_CMYK
                                                : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    if (kind == Kind::Progressive)
        jpeg_simple_progression(&cinfo);
    if (kind == Kind::Full444)
        cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
    if (kind == Kind::Arithmetic)
        cinfo.arith_code = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(w) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        const unsigned char* src = &rgb[static_cast<std::size_t>(cinfo.next_scanline) * w * 3];
        for (int x = 0; x < w; ++x) {
            if (kind == Kind::Gray) {
                row[x] = src[x * 3 + 1];
            } else if (kind == Kind::Cmyk) {
                for (int c = 0; c < 3; ++c)
                    row[x * 4 + c] = static_cast<unsigned char>(255 - src[x * 3 + c]);
                row[x * 4 + 3] = 0;
            } else {
                for (int c = 0; c < 3; ++c)
                    row[x * 3 + c] = src[x * 3 + c];
            }
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = true;
    int n = 0;
    // Every album twice: as older versions wrote it, and with the resolution
    // and page size recorded after its records.
    AlbumExtras recorded;
    recorded.nPixelsPerInch = 87;
    recorded.fPageWidthInches = 8.5f;
    recorded.fPageHeightInches = 11.0f;
    for (const auto& album : Albums())
        for (const AlbumExtras& extras : {AlbumExtras{}, recorded})
            ok = ok && WriteBytes(dir + "/album/seed" + std::to_string(n++) + ".alb",
                                  FormatAlbumText(album, extras));
    // The whole-page inputs start with the export size: two bytes each side.
    static const unsigned char kSizes[][4] = {
        {0x02, 0xD0, 0x03, 0x84}, {0, 0, 0, 0}, {0x0B, 0xB7, 0x00, 0x05}};
    n = 0;
    for (const auto& page : Pages()) {
        const std::string size(reinterpret_cast<const char*>(kSizes[n % 3]), 4);
        ok = ok && WriteBytes(dir + "/page/seed" + std::to_string(n) + ".bin",
                              size + FormatAlbumText(page));
        ++n;
    }
    n = 0;
    for (const auto& placements : Templates())
        ok = ok && WriteBytes(dir + "/template/seed" + std::to_string(n++) + ".zbt",
                              FormatTemplateText(placements, 700, 900));

    // Small pictures keep each run fast; odd sizes test the rounded half size.
    const int sizes[][2] = {{16, 16}, {33, 17}, {120, 80}};
    std::vector<unsigned char> rgb;
    for (const auto& s : sizes) {
        const std::string size = std::to_string(s[0]) + "x" + std::to_string(s[1]);
        Pattern(rgb, s[0], s[1]);
        ok =
            ok && WriteJpegPicture(rgb.data(), (dir + "/jpeg/baseline420_" + size + ".jpg").c_str(),
                                   s[0], s[1], 90);
        static const std::pair<Kind, const char*> kinds[] = {{Kind::Progressive, "progressive"},
                                                             {Kind::Full444, "444"},
                                                             {Kind::Gray, "gray"},
                                                             {Kind::Cmyk, "cmyk"},
                                                             {Kind::Arithmetic, "arithmetic"}};
        for (const auto& [kind, name] : kinds)
            ok = ok && WriteKind(dir + "/jpeg/" + name + "_" + size + ".jpg", s[0], s[1], kind);
    }
    if (!ok) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot write the seeds into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
