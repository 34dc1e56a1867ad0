#include "imaging/jpeg_reader.h"

#include "imaging/picture_buffer.h"
#include "platform/win/safe_file.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// The library's error manager followed by the jump buffer its error_exit uses.
struct ReaderErrorMgr {
    jpeg_error_mgr pub;
    std::jmp_buf setjmp_buffer;
};

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
    std::FILE* file;
    unsigned char* pixels;
};

// A decode needs the whole-image coefficient buffer for progressive files;
// the 4 MiB working limit would refuse those, so they may use the picture limit.
constexpr long kWorkingMemory = 4194304;

} // namespace

BOOL ReadJpegPicture(const char* path, unsigned char** ppPixels, int* pWidth, int* pHeight,
                     int nScaleDenom) {
    // Only regular files: a pipe or device named like a picture would block or never end.
    std::FILE* file = OpenRegularFileForReading(path);
    if (!file) {
        std::fprintf(stderr, "can't open %s\n", path);
        return FALSE;
    }

    auto* st = static_cast<ReadState*>(std::calloc(1, sizeof(ReadState)));
    if (!st) {
        std::fclose(file);
        return FALSE;
    }
    st->file = file;
    st->cinfo.err = jpeg_std_error(&st->jerr.pub);
    st->jerr.pub.error_exit = ReaderErrorExit;

    if (setjmp(st->jerr.setjmp_buffer)) {
        jpeg_destroy_decompress(&st->cinfo);
        std::fclose(st->file);
        std::fprintf(stderr, "error opening %s\n", path);
        std::free(st->pixels);
        std::free(st);
        return FALSE;
    }

    jpeg_create_decompress(&st->cinfo);
    st->cinfo.mem->max_memory_to_use = kWorkingMemory;
    jpeg_stdio_src(&st->cinfo, st->file);
    jpeg_read_header(&st->cinfo, TRUE);
    st->cinfo.scale_num = 1;

    if (st->cinfo.num_components != 3) {
        jpeg_destroy_decompress(&st->cinfo);
        std::fclose(st->file);
        std::free(st);
        return FALSE;
    }

    const unsigned denom = nScaleDenom == 2 ? 2u : 1u;
    st->cinfo.scale_denom = denom;
    const unsigned long width =
        st->cinfo.image_width / denom + (st->cinfo.image_width % denom ? 1 : 0);
    const unsigned long height =
        st->cinfo.image_height / denom + (st->cinfo.image_height % denom ? 1 : 0);
    const unsigned long long bytes = 3ull * width * height;
    if (width > static_cast<unsigned long>(MAX_PICTURE_WIDTH) || bytes > MAX_PICTURE_BYTES) {
        std::fprintf(stderr, "%s: picture of %lu x %lu pixels is too large\n", path, width, height);
        jpeg_destroy_decompress(&st->cinfo);
        std::fclose(st->file);
        std::free(st);
        return FALSE;
    }
    if (st->cinfo.progressive_mode)
        st->cinfo.mem->max_memory_to_use = static_cast<long>(MAX_PICTURE_BYTES);

    st->pixels = static_cast<unsigned char*>(std::malloc(bytes ? bytes : 1));
    if (!st->pixels) {
        std::fprintf(stderr, "error opening %s\n", path);
        jpeg_destroy_decompress(&st->cinfo);
        std::fclose(st->file);
        std::free(st);
        return FALSE;
    }

    jpeg_start_decompress(&st->cinfo);
    // The library's output size is the same rounded-up division.
    if (st->cinfo.output_width != width || st->cinfo.output_height != height ||
        st->cinfo.output_components != 3) {
        std::fprintf(stderr, "error opening %s\n", path);
        jpeg_destroy_decompress(&st->cinfo);
        std::fclose(st->file);
        std::free(st->pixels);
        std::free(st);
        return FALSE;
    }
    const std::size_t rowBytes = 3u * st->cinfo.output_width;
    while (st->cinfo.output_scanline < st->cinfo.output_height) {
        JSAMPROW row = st->pixels + static_cast<std::size_t>(st->cinfo.output_scanline) * rowBytes;
        jpeg_read_scanlines(&st->cinfo, &row, 1);
    }
    jpeg_finish_decompress(&st->cinfo);
    jpeg_destroy_decompress(&st->cinfo);
    std::fclose(st->file);

    *ppPixels = st->pixels;
    *pWidth = static_cast<int>(width);
    *pHeight = static_cast<int>(height);
    std::free(st);
    return TRUE;
}
