#include "Playback.h"

#include <algorithm>
#include <chrono>
#include <vector>

TPlayback::TPlayback(TDiscSource &disc, IAudioSink &sink, TSectorStretch stretch, TEndHandler onEnd)
    : m_disc(disc), m_sink(sink), m_stretch(stretch), m_onEnd(std::move(onEnd)), m_ring(RingFrames),
      m_total(size_t(stretch.Count) * CdAudio::FramesPerSector)
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

bool TPlayback::WaitForRoom(size_t frames)
{
    while (m_ring.Free() < frames) {
        if (m_stopReading)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return !m_stopReading;
}

void TPlayback::Read()
{
    std::vector<qint16> chunk(size_t(ChunkSectors) * CdAudio::FramesPerSector * CdAudio::Channels);
    size_t written = 0;
    bool started = false;
    for (qint64 sector = m_stretch.First; sector < m_stretch.First + m_stretch.Count;) {
        const int count = int(std::min<qint64>(ChunkSectors, m_stretch.First + m_stretch.Count - sector));
        const size_t frames = size_t(count) * CdAudio::FramesPerSector;
        if (!WaitForRoom(frames))
            return;
        if (!m_disc.ReadSectors(sector, count, chunk.data(), m_error)) {
            // What was read still plays; the play then ends with the error.
            m_total = written;
            break;
        }
        m_ring.Write(chunk.data(), frames);
        written += frames;
        sector += count;
        // Output starts once there is something to play.
        if (!started) {
            QString reason;
            if (!m_sink.Start(*this, reason)) {
                m_error = TCdError::SoundOutputFailed(reason);
                End(0);
                return;
            }
            started = true;
        }
    }
    if (!started)
        End(0);
}

size_t TPlayback::PullFrames(qint16 *frames, size_t count)
{
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
    End(delaySeconds);
}

void TPlayback::End(double delaySeconds)
{
    int running = Running;
    if (m_state.compare_exchange_strong(running, Ended))
        m_onEnd(delaySeconds, m_error);
}
