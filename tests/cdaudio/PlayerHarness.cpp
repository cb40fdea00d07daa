// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerHarness.h"

#include <QElapsedTimer>
#include <QTest>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

TPlayerHarness::TPlayerHarness(const QString &device)
    : m_player(device,
               [mutex = m_mutex, frames = m_frames, playedOut = m_playedOut](QString &) -> std::unique_ptr<IAudioSink> {
                   TNullSink::TProbe probe;
                   probe.FramesTaken = [mutex, frames](const qint16 *taken, size_t count) {
                       const std::lock_guard lock(*mutex);
                       frames->insert(frames->end(), taken, taken + count * 2);
                   };
                   probe.PlayedOut = [playedOut] { ++*playedOut; };
                   return std::make_unique<TNullSink>(Speed, probe);
               }),
      m_notices(&m_player, &IMediaPlayer::Notify)
{
}

std::vector<qint16> TPlayerHarness::WaitForEnd(int timeoutMs)
{
    const qsizetype before = m_notices.size();
    if (!QTest::qWaitFor([&] { return m_notices.size() > before; }, timeoutMs))
        ADD_FAILURE() << "no notice within " << timeoutMs << " ms";
    return Frames();
}

bool TPlayerHarness::WaitForPlayedOutWithoutEvents(int plays, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (*m_playedOut < plays) {
        if (clock.hasExpired(timeoutMs))
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void TPlayerHarness::Settle()
{
    QTest::qWait(100);
}

std::vector<qint16> TPlayerHarness::Frames()
{
    const std::lock_guard lock(*m_mutex);
    return std::exchange(*m_frames, {});
}
