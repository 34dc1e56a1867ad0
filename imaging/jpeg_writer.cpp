#include "imaging/jpeg_writer.h"

#include "base/safe_file.h"

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

} // namespace

BOOL WriteJpegPicture(const unsigned char* pixels, const char* path, int width, int height,
                      int quality) {
    if (!pixels || width <= 0 || height <= 0)
        return FALSE;
    SafeFileWriter out;
    if (!out.Open(path)) {
        std::fprintf(stderr, "can't open %s\n", path);
        return FALSE;
    }

    auto* st = static_cast<WriteState*>(std::calloc(1, sizeof(WriteState)));
    if (!st) {
        out.Abandon();
        return FALSE;
    }
    st->file = out.File();
    st->cinfo.err = &st->jerr.pub;
    st->jerr.pub.error_exit = SilentErrorExit;
    st->jerr.pub.emit_message = SilentEmitMessage;
    st->jerr.pub.output_message = SilentOutputMessage;
    st->jerr.pub.format_message = SilentFormatMessage;
    st->jerr.pub.reset_error_mgr = SilentReset;
    st->jerr.pub.jpeg_message_table = nullptr;
    st->jerr.pub.last_jpeg_message = 0;
    st->jerr.pub.addon_message_table = nullptr;

    if (setjmp(st->jerr.setjmp_buffer)) {
        jpeg_destroy_compress(&st->cinfo);
        std::free(st);
        out.Abandon();
        return FALSE;
    }

    jpeg_create_compress(&st->cinfo);
    st->cinfo.image_width = static_cast<JDIMENSION>(width);
    st->cinfo.image_height = static_cast<JDIMENSION>(height);
    st->cinfo.input_components = 3;
    st->cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&st->cinfo);
    jpeg_set_quality(&st->cinfo, quality, FALSE);
    jpeg_stdio_dest(&st->cinfo, st->file);
    jpeg_start_compress(&st->cinfo, TRUE);

    const std::size_t rowBytes = 3u * static_cast<std::size_t>(width);
    while (st->cinfo.next_scanline < st->cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + st->cinfo.next_scanline * rowBytes);
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
