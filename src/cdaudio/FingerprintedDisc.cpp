// SPDX-License-Identifier: GPL-3.0-or-later
#include "FingerprintedDisc.h"

#include <vector>

bool TFingerprintedDisc::VerifyStretch(TSectorStretch stretch, TCdError &error)
{
    constexpr int Chunk = TDiscFingerprint::BlockSectors;
    std::vector<qint16> frames(size_t(Chunk) * CdAudio::FramesPerSector * CdAudio::Channels);
    TDiscFingerprint::TPrint print;
    for (qint64 sector = stretch.First; sector < stretch.First + stretch.Count; sector += Chunk) {
        const int count = int(std::min<qint64>(Chunk, stretch.First + stretch.Count - sector));
        if (!m_disc->ReadSectors(sector, count, frames.data(), error))
            return false;
        print.Add(frames.data(), count);
    }
    print.Finish();
    const QString difference = m_original.Difference(Layout(), stretch, print);
    if (difference.isEmpty())
        return true;
    error = TCdError::StretchNotAsRecorded(difference);
    return false;
}
