#include "RawTrackFile.h"

#include "DiscLayout.h"

#include <QFileInfo>
#include <QtEndian>

std::unique_ptr<TRawTrackFile> TRawTrackFile::Open(const QString &path, TByteOrder order, QString &reason)
{
    std::unique_ptr<TRawTrackFile> file(new TRawTrackFile(path, order));
    const QString name = QFileInfo(path).fileName();
    if (!file->m_file.open(QIODevice::ReadOnly)) {
        reason = QStringLiteral("%1 cannot be opened (%2)").arg(name, file->m_file.errorString());
        return nullptr;
    }
    const qint64 size = file->m_file.size();
    // A rip always holds whole sectors; anything else was cut off.
    if (size % CdAudio::BytesPerSector != 0) {
        reason = QStringLiteral("%1 ends in the middle of a sector (%2 bytes)").arg(name).arg(size);
        return nullptr;
    }
    file->m_sectorCount = size / CdAudio::BytesPerSector;
    return file;
}

bool TRawTrackFile::ReadSectors(qint64 first, int count, qint16 *frames, QString &reason)
{
    const qint64 bytes = qint64(count) * CdAudio::BytesPerSector;
    if (first < 0 || count < 0 || first + count > m_sectorCount) {
        reason = QStringLiteral("sectors %1 to %2 lie outside %3").arg(first).arg(first + count).arg(m_file.fileName());
        return false;
    }
    if (!m_file.seek(first * CdAudio::BytesPerSector)
        || m_file.read(reinterpret_cast<char *>(frames), bytes) != bytes) {
        reason = QStringLiteral("%1 cannot be read (%2)").arg(QFileInfo(m_file).fileName(), m_file.errorString());
        return false;
    }
    const qsizetype samples = bytes / 2;
    if (m_order == LittleEndian)
        qFromLittleEndian<qint16>(frames, samples, frames);
    else
        qFromBigEndian<qint16>(frames, samples, frames);
    return true;
}
