// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrackFile.h"

#include <QFile>

#include <memory>

// A FILE ... BINARY (little-endian) or MOTOROLA (big-endian) file of raw
// 2352-byte audio sectors. A file cut short inside its last sector is
// padded with silence to the sector's end.
class TRawTrackFile : public ITrackFile
{
public:
    enum TByteOrder { LittleEndian, BigEndian };

    // nullptr with the reason when the file cannot be opened.
    static std::unique_ptr<TRawTrackFile> Open(const QString &path, TByteOrder order, QString &reason);

    qint64 SectorCount() const override { return m_sectorCount; }
    bool ReadSectors(qint64 first, int count, qint16 *frames, QString &reason) override;

    // The silence added to make the last sector whole.
    qint64 PaddedBytes() const;

private:
    TRawTrackFile(const QString &path, TByteOrder order) : m_file(path), m_order(order) {}

    QFile m_file;
    TByteOrder m_order;
    qint64 m_size = 0;
    qint64 m_sectorCount = 0;
};
