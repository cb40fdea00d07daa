// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// A CD position packed as track, minutes, seconds and frames, one byte each,
// the track in the lowest byte: track 1 at 0:03 is 196609.
constexpr quint32 MakeTmsf(quint32 track, quint32 minutes, quint32 seconds, quint32 frames = 0)
{
    return (track & 0xFF) | (minutes & 0xFF) << 8 | (seconds & 0xFF) << 16 | (frames & 0xFF) << 24;
}

constexpr int TmsfTrack(quint32 tmsf) { return int(tmsf & 0xFF); }
constexpr int TmsfMinutes(quint32 tmsf) { return int(tmsf >> 8 & 0xFF); }
constexpr int TmsfSeconds(quint32 tmsf) { return int(tmsf >> 16 & 0xFF); }
constexpr int TmsfFrames(quint32 tmsf) { return int(tmsf >> 24 & 0xFF); }

static_assert(MakeTmsf(1, 0, 3) == 196609);
