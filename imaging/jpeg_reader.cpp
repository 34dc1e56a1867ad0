#include "imaging/jpeg_reader.h"

#include "imaging/orientation.h"

#include "imaging/picture_buffer.h"
#include "base/safe_file.h"

#include <csetjmp>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/stat.h>

#include <jpeglib.h>

namespace {

// The library's error manager followed by the jump buffer its error_exit uses.
struct ReaderErrorMgr {
    jpeg_error_mgr pub;
    std::jmp_buf setjmp_buffer;
    const char* path;
    bool refused;     // the refusal has said why already
    std::string* log; // what would go to stderr, kept for the caller
};

// Appends one printf-formatted message to the log.
void Log(std::string* log, const char* format, ...) {
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length > 0) {
        const std::size_t at = log->size();
        log->resize(at + static_cast<std::size_t>(length) + 1);
        std::vsnprintf(log->data() + at, static_cast<std::size_t>(length) + 1, format, again);
        log->resize(at + static_cast<std::size_t>(length));
    }
    va_end(again);
}

// The library's messages (errors and the first warning) go to the log, as
// its standard output_message would write them to stderr.
void LogLibraryMessage(j_common_ptr cinfo) {
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    Log(reinterpret_cast<ReaderErrorMgr*>(cinfo->err)->log, "%s\n", text);
}

// Each scan of a progressive or multi-scan file passes over every block of
// the picture again, so a small file of thousands of scans decodes for
// minutes. Encoders write about ten; more than this is refused.
constexpr int kMaxScans = 100;

// A header can promise a picture far larger than its file could hold, and
// decoding then fills hundreds of megabytes from nothing. Above this many
// pixels, a file must bring at least one byte per kMaxPixelsPerByte pixels
// (a blank picture in arithmetic coding needs about one per 50,000; photos
// one per few pixels).
constexpr unsigned long long kBombPixelFloor = 16ull * 1024 * 1024;
constexpr unsigned long long kMaxPixelsPerByte = 4096;

// Called by the library at every row of input it consumes.
void CheckScanCount(j_common_ptr cinfo) {
    const auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number <= kMaxScans)
        return;
    auto* err = reinterpret_cast<ReaderErrorMgr*>(cinfo->err);
    Log(err->log, "%s: more than %d scans, refused\n", err->path, kMaxScans);
    err->refused = true;
    std::longjmp(err->setjmp_buffer, 1);
}

void ReaderErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ReaderErrorMgr*>(cinfo->err);
    (*cinfo->err->output_message)(cinfo);
    std::longjmp(err->setjmp_buffer, 1);
}

// Everything here is plain data: the longjmp from the library's frames back to
// the setjmp below must not skip a destructor. Values that change after setjmp
// live in this heap record, so they are valid after the jump.
struct ReadState {
    jpeg_decompress_struct cinfo;
    ReaderErrorMgr jerr;
    jpeg_progress_mgr progress;
    std::FILE* file;
    unsigned char* pixels;
};

// A decode needs the whole-image coefficient buffer for multi-scan files;
// the 4 MiB working limit would refuse those, so they may use the picture limit.
constexpr long kWorkingMemory = 4194304;

// The output size at 1/denom, and whether the picture may be decoded: not
// too large, not a tiny file claiming a huge picture; a multi-scan file gets
// the memory its whole-picture buffer needs. A refusal is logged.
bool WithinLimits(ReadState* st, unsigned denom, unsigned long& width, unsigned long& height,
                  std::string& log) {
    const char* path = st->jerr.path;
    st->cinfo.scale_denom = denom;
    width = st->cinfo.image_width / denom + (st->cinfo.image_width % denom ? 1 : 0);
    height = st->cinfo.image_height / denom + (st->cinfo.image_height % denom ? 1 : 0);
    const unsigned long long bytes = 3ull * width * height;
    if (width > static_cast<unsigned long>(MAX_PICTURE_WIDTH) || bytes > MAX_PICTURE_BYTES) {
        Log(&log, "%s: picture of %lu x %lu pixels is too large\n", path, width, height);
        return false;
    }
    struct stat info {};
    const unsigned long long fileBytes =
        fstat(fileno(st->file), &info) == 0 ? static_cast<unsigned long long>(info.st_size) : 0;
    // The whole picture is entropy-decoded at either scale.
    const unsigned long long fullPixels =
        static_cast<unsigned long long>(st->cinfo.image_width) * st->cinfo.image_height;
    if (fullPixels > kBombPixelFloor && fullPixels / kMaxPixelsPerByte > fileBytes) {
        Log(&log, "%s: %u x %u pixels from %llu bytes, refused\n", path, st->cinfo.image_width,
            st->cinfo.image_height, fileBytes);
        return false;
    }
    // Progressive files and sequential ones with more than one scan (colour
    // components in scans of their own) both buffer the whole picture's
    // coefficients; the pixel, scan-count and bomb limits still bound them.
    if (jpeg_has_multiple_scans(&st->cinfo))
        st->cinfo.mem->max_memory_to_use = static_cast<long>(MAX_PICTURE_BYTES);
    return true;
}

// The one way out of a decode: the library's state and the file go, and the
// pixels too unless they were handed over (ok).
BOOL Finish(ReadState* st, BOOL ok) {
    jpeg_destroy_decompress(&st->cinfo);
    std::fclose(st->file);
    if (!ok)
        std::free(st->pixels);
    std::free(st);
    return ok;
}

// The reading's state for an open file, its errors and messages routed to
// the log; null (the file closed) when there is no memory for it.
ReadState* NewReadState(std::FILE* file, const char* path, std::string& log) {
    auto* st = static_cast<ReadState*>(std::calloc(1, sizeof(ReadState)));
    if (!st) {
        std::fclose(file);
        return nullptr;
    }
    st->file = file;
    st->cinfo.err = jpeg_std_error(&st->jerr.pub);
    st->jerr.pub.error_exit = ReaderErrorExit;
    st->jerr.pub.output_message = LogLibraryMessage;
    st->jerr.path = path;
    st->jerr.log = &log;
    st->progress.progress_monitor = CheckScanCount;
    return st;
}

// The orientation the file's Orientation tag gives; a damaged one is 1 and
// said once.
int FileOrientation(ReadState* st, const char* path, std::string& log) {
    for (jpeg_saved_marker_ptr m = st->cinfo.marker_list; m; m = m->next) {
        if (m->marker != JPEG_APP0 + 1 || m->data_length < 6 ||
            std::memcmp(m->data, "Exif\0\0", 6) != 0)
            continue;
        std::string problem;
        const int orientation = ExifOrientation(m->data, m->data_length, problem);
        if (!problem.empty())
            Log(&log, "%s: %s; it is shown as stored\n", path, problem.c_str());
        return orientation;
    }
    return 1;
}

// Decodes every row into st->pixels (width x height, as the limits found);
// false when the library's output size differs.
bool ReadRows(ReadState* st, unsigned long width, unsigned long height) {
    jpeg_start_decompress(&st->cinfo);
    // The library's output size is the same rounded-up division.
    if (st->cinfo.output_width != width || st->cinfo.output_height != height ||
        st->cinfo.output_components != 3)
        return false;
    const std::size_t rowBytes = 3u * st->cinfo.output_width;
    while (st->cinfo.output_scanline < st->cinfo.output_height) {
        JSAMPROW row = st->pixels + static_cast<std::size_t>(st->cinfo.output_scanline) * rowBytes;
        jpeg_read_scanlines(&st->cinfo, &row, 1);
    }
    jpeg_finish_decompress(&st->cinfo);
    return true;
}

// The pixels upright, as the camera took them; false when out of memory.
bool TurnUpright(ReadState* st, int& w, int& h, int orientation) {
    if (orientation == 1)
        return true;
    unsigned char* upright = OrientedPixels(st->pixels, w, h, orientation, w, h);
    if (!upright)
        return false;
    std::free(st->pixels);
    st->pixels = upright;
    return true;
}

} // namespace

BOOL ReadJpegPicture(const char* path, unsigned char** ppPixels, int* pWidth, int* pHeight,
                     int nScaleDenom, int* pOrientation) {
    std::string log;
    const BOOL ok =
        ReadJpegPictureLogged(path, ppPixels, pWidth, pHeight, nScaleDenom, log, pOrientation);
    std::fputs(log.c_str(), stderr);
    return ok;
}

BOOL ReadJpegPictureLogged(const char* path, unsigned char** ppPixels, int* pWidth, int* pHeight,
                           int nScaleDenom, std::string& log, int* pOrientation) {
    // Only regular files: a pipe or device named like a picture would block or never end.
    std::FILE* file = OpenRegularFileForReading(path);
    if (!file) {
        Log(&log, "can't open %s\n", path);
        return FALSE;
    }

    ReadState* st = NewReadState(file, path, log);
    if (!st)
        return FALSE;

    if (setjmp(st->jerr.setjmp_buffer)) {
        if (!st->jerr.refused)
            Log(&log, "error opening %s\n", path);
        return Finish(st, FALSE);
    }

    jpeg_create_decompress(&st->cinfo);
    st->cinfo.mem->max_memory_to_use = kWorkingMemory;
    st->cinfo.progress = &st->progress;
    jpeg_stdio_src(&st->cinfo, st->file);
    jpeg_save_markers(&st->cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&st->cinfo, TRUE);
    st->cinfo.scale_num = 1;
    const int orientation = pOrientation && *pOrientation != ORIENTATION_FROM_FILE
                                ? *pOrientation
                                : FileOrientation(st, path, log);

    if (st->cinfo.num_components != 3)
        return Finish(st, FALSE);

    const unsigned denom = nScaleDenom == 2 ? 2u : 1u;
    unsigned long width = 0, height = 0;
    if (!WithinLimits(st, denom, width, height, log))
        return Finish(st, FALSE);
    const unsigned long long bytes = 3ull * width * height;
    st->pixels = static_cast<unsigned char*>(std::malloc(bytes ? bytes : 1));
    if (!st->pixels) {
        Log(&log, "error opening %s\n", path);
        return Finish(st, FALSE);
    }

    int w = static_cast<int>(width), h = static_cast<int>(height);
    if (!ReadRows(st, width, height) || !TurnUpright(st, w, h, orientation)) {
        Log(&log, "error opening %s\n", path);
        return Finish(st, FALSE);
    }
    *ppPixels = st->pixels;
    *pWidth = w;
    *pHeight = h;
    if (pOrientation)
        *pOrientation = orientation;
    return Finish(st, TRUE);
}

std::size_t JpegDecodeWorkingSet(const char* path) {
    // The library's buffers for rows and tables, at most its working limit.
    constexpr std::size_t kLittle = static_cast<std::size_t>(kWorkingMemory);
    std::FILE* file = OpenRegularFileForReading(path);
    if (!file)
        return kLittle;
    std::string log;
    ReadState* st = NewReadState(file, path, log);
    if (!st)
        return kLittle;
    if (setjmp(st->jerr.setjmp_buffer)) {
        Finish(st, FALSE);
        return kLittle;
    }
    jpeg_create_decompress(&st->cinfo);
    jpeg_stdio_src(&st->cinfo, st->file);
    jpeg_read_header(&st->cinfo, TRUE);
    std::size_t bytes = kLittle;
    if (jpeg_has_multiple_scans(&st->cinfo)) {
        // 64 coefficients of two bytes for every block of every component.
        for (int c = 0; c < st->cinfo.num_components; ++c) {
            const jpeg_component_info& comp = st->cinfo.comp_info[c];
            bytes += static_cast<std::size_t>(comp.width_in_blocks) * comp.height_in_blocks *
                     DCTSIZE2 * sizeof(JCOEF);
        }
    }
    Finish(st, FALSE);
    return bytes;
}
