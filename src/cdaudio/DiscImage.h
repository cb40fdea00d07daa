#pragma once

#include "CueSheet.h"
#include "DiscSource.h"
#include "TrackFile.h"

#include <memory>
#include <vector>

// A disc image: a cue sheet and the files it names, laid out on one run of
// sectors as a drive would see the burnt disc. PREGAP and POSTGAP become
// silence; INDEX 00 gaps are read from their file.
class TDiscImage : public TDiscSource
{
public:
    // nullptr with the error when the sheet or a file it names cannot serve.
    static std::unique_ptr<TDiscImage> Open(const QString &sheetPath, TCdError &error);

    const TDiscLayout &Layout() const override { return m_layout; }
    bool ReadSectors(qint64 first, int count, qint16 *frames, TCdError &error) override;

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

    std::vector<std::unique_ptr<TTrackFile>> m_files;
    std::vector<TSegment> m_segments;
    TDiscLayout m_layout;
    qint64 m_sectorCount = 0;
};
