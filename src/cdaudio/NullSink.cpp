// SPDX-License-Identifier: GPL-3.0-or-later
#include "NullSink.h"

#include "DiscLayout.h"

#include <array>
#include <chrono>

TNullSink::TNullSink(double speed, TProbe probe) : m_speed(speed), m_probe(std::move(probe)) {}

TNullSink::~TNullSink()
{
    Stop();
}

bool TNullSink::Start(IFrameSource &source, QString &)
{
    Stop();
    m_stopping = false;
    m_thread = std::thread([this, &source] { Run(source); });
    return true;
}

void TNullSink::Stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void TNullSink::Run(IFrameSource &source)
{
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(double(BufferFrames) / CdAudio::SampleRate / m_speed));
    std::array<qint16, BufferFrames * CdAudio::Channels> buffer;
    // Absolute deadlines, so that the time taken per buffer does not add up.
    Clock::time_point deadline = Clock::now();
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        lock.unlock();
        const size_t taken = source.PullFrames(buffer.data(), BufferFrames);
        const bool lastBuffer = source.Exhausted();
        if (taken > 0 && m_probe.FramesTaken)
            m_probe.FramesTaken(buffer.data(), taken);
        lock.lock();
        deadline += period;
        m_wake.wait_until(lock, deadline, [this] { return m_stopping; });
        if (lastBuffer && !m_stopping) {
            lock.unlock();
            if (m_probe.PlayedOut)
                m_probe.PlayedOut();
            source.PlayedOut(0);
            return;
        }
    }
}
