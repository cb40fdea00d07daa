#pragma once

#include "TrackFile.h"

#include <QFile>

#include <memory>

// A FILE ... BINARY (little-endian) or MOTOROLA (big-endian) file of raw
// 2352-byte audio sectors.
class TRawTrackFile : public TTrackFile
{
public:
    enum TByteOrder { LittleEndian, BigEndian };

    // nullptr with the reason when the file cannot be opened or does not
    // hold whole sectors.
    static std::unique_ptr<TRawTrackFile> Open(const QString &path, TByteOrder order, QString &reason);

    qint64 SectorCount() const override { return m_sectorCount; }
    bool ReadSectors(qint64 first, int count, qint16 *frames, QString &reason) override;

private:
    TRawTrackFile(const QString &path, TByteOrder order) : m_file(path), m_order(order) {}

    QFile m_file;
    TByteOrder m_order;
    qint64 m_sectorCount = 0;
};
