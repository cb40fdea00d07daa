// SPDX-License-Identifier: GPL-3.0-or-later
#include "jpeg/JpegDecoder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QImage image = DecodeJpeg(QByteArrayView(data, qsizetype(size)));
    // An image that decodes is a whole RGB picture of bounded size; anything
    // else is refused, without a leak of the decoder's state.
    if (!image.isNull() && (image.format() != QImage::Format_RGB888 || image.width() > 8192 || image.height() > 8192))
        std::abort();
    return 0;
}
