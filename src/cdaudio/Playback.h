// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AudioSink.h"
#include "DiscSource.h"
#include "FrameRing.h"

#include <atomic>
#include <functional>
#include <thread>

// One play of one stretch: a reader thread does all disc I/O into a ring,
// the sink takes the frames from it, and the play's end is reported once.
// The reader also watches the sink: a sink that takes nothing for
// StallSeconds ends the play with an error rather than leaving it hanging.
class TPlayback : public IFrameSource
{
public:
    // On the reader's or the sink's thread, once, unless stopped first:
    // delaySeconds until the last frame is heard, and the error that ended
    // the play early or spoiled it (Code None when it was heard whole).
    using TEndHandler = std::function<void(double delaySeconds, const TCdError &error)>;

    static constexpr int ChunkSectors = 8;
    static constexpr size_t RingFrames = size_t(1) << 17; // about 3 s
    static constexpr double StallSeconds = 1.5;

    // A looping play runs the stretch again and again without a seam, and
    // ends only when stopped or broken.
    TPlayback(IDiscSource &disc, IAudioSink &sink, TSectorStretch stretch, bool loop, TEndHandler onEnd);
    // Stops: no frame is played and no end reported after it returns.
    ~TPlayback() override;

    void Start();

    size_t PullFrames(qint16 *frames, size_t count) override;
    bool Exhausted() const override;
    void PlayedOut(double delaySeconds) override;
    void DroppedOut() override;
    void Failed(const QString &reason) override;

private:
    enum TState { Running, Ended, Stopped };

    void Read();
    bool ReadStretch();
    void WatchSink();
    bool WaitForRoom(size_t frames);
    bool SinkStalled();
    void End(double delaySeconds, const TCdError &error);

    IDiscSource &m_disc;
    IAudioSink &m_sink;
    TSectorStretch m_stretch;
    bool m_loop;
    TEndHandler m_onEnd;
    TFrameRing m_ring;
    // Written by the reader only, before it shortens m_total.
    TCdError m_readError;
    std::atomic<int> m_state{Running};
    std::atomic<bool> m_stopReading{false};
    std::atomic<bool> m_sinkStarted{false};
    std::atomic<size_t> m_pulled{0};
    std::atomic<int> m_dropouts{0};
    // When the sink last asked for frames, in steady-clock ticks.
    std::atomic<qint64> m_lastPull{0};
    // Frames the play will have: the whole stretch, or what was read of it
    // before a read failed.
    std::atomic<size_t> m_total;
    std::thread m_reader;
};
