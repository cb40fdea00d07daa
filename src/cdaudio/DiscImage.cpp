// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscImage.h"

#include "ByteOrderProbe.h"
#include "RawTrackFile.h"
#include "SoundTrackFile.h"

#include <algorithm>

namespace {

bool UsesFile(const TCueSheet &sheet, int file)
{
    for (const TCueSheet::TTrack &track : sheet.Tracks())
        for (const TCueSheet::TIndex &index : track.Indexes)
            if (index.File == file)
                return true;
    return false;
}

} // namespace

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
    image->RefuseWrongByteOrder(*sheet, sheetPath);
    return image;
}

bool TDiscImage::OpenFiles(const TCueSheet &sheet, QString &reason)
{
    for (int i = 0; i < sheet.Files().size(); ++i) {
        const TCueSheet::TFile &file = sheet.Files()[i];
        std::unique_ptr<ITrackFile> opened;
        // A FILE that no track uses is never opened, but keeps its place.
        if (!UsesFile(sheet, i)) {
            m_files.push_back(nullptr);
            continue;
        }
        switch (file.Type) {
        case TCueSheet::Binary:
        case TCueSheet::Motorola: {
            const auto order = file.Type == TCueSheet::Binary ? TRawTrackFile::LittleEndian : TRawTrackFile::BigEndian;
            std::unique_ptr<TRawTrackFile> raw = TRawTrackFile::Open(file.Path, order, reason);
            if (raw && raw->PaddedBytes() > 0)
                m_notes.append(QStringLiteral("%1 ends %2 bytes short of a whole sector; the rest of that sector "
                                              "plays as silence.")
                                   .arg(file.Name)
                                   .arg(raw->PaddedBytes()));
            opened = std::move(raw);
            break;
        }
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

// The files follow one another on the disc; each index point cuts them.
// A track's gap may lie in the file before the one its INDEX 01 is in.
bool TDiscImage::LayOut(const TCueSheet &sheet, QString &reason)
{
    QList<TDiscTrack> tracks;
    int file = -1;
    qint64 fileDone = 0; // sectors of file already on the disc
    qint64 postgap = 0;  // of the track before, laid out where the next begins
    const auto finishFile = [&] {
        if (file >= 0)
            AddSegment(m_files[file]->SectorCount() - fileDone, file, fileDone);
    };
    for (const TCueSheet::TTrack &track : sheet.Tracks()) {
        for (int i = 0; i < track.Indexes.size(); ++i) {
            const TCueSheet::TIndex &index = track.Indexes[i];
            if (index.File != file) {
                finishFile();
                file = index.File;
                fileDone = 0;
            }
            const qint64 fileSectors = m_files[file]->SectorCount();
            if (index.Offset < fileDone) {
                reason = QStringLiteral("the indexes of track %1 are out of order").arg(track.Number);
                return false;
            }
            if (index.Offset > fileSectors || (index.Number == 1 && index.Offset == fileSectors)) {
                reason = QStringLiteral("%1 ends before track %2 does").arg(sheet.Files()[file].Name).arg(track.Number);
                return false;
            }
            AddSegment(index.Offset - fileDone, file, fileDone);
            fileDone = index.Offset;
            if (i == 0) {
                AddSegment(std::exchange(postgap, 0), -1, 0);
                AddSegment(track.Pregap, -1, 0);
            }
            if (index.Number == 1) {
                if (!tracks.isEmpty())
                    tracks.last().End = m_sectorCount;
                tracks.append(TDiscTrack{track.Number, m_sectorCount, 0, track.Audio});
            }
        }
        postgap = track.Postgap;
    }
    finishFile();
    AddSegment(postgap, -1, 0);
    tracks.last().End = m_sectorCount;
    m_layout = TDiscLayout(tracks, m_sectorCount);
    return true;
}

// Samples in the other byte order play as loud noise: a rip written
// big-endian but declared BINARY (or the other way round), or a sound file
// whose ripper swapped its bytes, is told by its sound, and nothing of it
// is played.
void TDiscImage::RefuseWrongByteOrder(const TCueSheet &sheet, const QString &sheetPath)
{
    for (size_t f = 0; f < m_files.size(); ++f) {
        if (!m_files[f] || ByteOrderProbe::SoundsSwapped(*m_files[f]) != true)
            continue;
        const TCueSheet::TFile &file = sheet.Files()[int(f)];
        const bool declaredBig = file.Type == TCueSheet::Motorola;
        const QString reason =
            file.Type == TCueSheet::Sound
                ? QStringLiteral("%1 holds byte-swapped samples (its ripper wrote them in the wrong byte order); "
                                 "rip the disc again")
                      .arg(file.Name)
                : QStringLiteral("%1 holds %2-endian samples, so its FILE line must say %3, not %4")
                      .arg(file.Name, declaredBig ? QStringLiteral("little") : QStringLiteral("big"),
                           declaredBig ? QStringLiteral("BINARY") : QStringLiteral("MOTOROLA"), file.TypeName);
        const TCdError error = TCdError::ImageUnreadableBecause(sheetPath, reason);
        for (const TSegment &segment : m_segments)
            if (segment.File == int(f))
                m_layout.Refuse({segment.DiscStart, segment.Count}, error);
    }
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
