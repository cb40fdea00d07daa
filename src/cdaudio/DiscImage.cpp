#include "DiscImage.h"

#include "RawTrackFile.h"
#include "SoundTrackFile.h"

#include <algorithm>

std::unique_ptr<TDiscImage> TDiscImage::Open(const QString &sheetPath, TCdError &error)
{
    QString reason;
    std::unique_ptr<TDiscImage> image(new TDiscImage);
    const std::optional<TCueSheet> sheet = TCueSheet::Load(sheetPath, reason);
    if (!sheet || !image->OpenFiles(*sheet, reason) || !image->LayOut(*sheet, reason)) {
        error = TCdError::ImageUnreadableBecause(sheetPath, reason);
        return nullptr;
    }
    if (!image->m_layout.HasAudio()) {
        error = TCdError::NoAudioTracks();
        return nullptr;
    }
    return image;
}

bool TDiscImage::OpenFiles(const TCueSheet &sheet, QString &reason)
{
    for (const TCueSheet::TFile &file : sheet.Files()) {
        std::unique_ptr<TTrackFile> opened;
        // A FILE that no track uses is never opened, but keeps its place.
        if (file.Path.isEmpty()) {
            m_files.push_back(nullptr);
            continue;
        }
        switch (file.Type) {
        case TCueSheet::Binary:
            opened = TRawTrackFile::Open(file.Path, TRawTrackFile::LittleEndian, reason);
            break;
        case TCueSheet::Motorola:
            opened = TRawTrackFile::Open(file.Path, TRawTrackFile::BigEndian, reason);
            break;
        case TCueSheet::Sound:
            opened = TSoundTrackFile::Open(file.Path, reason);
            break;
        case TCueSheet::Unsupported:
            reason = QStringLiteral("%1 is a file of type %2, which cannot be played").arg(file.Name, file.TypeName);
            break;
        }
        if (!opened)
            return false;
        m_files.push_back(std::move(opened));
    }
    return true;
}

void TDiscImage::AddSegment(qint64 count, int file, qint64 fileStart)
{
    if (count <= 0)
        return;
    m_segments.push_back({m_sectorCount, count, file, fileStart});
    m_sectorCount += count;
}

bool TDiscImage::LayOut(const TCueSheet &sheet, QString &reason)
{
    QList<TDiscTrack> tracks;
    for (int i = 0; i < sheet.Tracks().size(); ++i) {
        const TCueSheet::TTrack &track = sheet.Tracks()[i];
        const int number = i + 1;
        const qint64 fileSectors = m_files[track.File]->SectorCount();
        const QString &name = sheet.Files()[track.File].Name;
        const qint64 regionStart = track.Index00 >= 0 ? track.Index00 : track.Index01;
        const qint64 regionEnd = track.Length >= 0 ? track.Index01 + track.Length : fileSectors;
        if (track.Index01 < regionStart || regionEnd < track.Index01) {
            reason = QStringLiteral("the indexes of track %1 are out of order").arg(number);
            return false;
        }
        if (track.Index01 >= fileSectors || regionEnd > fileSectors) {
            reason = QStringLiteral("%1 ends before track %2 does").arg(name).arg(number);
            return false;
        }
        AddSegment(track.Pregap, -1, 0);
        AddSegment(track.Index01 - regionStart, track.File, regionStart);
        const qint64 start = m_sectorCount;
        AddSegment(regionEnd - track.Index01, track.File, track.Index01);
        AddSegment(track.Postgap, -1, 0);
        if (!tracks.isEmpty())
            tracks.last().End = start;
        tracks.append(TDiscTrack{number, start, 0, track.Audio});
    }
    tracks.last().End = m_sectorCount;
    m_layout = TDiscLayout(tracks, m_sectorCount);
    return true;
}

bool TDiscImage::ReadSectors(qint64 first, int count, qint16 *frames, TCdError &error)
{
    if (first < 0 || count < 0 || first + count > m_sectorCount) {
        error = TCdError::ReadFailedAt(first, QStringLiteral("it lies outside the disc"));
        return false;
    }
    const qint64 end = first + count;
    for (const TSegment &segment : m_segments) {
        const qint64 from = std::max(first, segment.DiscStart);
        const qint64 to = std::min(end, segment.DiscStart + segment.Count);
        if (from >= to)
            continue;
        qint16 *target = frames + (from - first) * CdAudio::FramesPerSector * CdAudio::Channels;
        if (segment.File < 0) {
            std::fill(target, target + (to - from) * CdAudio::FramesPerSector * CdAudio::Channels, qint16(0));
            continue;
        }
        QString reason;
        if (!m_files[segment.File]->ReadSectors(segment.FileStart + from - segment.DiscStart, int(to - from), target,
                                                reason)) {
            error = TCdError::ReadFailedAt(from, reason);
            return false;
        }
    }
    return true;
}
