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

// Writes VEKDEMO.bin, VEKDEMO.cue, VEKPSGS.DAT and VEK.INI into folder. The
// bytes repeat exactly when this is the process's only speech.
TStatus Write(const QString &folder);

} // namespace DemoDisc
