#include "support/test_support.h"

#include "document/page_item.h"
#include "document/zelbrin_doc.h"
#include "imaging/jpeg_writer.h"
#include "platform/win/afxmsgbox.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "zelbrin-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

MessageBoxRecorder::MessageBoxRecorder(int answer) : m_answer(answer) {
    m_prevHandler = SetMessageBoxHandler(&MessageBoxRecorder::Handle, this, &m_prevContext);
}

MessageBoxRecorder::~MessageBoxRecorder() {
    SetMessageBoxHandler(m_prevHandler, m_prevContext);
}

int MessageBoxRecorder::Handle(const char* text, UINT type, void* self) {
    auto* me = static_cast<MessageBoxRecorder*>(self);
    me->m_boxes.push_back({text, type});
    if (!me->m_queue.empty()) {
        int a = me->m_queue.front();
        me->m_queue.erase(me->m_queue.begin());
        return a;
    }
    return me->m_answer;
}

std::vector<std::string> MessageBoxRecorder::texts() const {
    std::vector<std::string> out;
    for (const Box& b : m_boxes)
        out.push_back(b.text);
    return out;
}

void PatternPixel(int x, int y, int w, int h, unsigned char rgb[3]) {
    rgb[0] = static_cast<unsigned char>(w > 1 ? 255 * x / (w - 1) : 128);
    rgb[1] = static_cast<unsigned char>(h > 1 ? 255 * y / (h - 1) : 128);
    rgb[2] = 96;
}

void MakeJpeg(const std::string& path, int w, int h) {
    std::vector<unsigned char> px(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            PatternPixel(x, y, w, h, &px[(static_cast<std::size_t>(y) * w + x) * 3]);
    if (!WriteJpegPicture(px.data(), path.c_str(), w, h, 90))
        throw std::runtime_error("could not write " + path);
}

void MakeSolidJpeg(const std::string& path, int w, int h, unsigned char r, unsigned char g,
                   unsigned char b) {
    std::vector<unsigned char> px(static_cast<std::size_t>(w) * h * 3);
    for (std::size_t i = 0; i < px.size(); i += 3) {
        px[i] = r;
        px[i + 1] = g;
        px[i + 2] = b;
    }
    if (!WriteJpegPicture(px.data(), path.c_str(), w, h, 90))
        throw std::runtime_error("could not write " + path);
}

namespace {

// A JPEG file written by the library itself: components of colour space,
// settings changed by configure after the defaults, each row filled by fill.
void WriteWithLibrary(const std::string& path, int w, int h, int components, J_COLOR_SPACE space,
                      const std::function<void(jpeg_compress_struct&)>& configure,
                      const std::function<void(int y, unsigned char* row)>& fill) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw std::runtime_error("could not write " + path);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    configure(cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(w) * components);
    while (cinfo.next_scanline < cinfo.image_height) {
        fill(static_cast<int>(cinfo.next_scanline), row.data());
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(f);
}

} // namespace

void MakeGrayJpeg(const std::string& path, int w, int h, bool cmyk) {
    const int components = cmyk ? 4 : 1;
    WriteWithLibrary(
        path, w, h, components, cmyk ? JCS_CMYK : JCS_GRAYSCALE, [](jpeg_compress_struct&) {},
        [&](int, unsigned char* row) { std::fill_n(row, w * components, 128); });
}

void MakeProgressiveJpeg(const std::string& path, int w, int h) {
    WriteWithLibrary(
        path, w, h, 3, JCS_RGB,
        [](jpeg_compress_struct& cinfo) {
            cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
            jpeg_simple_progression(&cinfo);
        },
        [&](int y, unsigned char* row) {
            for (int x = 0; x < w; ++x)
                PatternPixel(x, y, w, h, &row[3u * x]);
        });
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool FileExists(const std::string& path) {
    return fs::exists(path);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        out.push_back(e.path().filename().string());
    return out;
}

unsigned char* AllocatePixels(PageItem& item, std::size_t bytes) {
    auto* pixels = static_cast<unsigned char*>(std::malloc(bytes ? bytes : 1));
    item.pPixels = AdoptPixels(pixels);
    return pixels;
}

PageItem PatternPictureItem(int w, int h, RECT place) {
    PageItem item{};
    item.nKind = ITEM_PICTURE;
    item.nSrcWidth = w;
    item.nSrcHeight = h;
    unsigned char* pixels = AllocatePixels(item, static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            PatternPixel(x, y, w, h, pixels + 3 * (static_cast<std::size_t>(y) * w + x));
    item.rcPlace = place;
    item.rcSource = RECT{0, 0, w, h};
    return item;
}

PageItem TextItem(const char* text, RECT place) {
    PageItem item{};
    item.nKind = ITEM_TEXT;
    item.nSrcWidth = 100;
    item.nSrcHeight = 25;
    std::snprintf(item.szText, sizeof item.szText, "%s", text);
    item.nLines = 1;
    std::strcpy(item.szFontName, "Arial");
    item.rcPlace = place;
    item.rcSource = RECT{0, 0, 100, 25};
    return item;
}

void ItemNames::Append(CZelbrinDoc& doc, const PageItem& item, const std::string& name) {
    doc.AppendItem(item);
    m_names.emplace_back(doc.GetLastItem().nId, name);
}

const PageItem* ItemNames::Find(const CZelbrinDoc& doc, const std::string& name) const {
    for (const auto& [id, n] : m_names)
        if (n == name) {
            const int i = doc.IndexOfItem(id);
            return i >= 0 ? &doc.ItemAt(i) : nullptr;
        }
    return nullptr;
}

std::string ItemNames::Order(const CZelbrinDoc& doc) const {
    std::string order;
    for (int i = 0; i < doc.GetItemCount(); ++i) {
        std::string name = "?";
        for (const auto& [id, n] : m_names)
            if (id == doc.ItemAt(i).nId)
                name = n;
        order += name;
    }
    return order;
}

std::string ItemNames::Selected(const CZelbrinDoc& doc) const {
    for (const auto& [id, n] : m_names)
        if (doc.GetItemCount() && id == doc.GetLastItem().nId)
            return n;
    return "";
}

std::string ExifOrientationBlock(int orientation) {
    // Little-endian TIFF header, one directory of one SHORT entry, no next one.
    const unsigned char bytes[] = {'E', 'x',  'i',  'f', 0,
                                   0,   'I',  'I',  42,  0,
                                   8,   0,    0,    0,   1,
                                   0,   0x12, 0x01, 3,   0,
                                   1,   0,    0,    0,   static_cast<unsigned char>(orientation),
                                   0,   0,    0,    0,   0,
                                   0,   0};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

void WriteJpegWithExif(const std::string& path, const unsigned char* rgb, int w, int h,
                       const std::string& exif) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = static_cast<JDIMENSION>(w);
    c.image_height = static_cast<JDIMENSION>(h);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 100, TRUE);
    jpeg_start_compress(&c, TRUE);
    if (!exif.empty())
        jpeg_write_marker(&c, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.data()),
                          static_cast<unsigned>(exif.size()));
    for (int y = 0; y < h; ++y) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + 3u * static_cast<std::size_t>(y) * w);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::fclose(f);
}
