// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CdError.h"
#include "DiscLayout.h"

#include <QStringList>

// Where the sectors come from: a drive or a disc image. Sectors are read as
// interleaved stereo 16-bit frames in the machine's byte order. Reads come
// from the playback's reader thread, one at a time.
class IDiscSource
{
public:
    virtual ~IDiscSource() = default;

    virtual const TDiscLayout &Layout() const = 0;

    // What a person should know about the disc that does not stop it
    // playing, one sentence each.
    virtual QStringList Notes() const { return {}; }

    // Reads count sectors from first on into frames (count × 588 frames).
    // Never reads outside the disc.
    virtual bool ReadSectors(qint64 first, int count, qint16 *frames, TCdError &error) = 0;

    // The times a drive had to read again or mend what it read since it was
    // last asked; an image never has to.
    virtual int TakeRereads() { return 0; }

    // Before a stretch is played: whether it still holds the sound of the
    // original disc, where that is known (an image with a fingerprint).
    virtual bool VerifyStretch(TSectorStretch, TCdError &) { return true; }
};
