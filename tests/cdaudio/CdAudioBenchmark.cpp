// Latencies of the player over a disc image and the real-time null sink:
// Play until the first frame reaches the sink, and the last frame's
// play-out until Notify arrives on the GUI thread. Prints the medians.
#include "TestDisc.h"

#include "cdaudio/CdAudioPlayer.h"
#include "cdaudio/NullSink.h"
#include "cdaudio/Tmsf.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    const TestDisc::TImage image = TestDisc::Write(folder.path(), TestDisc::Binary, {{750, 0, 0}}, false);

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
    if (!player.Open()) {
        std::fprintf(stderr, "%s\n", qPrintable(player.ErrorText()));
        return 1;
    }
    Clock::time_point noticed;
    bool done = false;
    QObject::connect(&player, &IMediaPlayer::Notify, [&] {
        noticed = Clock::now();
        done = true;
    });

    constexpr int Runs = 30;
    std::vector<double> startLatencies, noticeLatencies;
    for (int run = 0; run < Runs; ++run) {
        firstFrame = 0;
        done = false;
        const Clock::time_point played = Clock::now();
        // 0.1 s stretches, in real time.
        player.Play(MakeTmsf(1, 0, 1), MakeTmsf(1, 0, 1, 8), true);
        if (!QTest::qWaitFor([&] { return done; }, 5000)) {
            std::fprintf(stderr, "no notice\n");
            return 1;
        }
        startLatencies.push_back(Milliseconds(Clock::time_point(Clock::duration(firstFrame.load())) - played));
        noticeLatencies.push_back(Milliseconds(noticed - Clock::time_point(Clock::duration(playedOut.load()))));
    }
    std::printf("Play to first frame at the sink:  median %.3f ms (target 2 ms), %d runs\n", Median(startLatencies),
                Runs);
    std::printf("Last frame played to Notify:      median %.3f ms (target 2 ms), %d runs\n", Median(noticeLatencies),
                Runs);
    return 0;
}
