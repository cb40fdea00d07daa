// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrameRing.h"

#include <algorithm>
#include <bit>
#include <cstring>

TFrameRing::TFrameRing(size_t capacityFrames)
    : m_samples(std::bit_ceil(capacityFrames) * 2), m_mask(std::bit_ceil(capacityFrames) - 1)
{
}

size_t TFrameRing::Free() const
{
    return Capacity() - (m_written.load(std::memory_order_relaxed) - m_read.load(std::memory_order_acquire));
}

bool TFrameRing::Write(const qint16 *frames, size_t count)
{
    if (count > Free())
        return false;
    const size_t at = m_written.load(std::memory_order_relaxed);
    const size_t first = std::min(count, Capacity() - (at & m_mask));
    std::memcpy(&m_samples[(at & m_mask) * 2], frames, first * 2 * sizeof(qint16));
    std::memcpy(&m_samples[0], frames + first * 2, (count - first) * 2 * sizeof(qint16));
    m_written.store(at + count, std::memory_order_release);
    return true;
}

size_t TFrameRing::Read(qint16 *frames, size_t count)
{
    const size_t at = m_read.load(std::memory_order_relaxed);
    count = std::min(count, m_written.load(std::memory_order_acquire) - at);
    const size_t first = std::min(count, Capacity() - (at & m_mask));
    std::memcpy(frames, &m_samples[(at & m_mask) * 2], first * 2 * sizeof(qint16));
    std::memcpy(frames + first * 2, &m_samples[0], (count - first) * 2 * sizeof(qint16));
    m_read.store(at + count, std::memory_order_release);
    return count;
}
