// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/Status.h"

#include <QString>

class QImage;

// Writes a picture of the guide as a small PNG without losing a pixel: as
// 8-bit indexed colour when it has no more than 256 colours, else as 24-bit
// colour, always at the strongest compression.
TStatus SaveGuideImage(const QImage &image, const QString &fileName);
