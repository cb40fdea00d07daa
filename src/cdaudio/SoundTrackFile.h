// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrackFile.h"

#include <memory>

struct sf_private_tag;

// A FILE ... WAVE (or FLAC, AIFF) file read through libsndfile. Only CD
// audio itself is accepted: 44.1 kHz, 16-bit, stereo, so that the samples
// reach the output exactly as recorded.
class TSoundTrackFile : public ITrackFile
{
public:
    static std::unique_ptr<TSoundTrackFile> Open(const QString &path, QString &reason);
    ~TSoundTrackFile() override;

    qint64 SectorCount() const override;
    bool ReadSectors(qint64 first, int count, qint16 *frames, QString &reason) override;

private:
    TSoundTrackFile(sf_private_tag *file, int descriptor, qint64 frameCount, const QString &name);

    sf_private_tag *m_file;
    int m_descriptor;
    qint64 m_frameCount;
    QString m_name;
};
