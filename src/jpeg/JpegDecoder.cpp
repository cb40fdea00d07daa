// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace {

// Far more than a logo needs, and small enough that no image can make the
// program allocate without bound.
constexpr JDIMENSION MaxSide = 8192;

struct TJpegErrors
{
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

[[noreturn]] void JumpOnError(j_common_ptr decoder)
{
    std::longjmp(reinterpret_cast<TJpegErrors *>(decoder->err)->Jump, 1);
}

// libjpeg only warns about a truncated image and pads it with grey.
void JumpOnWarning(j_common_ptr decoder, int level)
{
    if (level < 0)
        JumpOnError(decoder);
}

// No C++ object lives in this frame across setjmp: the image is the caller's.
bool DecodeInto(const unsigned char *data, unsigned long size, QImage *image)
{
    jpeg_decompress_struct decoder;
    std::memset(&decoder, 0, sizeof decoder);
    TJpegErrors errors;
    decoder.err = jpeg_std_error(&errors.Manager);
    errors.Manager.error_exit = JumpOnError;
    errors.Manager.emit_message = JumpOnWarning;
    if (setjmp(errors.Jump)) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, data, size);
    jpeg_read_header(&decoder, TRUE);
    // A few hundred bytes of progressive image can claim a size whose start
    // alone takes the decoder many seconds and gigabytes: refused unstarted.
    if (decoder.image_width > MaxSide || decoder.image_height > MaxSide) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    decoder.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decoder);
    if (decoder.output_components != 3) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    *image = QImage(int(decoder.output_width), int(decoder.output_height), QImage::Format_RGB888);
    if (image->isNull()) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW row = image->scanLine(int(decoder.output_scanline));
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return true;
}

} // namespace

QImage DecodeJpeg(QByteArrayView jpeg)
{
    QImage image;
    if (jpeg.isEmpty() || !DecodeInto(reinterpret_cast<const unsigned char *>(jpeg.data()),
                                      static_cast<unsigned long>(jpeg.size()), &image))
        return QImage();
    return image;
}
