#include "fuzz/fuzz_checks.h"

#include "document/album_format.h"
#include "document/slot_fit.h"
#include "document/template_file.h"
#include "oracle/dib_image.h"
#include "imaging/jpeg_reader.h"
#include "imaging/picture_buffer.h"
#include "base/c_locale.h"
#include "oracle/globalmem.h"
#include "geometry/mouse_math.h"
#include "geometry/page_math.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The fields a record keeps through a write and a read.
std::string Difference(const AlbumRecord& a, const AlbumRecord& b) {
    const PageItem &x = a.item, &y = b.item;
    if (x.nKind != y.nKind || x.nSrcWidth != y.nSrcWidth || x.nSrcHeight != y.nSrcHeight)
        return "head line";
    if (!SameRect(x.rcPlace, y.rcPlace) || !SameRect(x.rcSource, y.rcSource))
        return "rectangles";
    if (x.nKind == ITEM_PICTURE)
        return a.relPath == b.relPath && a.fullPath == b.fullPath ? "" : "paths";
    if (std::strcmp(x.szText, y.szText) != 0 || x.nLines != y.nLines)
        return "text";
    if (std::strcmp(x.szFontName, y.szFontName) != 0)
        return "font";
    if (x.crColor != y.crColor || x.bItalic != y.bItalic || x.bUnderline != y.bUnderline ||
        x.bBold != y.bBold)
        return "colour or styles";
    return "";
}

// The mouse's arithmetic on an item read from a file: presses at and around
// its corners and edges, then a step of every drag toward a point on the page.
void DragItem(const PageItem& item) {
    const RECT& rc = item.rcPlace;
    const MoveLimits limits{700, 900, true, 10, 10, 70, 90};
    const POINT presses[] = {
        {rc.left, rc.top}, {rc.right, rc.bottom}, {rc.left, rc.bottom}, {rc.right, rc.top}, {0, 0},
        {699, 899}};
    for (POINT pt : presses) {
        (void)PressedHandle(rc, pt);
        (void)EdgeAt(rc, pt);
        (void)InsidePlace(rc, pt);
        const POINT offset{SaturatedDifference(pt.x, rc.left), SaturatedDifference(pt.y, rc.top)};
        const SIZE size{SaturatedDifference(rc.right, rc.left),
                        SaturatedDifference(rc.bottom, rc.top)};
        for (POINT to : {POINT{350, 450}, POINT{0, 899}, POINT{699, 0}}) {
            (void)MovePlace(SaturatedDifference(to.x, offset.x),
                            SaturatedDifference(to.y, offset.y), size.cx, size.cy, limits);
            RECT sized{};
            for (DragMode corner : {DRAG_SIZE_BOTTOMRIGHT, DRAG_SIZE_BOTTOMLEFT, DRAG_SIZE_TOPRIGHT,
                                    DRAG_SIZE_TOPLEFT})
                (void)SizeFromCorner(corner, rc, size, to, kMinPictureSize, &sized);
            for (CropEdge edge : {EDGE_LEFT, EDGE_TOP, EDGE_RIGHT, EDGE_BOTTOM}) {
                RECT place = rc, source = item.rcSource;
                (void)CropAtEdge(edge, CropStart{rc, item.rcSource}, item.nKind == ITEM_PICTURE,
                                 item.nSrcWidth, item.nSrcHeight, to, &place, &source);
            }
        }
    }
    // The geometry of drawing it at export and printing scales.
    for (float scale : {0.5f, 1.0f, 4.2f, 12.5f}) {
        const Rect64 dest = ScaleRect64(rc, scale);
        (void)ScaleRect(rc, scale);
        (void)TextCharHeight(dest.bottom - dest.top, item.nLines);
        RECT d{}, src{};
        (void)VisiblePicturePart(dest, item.rcSource, item.nSrcWidth, item.nSrcHeight,
                                 RECT{0, 0, 3000, 3000}, d, src);
        (void)VisiblePicturePart(dest, FullSizeSource(item.rcSource, 2 * 21 + 1, 2 * 17 + 1), 43,
                                 35, RECT{0, 0, 9000, 12000}, d, src);
    }
}

} // namespace

bool CheckAlbumInput(const std::uint8_t* data, std::size_t size, std::string& failure) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const AlbumParse first = ParseAlbumText(text);
    if (first.refusal != AlbumRefusal::None)
        return true;
    for (const AlbumRecord& record : first.records)
        DragItem(record.item);
    // The writer writes a nameless font as Arial; a record read from a file
    // always has a name, so the round trip is exact.
    const std::string written = FormatAlbumText(first.records, first.extras);
    const AlbumParse second = ParseAlbumText(written);
    if (second.refusal != AlbumRefusal::None) {
        failure = "the written album is refused";
        return false;
    }
    // Page inches are written to a thousandth of an inch.
    const AlbumExtras &x = first.extras, &y = second.extras;
    if (x.nPixelsPerInch != y.nPixelsPerInch ||
        std::fabs(x.fPageWidthInches - y.fPageWidthInches) > 0.001f ||
        std::fabs(x.fPageHeightInches - y.fPageHeightInches) > 0.001f) {
        failure = "the resolution or page size changed in a write and read";
        return false;
    }
    if (second.records.size() != first.records.size()) {
        failure =
            FormatC("%zu records read back as %zu", first.records.size(), second.records.size());
        return false;
    }
    for (std::size_t i = 0; i < first.records.size(); ++i) {
        const std::string what = Difference(first.records[i], second.records[i]);
        if (!what.empty()) {
            failure = FormatC("record %zu: the %s changed in a write and read", i, what.c_str());
            return false;
        }
    }
    return true;
}

bool CheckTemplateInput(const std::uint8_t* data, std::size_t size, std::string& failure) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<TemplateSlot> slots;
    std::string reason;
    if (!ParseTemplateText(text, slots, reason)) {
        if (reason.empty()) {
            failure = "refused without a reason";
            return false;
        }
        return true;
    }
    if (slots.size() > static_cast<std::size_t>(MAX_SLOTS)) {
        failure = FormatC("%zu slots accepted", slots.size());
        return false;
    }
    // Pages from a tiny window to the largest export, pictures of extreme shapes.
    static const int kPages[][2] = {{1, 1}, {700, 900}, {3000, 3000}, {32767, 32767}};
    static const double kAspects[] = {1e-9, 0.75, 1.0, 1.5, 1e9};
    // Pictures fitted into slots on the page (values 0 to 1) are saved as a
    // template that must read back; slots elsewhere fit far off the page.
    auto onPage = [](const TemplateSlot& s) {
        for (float v : {s.fCenterX, s.fCenterY, s.fWidth, s.fHeight})
            if (!(v >= 0.0f && v <= 1.0f))
                return false;
        return true;
    };
    std::vector<RECT> placements;
    for (const TemplateSlot& slot : slots) {
        for (const auto& page : kPages) {
            const RECT rc = SlotRect(slot, page[0], page[1]);
            (void)InsideSlotRect(rc, page[0] / 2, page[1] / 2);
            for (double aspect : kAspects) {
                RECT fitted{};
                if (FitIntoSlot(slot, aspect, page[0], page[1], fitted) && page[0] == 700 &&
                    onPage(slot))
                    placements.push_back(fitted);
            }
        }
    }
    // A template saved from what was fitted reads back.
    if (!placements.empty() && placements.size() <= static_cast<std::size_t>(MAX_SLOTS) &&
        !ParseTemplateText(FormatTemplateText(placements, 700, 900), slots, reason)) {
        failure = "a template saved from fitted slots is refused: " + reason;
        return false;
    }
    return true;
}

bool CheckJpegInput(const std::uint8_t* data, std::size_t size, const std::string& scratchPath,
                    std::string& failure) {
    std::FILE* f = std::fopen(scratchPath.c_str(), "wb");
    if (!f) {
        failure = "cannot write " + scratchPath;
        return false;
    }
    const bool written = std::fwrite(data, 1, size, f) == size;
    if (std::fclose(f) != 0 || !written) {
        failure = "cannot write " + scratchPath;
        return false;
    }
    int sizes[2][2] = {};
    bool read[2] = {};
    for (int denom : {2, 1}) {
        unsigned char* pixels = nullptr;
        int w = -1, h = -1;
        if (!ReadJpegPicture(scratchPath.c_str(), &pixels, &w, &h, denom)) {
            if (pixels || w != -1 || h != -1) {
                failure = "a refused picture changed its outputs";
                return false;
            }
            continue;
        }
        const unsigned long long bytes = 3ull * static_cast<unsigned>(w) * static_cast<unsigned>(h);
        if (!pixels || w <= 0 || h <= 0 || w > MAX_PICTURE_WIDTH || bytes > MAX_PICTURE_BYTES) {
            failure = FormatC("1/%d gave %d x %d pixels", denom, w, h);
            std::free(pixels);
            return false;
        }
        // The buffer must hold every row: touch its last byte.
        volatile unsigned char last = pixels[bytes - 1];
        (void)last;
        if (HGLOBAL dib = MakeDibImage(24, w, h, pixels))
            GlobalFree(dib);
        std::free(pixels);
        read[denom - 1] = true;
        sizes[denom - 1][0] = w;
        sizes[denom - 1][1] = h;
    }
    if (read[0] && read[1] &&
        (sizes[1][0] != (sizes[0][0] + 1) / 2 || sizes[1][1] != (sizes[0][1] + 1) / 2)) {
        failure = FormatC("full size %d x %d, half size %d x %d", sizes[0][0], sizes[0][1],
                          sizes[1][0], sizes[1][1]);
        return false;
    }
    return true;
}
