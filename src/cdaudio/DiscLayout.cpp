// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscLayout.h"

#include "Tmsf.h"

#include <algorithm>

namespace {

QString PositionText(quint32 tmsf)
{
    return QStringLiteral("track %1 at %2:%3.%4")
        .arg(TmsfTrack(tmsf))
        .arg(TmsfMinutes(tmsf))
        .arg(TmsfSeconds(tmsf), 2, 10, QLatin1Char('0'))
        .arg(TmsfFrames(tmsf), 2, 10, QLatin1Char('0'));
}

} // namespace

QString CdAudio::CueTime(qint64 sectors)
{
    return QStringLiteral("%1:%2:%3")
        .arg(sectors / SectorsPerSecond / 60, 2, 10, QLatin1Char('0'))
        .arg(sectors / SectorsPerSecond % 60, 2, 10, QLatin1Char('0'))
        .arg(sectors % SectorsPerSecond, 2, 10, QLatin1Char('0'));
}

TDiscLayout::TDiscLayout(QList<TDiscTrack> tracks, qint64 sectorCount)
    : m_tracks(std::move(tracks)), m_sectorCount(sectorCount)
{
}

void TDiscLayout::Refuse(TSectorStretch sectors, const TCdError &error)
{
    m_refusals.append(TRefusal{sectors, error});
}

const TDiscTrack *TDiscLayout::FindTrack(int number) const
{
    for (const TDiscTrack &track : m_tracks)
        if (track.Number == number)
            return &track;
    return nullptr;
}

bool TDiscLayout::HasAudio() const
{
    return std::any_of(m_tracks.cbegin(), m_tracks.cend(), [](const TDiscTrack &t) { return t.Audio; });
}

std::optional<qint64> TDiscLayout::Sector(quint32 tmsf, bool isEnd, TCdError &error) const
{
    const TDiscTrack *track = FindTrack(TmsfTrack(tmsf));
    if (!track) {
        error = TCdError::NoTrack(TmsfTrack(tmsf));
        return std::nullopt;
    }
    if (!track->Audio) {
        error = TCdError::NotAnAudioTrack(track->Number);
        return std::nullopt;
    }
    if (TmsfSeconds(tmsf) >= 60 || TmsfFrames(tmsf) >= CdAudio::SectorsPerSecond) {
        error = TCdError::PositionRefused(QStringLiteral("%1 is not a valid time").arg(PositionText(tmsf)));
        return std::nullopt;
    }
    const qint64 offset =
        (qint64(TmsfMinutes(tmsf)) * 60 + TmsfSeconds(tmsf)) * CdAudio::SectorsPerSecond + TmsfFrames(tmsf);
    const qint64 sector = track->Start + offset;
    // A start must lie inside its track; an end may be the track's own end.
    if (isEnd ? sector > track->End : sector >= track->End) {
        error = TCdError::PositionRefused(QStringLiteral("%1 lies past the end of the track").arg(PositionText(tmsf)));
        return std::nullopt;
    }
    return sector;
}

std::optional<TSectorStretch> TDiscLayout::Resolve(quint32 from, quint32 to, TCdError &error) const
{
    const std::optional<qint64> first = Sector(from, false, error);
    if (!first)
        return std::nullopt;
    const std::optional<qint64> end = Sector(to, true, error);
    if (!end)
        return std::nullopt;
    if (*end <= *first) {
        error = TCdError::PositionRefused(
            QStringLiteral("it ends at %1, not after its start at %2").arg(PositionText(to), PositionText(from)));
        return std::nullopt;
    }
    // A stretch across tracks must not pass through a data track.
    for (const TDiscTrack &track : m_tracks)
        if (!track.Audio && track.Start < *end && track.End > *first) {
            error = TCdError::NotAnAudioTrack(track.Number);
            return std::nullopt;
        }
    for (const TRefusal &refusal : m_refusals)
        if (refusal.Sectors.First < *end && refusal.Sectors.First + refusal.Sectors.Count > *first) {
            error = refusal.Error;
            return std::nullopt;
        }
    return TSectorStretch{*first, *end - *first};
}
