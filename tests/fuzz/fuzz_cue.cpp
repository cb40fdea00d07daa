// SPDX-License-Identifier: GPL-3.0-or-later
#include "cdaudio/CueSheet.h"
#include "cdaudio/DiscImage.h"
#include "cdaudio/Tmsf.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdlib>
#include <vector>

namespace {

constexpr int FileSectors = 12;

// Raw sectors; the WAVE file also carries one partial sector, which the
// reader pads.
QByteArray Samples(qint64 frames)
{
    QByteArray bytes(frames * CdAudio::Channels * 2, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7);
    return bytes;
}

QByteArray WaveFile(const QByteArray &samples)
{
    auto le32 = [](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        return QByteArray(reinterpret_cast<const char *>(&le), 4);
    };
    auto le16 = [](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        return QByteArray(reinterpret_cast<const char *>(&le), 2);
    };
    return "RIFF" + le32(quint32(36 + samples.size())) + "WAVEfmt " + le32(16) + le16(1) + le16(CdAudio::Channels) +
           le32(CdAudio::SampleRate) + le32(CdAudio::SampleRate * 4) + le16(4) + le16(16) + "data" +
           le32(quint32(samples.size())) + samples;
}

// The folder the sheets live in, with the files the seed sheets name.
QString Folder()
{
    static QTemporaryDir folder;
    static const bool written = [] {
        const qint64 frames = qint64(FileSectors) * CdAudio::FramesPerSector;
        const QList<QPair<QString, QByteArray>> files = {
            {QStringLiteral("disc.bin"), Samples(frames)},
            {QStringLiteral("disc.wav"), WaveFile(Samples(frames + 100))},
            {QStringLiteral("empty.bin"), QByteArray()},
        };
        for (const auto &[name, bytes] : files) {
            QFile file(QDir(folder.path()).filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                std::abort();
        }
        return true;
    }();
    (void)written;
    return folder.path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    QString reason;
    if (const std::optional<TCueSheet> sheet = TCueSheet::Parse(text, Folder(), reason)) {
        // Every track must point at a file the sheet lists.
        for (const TCueSheet::TTrack &track : sheet->Tracks())
            if (track.File < 0 || track.File >= sheet->Files().size())
                std::abort();
    }

    const QString sheetPath = QDir(Folder()).filePath(QStringLiteral("fuzz.cue"));
    QFile sheetFile(sheetPath);
    if (!sheetFile.open(QIODevice::WriteOnly | QIODevice::Truncate) || sheetFile.write(text) != text.size())
        std::abort();
    sheetFile.close();

    TCdError error;
    const std::unique_ptr<TDiscImage> image = TDiscImage::Open(sheetPath, error);
    if (!image)
        return 0;

    // What a player reads: each track's first and last sectors, the run from
    // its start to its second second, and whatever lies around the disc.
    const TDiscLayout &layout = image->Layout();
    std::vector<qint16> frames(2 * CdAudio::FramesPerSector * CdAudio::Channels);
    for (const TDiscTrack &track : layout.Tracks()) {
        if (track.Start < 0 || track.End < track.Start || track.End > layout.SectorCount())
            std::abort();
        for (const qint64 first : {track.Start, track.End - 2, track.End - 1})
            (void)image->ReadSectors(first, 2, frames.data(), error);
        if (track.Number > 0 && track.Number < 100)
            (void)layout.Resolve(MakeTmsf(quint32(track.Number), 0, 0), MakeTmsf(quint32(track.Number), 0, 2), error);
    }
    (void)image->ReadSectors(-1, 1, frames.data(), error);
    (void)image->ReadSectors(layout.SectorCount(), 1, frames.data(), error);
    return 0;
}
