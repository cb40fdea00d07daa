// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QImage>

// Decodes a JPEG with libjpeg. A damaged image gives a null QImage, never a
// crash or an exit: errors and warnings alike stop the decoding.
QImage DecodeJpeg(QByteArrayView jpeg);
