// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundTrackFile.h"

#include "DiscLayout.h"
#include "record/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

#include <algorithm>

#include <unistd.h>

namespace {

QString SampleFormatText(int subtype)
{
    switch (subtype) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
        return QStringLiteral("8-bit");
    case SF_FORMAT_PCM_16:
        return QStringLiteral("16-bit");
    case SF_FORMAT_PCM_24:
        return QStringLiteral("24-bit");
    case SF_FORMAT_PCM_32:
        return QStringLiteral("32-bit");
    case SF_FORMAT_FLOAT:
        return QStringLiteral("32-bit floating-point");
    case SF_FORMAT_DOUBLE:
        return QStringLiteral("64-bit floating-point");
    default:
        return QStringLiteral("compressed or unusual samples");
    }
}

} // namespace

std::unique_ptr<TSoundTrackFile> TSoundTrackFile::Open(const QString &path, QString &reason)
{
    const QString name = QFileInfo(path).fileName();
    SF_INFO info{};
    QString why;
    const int fd = RegularFile::OpenDescriptor(path, CdAudio::MaxTrackFileSize, why);
    if (fd < 0) {
        reason = QStringLiteral("%1 cannot be opened (%2)").arg(name, why);
        return nullptr;
    }
    // The descriptor stays ours, so that it is closed once, whatever happens.
    SNDFILE *file = sf_open_fd(fd, SFM_READ, &info, SF_FALSE);
    if (!file) {
        reason = QStringLiteral("%1 cannot be opened (%2)").arg(name, QString::fromLocal8Bit(sf_strerror(nullptr)));
        ::close(fd);
        return nullptr;
    }
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    if (info.samplerate != CdAudio::SampleRate || info.channels != CdAudio::Channels || subtype != SF_FORMAT_PCM_16) {
        reason = QStringLiteral("%1 is not CD audio (44.1 kHz, 16-bit, stereo) but %2 Hz, %3, %4 channels")
                     .arg(name)
                     .arg(info.samplerate)
                     .arg(SampleFormatText(subtype))
                     .arg(info.channels);
        sf_close(file);
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<TSoundTrackFile>(new TSoundTrackFile(file, fd, info.frames, name));
}

TSoundTrackFile::TSoundTrackFile(sf_private_tag *file, int descriptor, qint64 frameCount, const QString &name)
    : m_file(file), m_descriptor(descriptor), m_frameCount(frameCount), m_name(name)
{
}

TSoundTrackFile::~TSoundTrackFile()
{
    sf_close(m_file);
    ::close(m_descriptor);
}

qint64 TSoundTrackFile::SectorCount() const
{
    return (m_frameCount + CdAudio::FramesPerSector - 1) / CdAudio::FramesPerSector;
}

bool TSoundTrackFile::ReadSectors(qint64 first, int count, qint16 *frames, QString &reason)
{
    if (first < 0 || count < 0 || first + count > SectorCount()) {
        reason = QStringLiteral("sectors %1 to %2 lie outside %3").arg(first).arg(first + count).arg(m_name);
        return false;
    }
    const qint64 from = first * CdAudio::FramesPerSector;
    const qint64 wanted = qint64(count) * CdAudio::FramesPerSector;
    const qint64 present = std::min(wanted, m_frameCount - from);
    if (sf_seek(m_file, from, SEEK_SET) != from || sf_readf_short(m_file, frames, present) != present) {
        reason = QStringLiteral("%1 cannot be read (%2)").arg(m_name, QString::fromLocal8Bit(sf_strerror(m_file)));
        return false;
    }
    std::fill(frames + present * CdAudio::Channels, frames + wanted * CdAudio::Channels, qint16(0));
    return true;
}
