#pragma once

#include "AudioSink.h"
#include "DiscSource.h"
#include "FrameRing.h"

#include <atomic>
#include <functional>
#include <thread>

// One play of one stretch: a reader thread does all disc I/O into a ring,
// the sink takes the frames from it, and the play's end is reported once.
class TPlayback : public IFrameSource
{
public:
    // On the reader's or the sink's thread, once, unless stopped first:
    // delaySeconds until the last frame is heard, and the error that ended
    // the play early (Code None when it played whole).
    using TEndHandler = std::function<void(double delaySeconds, const TCdError &error)>;

    static constexpr int ChunkSectors = 8;
    static constexpr size_t RingFrames = size_t(1) << 17; // about 3 s

    TPlayback(TDiscSource &disc, IAudioSink &sink, TSectorStretch stretch, TEndHandler onEnd);
    // Stops: no frame is played and no end reported after it returns.
    ~TPlayback() override;

    void Start();

    size_t PullFrames(qint16 *frames, size_t count) override;
    bool Exhausted() const override;
    void PlayedOut(double delaySeconds) override;

private:
    enum TState { Running, Ended, Stopped };

    void Read();
    bool WaitForRoom(size_t frames);
    void End(double delaySeconds);

    TDiscSource &m_disc;
    IAudioSink &m_sink;
    TSectorStretch m_stretch;
    TEndHandler m_onEnd;
    TFrameRing m_ring;
    TCdError m_error;
    std::atomic<int> m_state{Running};
    std::atomic<bool> m_stopReading{false};
    std::atomic<size_t> m_pulled{0};
    // Frames the play will have: the whole stretch, or what was read of it
    // before a read failed.
    std::atomic<size_t> m_total;
    std::thread m_reader;
};
