// SPDX-License-Identifier: GPL-3.0-or-later
#include "Playback.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

qint64 Now()
{
    return Clock::now().time_since_epoch().count();
}

constexpr auto WatchPeriod = std::chrono::milliseconds(2);

} // namespace

TPlayback::TPlayback(IDiscSource &disc, IAudioSink &sink, TSectorStretch stretch, bool loop, TEndHandler onEnd)
    : m_disc(disc), m_sink(sink), m_stretch(stretch), m_loop(loop), m_onEnd(std::move(onEnd)), m_ring(RingFrames),
      m_total(loop ? std::numeric_limits<size_t>::max() : size_t(stretch.Count) * CdAudio::FramesPerSector)
{
}

TPlayback::~TPlayback()
{
    m_state = Stopped;
    m_stopReading = true;
    if (m_reader.joinable())
        m_reader.join();
    m_sink.Stop();
}

void TPlayback::Start()
{
    m_reader = std::thread([this] { Read(); });
}

bool TPlayback::SinkStalled()
{
    if (!m_sinkStarted)
        return false;
    const auto quiet = Clock::duration(Now() - m_lastPull.load(std::memory_order_relaxed));
    if (quiet < std::chrono::duration<double>(StallSeconds))
        return false;
    m_sink.ReopenAtNextStart();
    End(0, TCdError::OutputStoppedTaking(StallSeconds));
    return true;
}

bool TPlayback::WaitForRoom(size_t frames)
{
    while (m_ring.Free() < frames) {
        if (m_stopReading || SinkStalled())
            return false;
        std::this_thread::sleep_for(WatchPeriod);
    }
    return !m_stopReading;
}

void TPlayback::Read()
{
    if (ReadStretch())
        WatchSink();
}

// False when the play ended or was stopped before all was read.
bool TPlayback::ReadStretch()
{
    std::vector<qint16> chunk(size_t(ChunkSectors) * CdAudio::FramesPerSector * CdAudio::Channels);
    size_t written = 0;
    const qint64 end = m_stretch.First + m_stretch.Count;
    for (qint64 sector = m_stretch.First; sector < end;) {
        const int count = int(std::min<qint64>(ChunkSectors, end - sector));
        const size_t frames = size_t(count) * CdAudio::FramesPerSector;
        if (!WaitForRoom(frames))
            return false;
        if (!m_disc.ReadSectors(sector, count, chunk.data(), m_readError)) {
            // What was read still plays; the play then ends with the error.
            m_total = written;
            break;
        }
        m_ring.Write(chunk.data(), frames);
        written += frames;
        sector += count;
        if (m_loop && sector == end)
            sector = m_stretch.First;
        // Output starts once there is something to play.
        if (!m_sinkStarted) {
            QString reason;
            if (!m_sink.Start(*this, reason)) {
                End(0, TCdError::SoundOutputFailed(reason));
                return false;
            }
            // A start that opened the output again may have taken a while;
            // the sink is watched from here.
            m_lastPull = Now();
            m_sinkStarted = true;
        }
    }
    if (!m_sinkStarted) {
        End(0, m_readError);
        return false;
    }
    return true;
}

// Everything is in the ring; the sink must still take it and play it out.
void TPlayback::WatchSink()
{
    while (!m_stopReading && m_state == Running && !SinkStalled())
        std::this_thread::sleep_for(WatchPeriod * 10);
}

size_t TPlayback::PullFrames(qint16 *frames, size_t count)
{
    m_lastPull.store(Now(), std::memory_order_relaxed);
    const size_t pulled = m_pulled.load(std::memory_order_relaxed);
    const size_t taken = m_ring.Read(frames, std::min(count, m_total.load() - pulled));
    m_pulled.store(pulled + taken, std::memory_order_release);
    return taken;
}

bool TPlayback::Exhausted() const
{
    return m_pulled.load(std::memory_order_acquire) >= m_total.load();
}

void TPlayback::PlayedOut(double delaySeconds)
{
    // A read error is only known here once its shortened stretch is over.
    if (m_readError.IsError() || m_dropouts == 0) {
        End(delaySeconds, m_readError);
    } else {
        m_sink.ReopenAtNextStart();
        End(delaySeconds, TCdError::DroppedOut(m_dropouts));
    }
}

void TPlayback::DroppedOut()
{
    m_dropouts.fetch_add(1, std::memory_order_relaxed);
}

void TPlayback::Failed(const QString &reason)
{
    End(0, TCdError::SoundOutputFailed(reason));
}

void TPlayback::End(double delaySeconds, const TCdError &error)
{
    int running = Running;
    if (m_state.compare_exchange_strong(running, Ended))
        m_onEnd(delaySeconds, error);
}
