// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/SafeFile.h"
#include "record/Status.h"

#include <QList>

#include <vector>

// Writes a disc image: one BINARY file of little-endian CD audio and the
// cue sheet that splits it into tracks. Each file replaces an older one only
// once it is whole.
class TCueImageWriter
{
public:
    // baseName: the name of both files without extension, in folder.
    TCueImageWriter(const QString &folder, const QString &baseName);

    TStatus Open();
    // Mono samples, full scale 1.0, written to both channels and padded with
    // silence to a whole sector.
    TStatus AppendTrack(const std::vector<float> &samples);
    TStatus Finish();

    // The first line of every sheet this writer makes.
    static inline const QByteArray SheetMark = QByteArrayLiteral("REM AVEK demonstration disc, not a clinical test\r\n");

    QString SheetName() const { return m_baseName + QStringLiteral(".cue"); }
    QString SheetPath() const;

private:
    QString m_folder;
    QString m_baseName;
    TSafeFileWriter m_bin;
    QList<qint64> m_trackSectors;
    qint64 m_sectors = 0;
};
