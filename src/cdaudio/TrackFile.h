// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CdError.h"

#include <QString>

// One FILE of a cue sheet: a run of audio sectors that the sheet's tracks
// point into.
class ITrackFile
{
public:
    virtual ~ITrackFile() = default;

    // Whole sectors; a last partial sector of a sound file counts, padded
    // with silence.
    virtual qint64 SectorCount() const = 0;
    virtual bool ReadSectors(qint64 first, int count, qint16 *frames, QString &reason) = 0;
};
