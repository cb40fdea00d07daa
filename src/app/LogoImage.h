// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jpeg/JpegDecoder.h"

#include <QImage>

// The program's logo, built into the program.
QImage LogoImage();
