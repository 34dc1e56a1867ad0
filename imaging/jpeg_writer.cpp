#include "imaging/jpeg_writer.h"

#include "base/safe_file.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// A silent error manager: no messages, and errors jump back to the writer.
struct WriterErrorMgr {
    jpeg_error_mgr pub;
    std::jmp_buf setjmp_buffer;
};

void SilentErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<WriterErrorMgr*>(cinfo->err);
    std::longjmp(err->setjmp_buffer, 1);
}
void SilentEmitMessage(j_common_ptr, int) {}
void SilentOutputMessage(j_common_ptr) {}
void SilentFormatMessage(j_common_ptr, char* buffer) {
    buffer[0] = '\0';
}
void SilentReset(j_common_ptr) {}

// Plain data only; see the reader for why.
struct WriteState {
    jpeg_compress_struct cinfo;
    WriterErrorMgr jerr;
    std::FILE* file;
};

// The writing's state for an open file, its errors silent; null when there
// is no memory for it.
WriteState* NewWriteState(std::FILE* file) {
    auto* st = static_cast<WriteState*>(std::calloc(1, sizeof(WriteState)));
    if (!st)
        return nullptr;
    st->file = file;
    st->cinfo.err = &st->jerr.pub;
    st->jerr.pub.error_exit = SilentErrorExit;
    st->jerr.pub.emit_message = SilentEmitMessage;
    st->jerr.pub.output_message = SilentOutputMessage;
    st->jerr.pub.format_message = SilentFormatMessage;
    st->jerr.pub.reset_error_mgr = SilentReset;
    st->jerr.pub.jpeg_message_table = nullptr;
    st->jerr.pub.last_jpeg_message = 0;
    st->jerr.pub.addon_message_table = nullptr;
    return st;
}

} // namespace

BOOL WriteJpegPicture(const unsigned char* pixels, const char* path, int width, int height,
                      int quality) {
    return WriteJpegImage(
        JpegImage{pixels, width, height, 3u * static_cast<std::size_t>(width), JpegRowLayout::Rgb},
        path, JpegOptions{quality, 0, false});
}

BOOL WriteJpegImage(const JpegImage& image, const char* path, const JpegOptions& options) {
    const int width = image.width, height = image.height;
    if (!image.pixels || width <= 0 || height <= 0)
        return FALSE;
    SafeFileWriter out;
    if (!out.Open(path)) {
        std::fprintf(stderr, "can't open %s\n", path);
        return FALSE;
    }

    WriteState* st = NewWriteState(out.File());
    if (!st) {
        out.Abandon();
        return FALSE;
    }

    if (setjmp(st->jerr.setjmp_buffer)) {
        jpeg_destroy_compress(&st->cinfo);
        std::free(st);
        out.Abandon();
        return FALSE;
    }

    jpeg_create_compress(&st->cinfo);
    st->cinfo.image_width = static_cast<JDIMENSION>(width);
    st->cinfo.image_height = static_cast<JDIMENSION>(height);
    const bool bgrx = image.layout == JpegRowLayout::Bgrx;
    st->cinfo.input_components = bgrx ? 4 : 3;
    st->cinfo.in_color_space = bgrx ? JCS_EXT_BGRX : JCS_RGB;
    jpeg_set_defaults(&st->cinfo);
    jpeg_set_quality(&st->cinfo, options.quality, FALSE);
    if (options.dotsPerInch > 0) {
        st->cinfo.density_unit = 1; // dots per inch
        st->cinfo.X_density = st->cinfo.Y_density =
            static_cast<UINT16>(std::min(options.dotsPerInch, 65535));
    }
    if (options.fullColour) {
        // Colour at every pixel, as brightness: no colour bleeds across the
        // sharp edges of a page's pictures and texts.
        st->cinfo.comp_info[0].h_samp_factor = 1;
        st->cinfo.comp_info[0].v_samp_factor = 1;
    }
    jpeg_stdio_dest(&st->cinfo, st->file);
    jpeg_start_compress(&st->cinfo, TRUE);

    while (st->cinfo.next_scanline < st->cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(image.pixels + st->cinfo.next_scanline * image.rowBytes);
        jpeg_write_scanlines(&st->cinfo, &row, 1);
    }
    jpeg_finish_compress(&st->cinfo);
    jpeg_destroy_compress(&st->cinfo);
    std::free(st);

    if (!out.Commit()) {
        std::fprintf(stderr, "can't write %s\n", path);
        return FALSE;
    }
    return TRUE;
}
