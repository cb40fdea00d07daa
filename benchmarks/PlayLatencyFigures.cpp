// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayLatencyFigures.h"

#include "TestDisc.h"

#include "cdaudio/CdAudioPlayer.h"
#include "cdaudio/NullSink.h"
#include "cdaudio/Tmsf.h"

#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

std::vector<TBenchmarkFigure> MeasurePlayLatency(int runs)
{
    QTemporaryDir folder;
    const TestDisc::TImage image = TestDisc::Write(folder.path(), TestDisc::Binary, {{750, 0, 0}}, false);

    // The sink's thread writes these; the GUI thread reads them after Notify.
    std::atomic<Clock::rep> firstFrame{0}, playedOut{0};
    TCdAudioPlayer player(image.Sheet, [&](QString &) -> std::unique_ptr<IAudioSink> {
        TNullSink::TProbe probe;
        probe.FramesTaken = [&](const qint16 *, size_t) {
            Clock::rep none = 0;
            firstFrame.compare_exchange_strong(none, Clock::now().time_since_epoch().count());
        };
        probe.PlayedOut = [&] { playedOut = Clock::now().time_since_epoch().count(); };
        return std::make_unique<TNullSink>(1.0, probe);
    });
    if (!player.Open())
        throw TBenchmarkError{player.ErrorText()};
    Clock::time_point noticed;
    bool done = false;
    QObject::connect(&player, &IMediaPlayer::Notify, [&] {
        noticed = Clock::now();
        done = true;
    });

    std::vector<double> onsets, notices;
    for (int run = 0; run < runs; ++run) {
        firstFrame = 0;
        done = false;
        const Clock::time_point played = Clock::now();
        // 0.1 s stretches, in real time.
        player.Play(MakeTmsf(1, 0, 1), MakeTmsf(1, 0, 1, 8), true);
        if (!QTest::qWaitFor([&] { return done; }, 5000))
            throw TBenchmarkError{QStringLiteral("The player sent no notice within 5 s.")};
        onsets.push_back(Milliseconds(Clock::time_point(Clock::duration(firstFrame.load())) - played));
        notices.push_back(Milliseconds(noticed - Clock::time_point(Clock::duration(playedOut.load()))));
    }
    return {
        Held(Figure(QStringLiteral("Play to the first frame at the sink"), onsets, QStringLiteral("ms")), 2),
        Held(Figure(QStringLiteral("Last frame played to Notify"), notices, QStringLiteral("ms")), 2),
    };
}
