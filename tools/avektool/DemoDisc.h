// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/Status.h"

#include <QString>

// The demonstration set: a disc image whose track 1 is calibration noise
// and whose tracks 2 to 9 hold the nine passages of conditions H-Sens 15 dB
// to L-Sens 0 dB in synthetic speech and noise, the sentence material that
// points into it, and a VEK.INI that names the image. Demonstration
// material only: not a clinical test.
namespace DemoDisc {

inline const QString ImageName = QStringLiteral("VEKDEMO");
constexpr int CalibrationSeconds = 25;

// Writes VEKDEMO.bin, VEKDEMO.cue, VEKPSGS.DAT and VEK.INI into folder,
// each file whole or not at all. A folder that holds a clinic's material or
// settings (not a demonstration set's) is refused unless force is given. The
// bytes repeat exactly when this is the process's only speech.
TStatus Write(const QString &folder, bool force = false);

} // namespace DemoDisc
