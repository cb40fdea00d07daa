// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CdError.h"

#include <QList>

#include <optional>

namespace CdAudio {
constexpr int FramesPerSector = 588; // stereo frames in one 1/75 s sector
constexpr int SectorsPerSecond = 75;
constexpr int SampleRate = 44100;
constexpr int Channels = 2;
constexpr int BytesPerSector = FramesPerSector * Channels * 2;
// No file of a disc image holds more than a whole disc of 100 minutes, with
// room for the headers of a sound file.
constexpr qint64 MaxTrackFileSize = qint64(100) * 60 * SectorsPerSecond * BytesPerSector + (1 << 20);

// A count of sectors as cue sheets write it: mm:ss:ff.
QString CueTime(qint64 sectors);
} // namespace CdAudio

// One track as a drive's table of contents gives it: from its INDEX 01 up
// to the next track's INDEX 01 (the next track's pregap counts in this one,
// as it does when a drive plays through), in absolute sectors.
struct TDiscTrack
{
    int Number = 0;
    qint64 Start = 0;
    qint64 End = 0; // exclusive
    bool Audio = true;
};

// A stretch of sectors to play: [First, First + Count).
struct TSectorStretch
{
    qint64 First = 0;
    qint64 Count = 0;
};

class TDiscLayout
{
public:
    TDiscLayout() = default;
    TDiscLayout(QList<TDiscTrack> tracks, qint64 sectorCount);

    // Sectors that hold sound but would play wrong: a stretch that touches
    // them is refused with error.
    void Refuse(TSectorStretch sectors, const TCdError &error);

    const QList<TDiscTrack> &Tracks() const { return m_tracks; }
    qint64 SectorCount() const { return m_sectorCount; }
    const TDiscTrack *FindTrack(int number) const;
    bool HasAudio() const;

    // The sectors between two TMSF positions, the end exclusive. Refuses a
    // track the disc lacks, a data track, a start outside its track, an end
    // past its track or not after the start, and refused sectors.
    std::optional<TSectorStretch> Resolve(quint32 from, quint32 to, TCdError &error) const;

private:
    std::optional<qint64> Sector(quint32 tmsf, bool isEnd, TCdError &error) const;

    struct TRefusal
    {
        TSectorStretch Sectors;
        TCdError Error;
    };

    QList<TDiscTrack> m_tracks;
    QList<TRefusal> m_refusals;
    qint64 m_sectorCount = 0;
};
