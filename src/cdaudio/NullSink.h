// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AudioSink.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// A sink for a machine without sound output: it takes the frames on the
// deadlines a sound card would, and drops them. Tests and benchmarks run it
// on a faster clock and watch what it takes.
class TNullSink : public IAudioSink
{
public:
    struct TProbe
    {
        // On the sink's thread, for every buffer taken.
        std::function<void(const qint16 *frames, size_t count)> FramesTaken;
        // On the sink's thread, when the last frame's time has passed.
        std::function<void()> PlayedOut;
    };

    static constexpr size_t BufferFrames = 441; // 10 ms

    // speed: how many times faster than real time the clock runs.
    explicit TNullSink(double speed = 1.0, TProbe probe = {});
    ~TNullSink() override;

    bool Start(IFrameSource &source, QString &reason) override;
    void Stop() override;

private:
    void Run(IFrameSource &source);

    double m_speed;
    TProbe m_probe;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::thread m_thread;
};
