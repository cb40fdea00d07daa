// SPDX-License-Identifier: GPL-3.0-or-later
#include "StretchFrames.h"

std::optional<std::vector<qint16>> ReadStretchFrames(IDiscSource &disc, quint32 from, quint32 to, TCdError &error)
{
    const std::optional<TSectorStretch> stretch = disc.Layout().Resolve(from, to, error);
    if (!stretch)
        return std::nullopt;
    std::vector<qint16> frames(size_t(stretch->Count) * CdAudio::FramesPerSector * CdAudio::Channels);
    if (!disc.ReadSectors(stretch->First, int(stretch->Count), frames.data(), error))
        return std::nullopt;
    return frames;
}
