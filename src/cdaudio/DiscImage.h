// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CueSheet.h"
#include "DiscSource.h"
#include "TrackFile.h"

#include <QStringList>

#include <memory>
#include <vector>

// A disc image: a cue sheet and the files it names, laid out on one run of
// sectors as a drive would see the burnt disc: the files one after the
// other, PREGAP and POSTGAP as silence, and the TRACK numbers the sheet
// gives.
class TDiscImage : public IDiscSource
{
public:
    // nullptr with the error when the sheet or a file it names cannot serve.
    static std::unique_ptr<TDiscImage> Open(const QString &sheetPath, TCdError &error);

    const TDiscLayout &Layout() const override { return m_layout; }
    bool ReadSectors(qint64 first, int count, qint16 *frames, TCdError &error) override;

    // Such as a file padded to a whole sector.
    QStringList Notes() const override { return m_notes; }

private:
    // A run of sectors of the disc: from a file, or silence (File < 0).
    struct TSegment
    {
        qint64 DiscStart = 0;
        qint64 Count = 0;
        int File = -1;
        qint64 FileStart = 0;
    };

    TDiscImage() = default;
    bool OpenFiles(const TCueSheet &sheet, QString &reason);
    bool LayOut(const TCueSheet &sheet, QString &reason);
    void AddSegment(qint64 count, int file, qint64 fileStart);
    void RefuseWrongByteOrder(const TCueSheet &sheet, const QString &sheetPath);

    std::vector<std::unique_ptr<ITrackFile>> m_files;
    std::vector<TSegment> m_segments;
    TDiscLayout m_layout;
    qint64 m_sectorCount = 0;
    QStringList m_notes;
};
