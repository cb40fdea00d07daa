// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestDisc.h"

#include "cdaudio/DiscLayout.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <sndfile.h>

#include <vector>

namespace TestDisc {

namespace {

QString Msf(qint64 sector)
{
    return QStringLiteral("%1:%2:%3")
        .arg(sector / 75 / 60, 2, 10, QLatin1Char('0'))
        .arg(sector / 75 % 60, 2, 10, QLatin1Char('0'))
        .arg(sector % 75, 2, 10, QLatin1Char('0'));
}

QString FileName(TFormat format, int index)
{
    return QStringLiteral("part%1.%2").arg(index).arg(Extension(format));
}

void AppendSectors(std::vector<qint16> &samples, qint64 firstDiscSector, int count)
{
    const qint64 first = firstDiscSector * CdAudio::FramesPerSector;
    for (qint64 f = first; f < first + qint64(count) * CdAudio::FramesPerSector; ++f) {
        samples.push_back(qint16(f & 0x7FFF));
        samples.push_back(qint16((f >> 15) + 1));
    }
}

} // namespace

QString TypeName(TFormat format)
{
    switch (format) {
    case Binary:
        return QStringLiteral("BINARY");
    case Motorola:
        return QStringLiteral("MOTOROLA");
    case Aiff:
        return QStringLiteral("AIFF");
    case Flac:
        return QStringLiteral("FLAC");
    case Wave:
        break;
    }
    return QStringLiteral("WAVE");
}

QString Extension(TFormat format)
{
    switch (format) {
    case Wave:
        return QStringLiteral("wav");
    case Flac:
        return QStringLiteral("flac");
    case Aiff:
        return QStringLiteral("aiff");
    case Binary:
    case Motorola:
        break;
    }
    return QStringLiteral("bin");
}

void WriteFile(const QString &path, TFormat format, std::vector<qint16> samples)
{
    if (format != Binary && format != Motorola) {
        SF_INFO info{};
        info.samplerate = CdAudio::SampleRate;
        info.channels = CdAudio::Channels;
        info.format = (format == Wave ? SF_FORMAT_WAV : format == Flac ? SF_FORMAT_FLAC : SF_FORMAT_AIFF) |
                      SF_FORMAT_PCM_16;
        SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
        sf_writef_short(file, samples.data(), sf_count_t(samples.size() / 2));
        sf_close(file);
        return;
    }
    if (format == Binary)
        qToLittleEndian<qint16>(samples.data(), qsizetype(samples.size()), samples.data());
    else
        qToBigEndian<qint16>(samples.data(), qsizetype(samples.size()), samples.data());
    WriteText(path, QByteArray(reinterpret_cast<const char *>(samples.data()), qsizetype(samples.size() * 2)));
}

TImage Write(const QString &folder, TFormat format, const QList<TTrack> &tracks, TFiles files)
{
    TImage image;
    image.Sheet = QDir(folder).filePath(QStringLiteral("disc.cue"));
    QByteArray sheet = "REM written by the tests\n";
    std::vector<qint16> samples;
    qint64 discSector = 0;
    int fileIndex = 0;
    const auto startFile = [&] {
        if (!samples.empty())
            WriteFile(QDir(folder).filePath(FileName(format, fileIndex++)), format, std::exchange(samples, {}));
        sheet += QStringLiteral("FILE \"%1\" %2\n").arg(FileName(format, fileIndex), TypeName(format)).toUtf8();
    };
    const auto fileSector = [&] { return qint64(samples.size()) / 2 / CdAudio::FramesPerSector; };
    for (int t = 0; t < tracks.size(); ++t) {
        const TTrack &track = tracks[t];
        const bool gapAppended = files == GapAppended && t > 0 && track.FileGap > 0;
        if (t == 0 || (files != OneFile && !gapAppended))
            startFile();
        sheet += QStringLiteral("  TRACK %1 AUDIO\n").arg(t + 1, 2, 10, QLatin1Char('0')).toUtf8();
        if (track.GeneratedGap > 0)
            sheet += QStringLiteral("    PREGAP %1\n").arg(Msf(track.GeneratedGap)).toUtf8();
        discSector += track.GeneratedGap;
        if (track.FileGap > 0)
            sheet += QStringLiteral("    INDEX 00 %1\n").arg(Msf(fileSector())).toUtf8();
        AppendSectors(samples, discSector, track.FileGap);
        discSector += track.FileGap;
        if (gapAppended)
            startFile();
        sheet += QStringLiteral("    INDEX 01 %1\n").arg(Msf(fileSector())).toUtf8();
        image.TrackStarts.append(discSector);
        AppendSectors(samples, discSector, track.Sectors);
        discSector += track.Sectors;
    }
    WriteFile(QDir(folder).filePath(FileName(format, fileIndex)), format, samples);
    WriteText(image.Sheet, sheet);
    return image;
}

std::optional<qint64> FramePosition(qint16 left, qint16 right)
{
    if (left == 0 && right == 0)
        return std::nullopt;
    return qint64(left) + (qint64(right) - 1) * 0x8000;
}

void WriteText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
}

} // namespace TestDisc
