// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// How the result pages' tables name their rows and columns to a screen
// reader.
QStringList MdbHeaders(); // "MDB 1" .. "MDB 4"
QStringList SnrHeaders(); // "15 dB SNR", "10 dB SNR", "5 dB SNR", "0 dB SNR"
