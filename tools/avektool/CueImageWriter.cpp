// SPDX-License-Identifier: GPL-3.0-or-later
#include "CueImageWriter.h"

#include "cdaudio/DiscLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cmath>

TCueImageWriter::TCueImageWriter(const QString &folder, const QString &baseName)
    : m_folder(folder), m_baseName(baseName), m_bin(QDir(folder).filePath(baseName + QStringLiteral(".bin")))
{
}

QString TCueImageWriter::SheetPath() const
{
    return QDir(m_folder).filePath(SheetName());
}

TStatus TCueImageWriter::Open()
{
    QString reason;
    return m_bin.Open(reason) ? TStatus::Ok() : TStatus::Error(reason);
}

TStatus TCueImageWriter::AppendTrack(const std::vector<float> &samples)
{
    const qint64 sectors = qint64(samples.size() + CdAudio::FramesPerSector - 1) / CdAudio::FramesPerSector;
    std::vector<qint16> frames(size_t(sectors) * CdAudio::FramesPerSector * CdAudio::Channels, 0);
    for (size_t i = 0; i < samples.size(); ++i) {
        const float clipped = std::clamp(samples[i], -1.0f, 1.0f);
        const qint16 value = qToLittleEndian(qint16(std::lround(clipped * 32767.0f)));
        frames[2 * i] = value;
        frames[2 * i + 1] = value;
    }
    const qint64 bytes = qint64(frames.size() * sizeof(qint16));
    if (QString reason; !m_bin.Write(reinterpret_cast<const char *>(frames.data()), bytes, reason))
        return TStatus::Error(reason);
    m_trackSectors.append(m_sectors);
    m_sectors += sectors;
    return TStatus::Ok();
}

TStatus TCueImageWriter::Finish()
{
    QString reason;
    if (!m_bin.Commit(reason))
        return TStatus::Error(reason);
    QString sheet = QString::fromLatin1(SheetMark) + QStringLiteral("FILE \"%1\" BINARY\r\n")
                        .arg(QFileInfo(m_bin.Path()).fileName());
    for (int t = 0; t < m_trackSectors.size(); ++t)
        sheet += QStringLiteral("  TRACK %1 AUDIO\r\n    INDEX 01 %2\r\n")
                     .arg(t + 1, 2, 10, QLatin1Char('0'))
                     .arg(CdAudio::CueTime(m_trackSectors[t]));
    if (!SafeFile::WriteAll(SheetPath(), sheet.toLatin1(), reason))
        return TStatus::Error(reason);
    return TStatus::Ok();
}
