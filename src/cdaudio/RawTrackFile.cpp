// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawTrackFile.h"

#include "DiscLayout.h"
#include "record/RegularFile.h"

#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

std::unique_ptr<TRawTrackFile> TRawTrackFile::Open(const QString &path, TByteOrder order, QString &reason)
{
    std::unique_ptr<TRawTrackFile> file(new TRawTrackFile(path, order));
    if (QString why; !RegularFile::Open(file->m_file, CdAudio::MaxTrackFileSize, why)) {
        reason = QStringLiteral("%1 cannot be opened (%2)").arg(QFileInfo(path).fileName(), why);
        return nullptr;
    }
    file->m_size = file->m_file.size();
    file->m_sectorCount = (file->m_size + CdAudio::BytesPerSector - 1) / CdAudio::BytesPerSector;
    return file;
}

bool TRawTrackFile::ReadSectors(qint64 first, int count, qint16 *frames, QString &reason)
{
    if (first < 0 || count < 0 || first + count > m_sectorCount) {
        reason = QStringLiteral("sectors %1 to %2 lie outside %3").arg(first).arg(first + count).arg(m_file.fileName());
        return false;
    }
    const qint64 from = first * CdAudio::BytesPerSector;
    const qint64 bytes = qint64(count) * CdAudio::BytesPerSector;
    const qint64 present = std::clamp<qint64>(m_size - from, 0, bytes);
    if (!m_file.seek(from) || m_file.read(reinterpret_cast<char *>(frames), present) != present) {
        reason = QStringLiteral("%1 cannot be read (%2)").arg(QFileInfo(m_file).fileName(), m_file.errorString());
        return false;
    }
    std::fill(reinterpret_cast<char *>(frames) + present, reinterpret_cast<char *>(frames) + bytes, '\0');
    const qsizetype samples = bytes / 2;
    if (m_order == LittleEndian)
        qFromLittleEndian<qint16>(frames, samples, frames);
    else
        qFromBigEndian<qint16>(frames, samples, frames);
    return true;
}

qint64 TRawTrackFile::PaddedBytes() const
{
    return m_sectorCount * CdAudio::BytesPerSector - m_size;
}
