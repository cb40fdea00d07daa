// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cdaudio/CdAudioPlayer.h"
#include "cdaudio/NullSink.h"

#include <QSignalSpy>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

// A player over a fast null sink that keeps every frame it was handed.
class TPlayerHarness
{
public:
    static constexpr double Speed = 100;

    explicit TPlayerHarness(const QString &device);

    TCdAudioPlayer &Player() { return m_player; }
    QSignalSpy &Notices() { return m_notices; }

    // Waits for the play's notice (or the timeout) and returns the frames played.
    std::vector<qint16> WaitForEnd(int timeoutMs = 5000);
    // Waits until the sink has played out that many plays in all, without
    // delivering any event: their notices are posted, not yet received.
    bool WaitForPlayedOutWithoutEvents(int plays, int timeoutMs = 5000);
    // Waits as long as a stray notice would take to arrive.
    void Settle();
    std::vector<qint16> Frames();

private:
    std::shared_ptr<std::mutex> m_mutex = std::make_shared<std::mutex>();
    std::shared_ptr<std::vector<qint16>> m_frames = std::make_shared<std::vector<qint16>>();
    std::shared_ptr<std::atomic<int>> m_playedOut = std::make_shared<std::atomic<int>>(0);
    TCdAudioPlayer m_player;
    QSignalSpy m_notices;
};
