// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <atomic>
#include <cstddef>
#include <vector>

// A single-producer, single-consumer ring of stereo 16-bit frames. The
// consumer side takes no lock and allocates nothing, so that an audio
// callback may call it.
class TFrameRing
{
public:
    // capacity is rounded up to a power of two.
    explicit TFrameRing(size_t capacityFrames);

    size_t Capacity() const { return m_mask + 1; }
    // Producer: room for this many frames.
    size_t Free() const;
    // Producer: writes all frames or none; false when they do not fit.
    bool Write(const qint16 *frames, size_t count);
    // Consumer: takes up to count frames; returns how many it took.
    size_t Read(qint16 *frames, size_t count);

private:

    std::vector<qint16> m_samples;
    size_t m_mask;
    // Total frames written and read; their difference is the fill.
    alignas(64) std::atomic<size_t> m_written{0};
    alignas(64) std::atomic<size_t> m_read{0};
};
