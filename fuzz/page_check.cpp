#include "fuzz/page_check.h"

#include "render/headless_page.h"
#include "document/album_view.h"
#include "document/zelbrin_doc.h"
#include "imaging/jpeg_writer.h"
#include "render/page_export.h"
#include "platform/win/afxmsgbox.h"

#include <cstdio>
#include <vector>

namespace {

// Fixed view resolution: the page does not depend on the screen of the machine.
constexpr int kPixelsPerInch = 96;

int Silent(const char*, UINT, void*) {
    return IDNO;
}

void WritePicture(const std::string& path, int w, int h) {
    std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * h * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<unsigned char>(i * 7 / 3);
    WriteJpegPicture(rgb.data(), path.c_str(), w, h, 90);
}

} // namespace

void MakePagePictures(const std::string& folder) {
    WritePicture(folder + "/a.jpg", 40, 30);
    WritePicture(folder + "/b.jpg", 7, 90);
    WritePicture(folder + "/big.jpg", 1100, 60); // drawn through the large-picture course
}

bool CheckPageInput(const std::uint8_t* data, std::size_t size, const std::string& folder,
                    std::string& failure) {
    if (size < 4)
        return true;
    const int width = 1 + (data[0] << 8 | data[1]) % EXPORT_MAX_SIDE;
    const int height = 1 + (data[2] << 8 | data[3]) % EXPORT_MAX_SIDE;
    const std::string album = folder + "/page.alb";
    std::FILE* f = std::fopen(album.c_str(), "wb");
    if (!f) {
        failure = "cannot write " + album;
        return false;
    }
    std::fwrite(data + 4, 1, size - 4, f);
    std::fclose(f);

    void* prevContext = nullptr;
    MessageBoxHandler prev = SetMessageBoxHandler(&Silent, nullptr, &prevContext);
    static const HeadlessPage page = MeasureHeadlessPage(kPixelsPerInch);
    CHeadlessView view(page);
    CZelbrinDoc doc;
    doc.SetAlbumView(&view);
    doc.OnNewDocument();
    bool ok = true;
    if (doc.OpenAlbumByPath(album.c_str(), false)) {
        ExportPageToJpeg(doc, page.nClientWidth, width, height, folder + "/page.jpg");
        std::string error, notes;
        if (!PrintAlbumWithoutWindow(doc, page, folder + "/page.pdf", error, notes)) {
            failure = "printing into a PDF failed: " + error;
            ok = false;
        }
    }
    SetMessageBoxHandler(prev, prevContext);
    return ok;
}
