// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerHarness.h"
#include "TestDisc.h"

#include "cdaudio/SoundOutput.h"
#include "cdaudio/Tmsf.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

namespace {

constexpr size_t F = CdAudio::FramesPerSector;

// A sink that takes frames fast until it has taken StopAfter of them, then
// takes nothing more, as an output whose server died; it can also report a
// dropout at the start. Opened again, it takes every frame, or fails with
// ReopenFails as the reason.
class TFailingSink : public IAudioSink
{
public:
    size_t StopAfter = SIZE_MAX;
    bool DropOut = false;
    QString ReopenFails;
    int Reopens = 0;

    ~TFailingSink() override { Stop(); }

    bool Start(IFrameSource &source, QString &reason) override
    {
        Stop();
        if (m_reopen.exchange(false)) {
            ++Reopens;
            reason = ReopenFails;
            if (!reason.isEmpty())
                return false;
            StopAfter = SIZE_MAX;
            DropOut = false;
        }
        m_stopping = false;
        m_thread = std::thread([this, &source] {
            if (DropOut)
                source.DroppedOut();
            qint16 buffer[2 * 441];
            size_t taken = 0;
            while (!m_stopping && taken < StopAfter) {
                taken += source.PullFrames(buffer, std::min<size_t>(441, StopAfter - taken));
                if (source.Exhausted()) {
                    source.PlayedOut(0);
                    return;
                }
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            }
            while (!m_stopping)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        });
        return true;
    }

    void Stop() override
    {
        m_stopping = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    void ReopenAtNextStart() override { m_reopen = true; }

private:
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_reopen{false};
    std::thread m_thread;
};

class BrokenOutputTest : public ::testing::Test
{
protected:
    void SetUp() override { TestDisc::Write(folder.path(), TestDisc::Binary, {{750, 0, 0}}, false); }

    QString Sheet() const { return QDir(folder.path()).filePath(QStringLiteral("disc.cue")); }

    QTemporaryDir folder;
};

TEST_F(BrokenOutputTest, AnOutputThatStopsTakingFramesEndsThePlayWithAnErrorWithinTwoSeconds)
{
    // Gone before the play, and gone in the middle of it.
    for (const size_t stopAfter : {size_t(0), 60 * F}) {
        auto sink = std::make_shared<TFailingSink>();
        sink->StopAfter = stopAfter;
        TCdAudioPlayer player(Sheet(), [&](QString &) { return sink; });
        ASSERT_TRUE(player.Open());
        QSignalSpy notices(&player, &IMediaPlayer::Notify);
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(player.Play(MakeTmsf(1, 0, 0), MakeTmsf(1, 0, 5), true));
        ASSERT_TRUE(QTest::qWaitFor([&] { return notices.size() == 1; }, 3000)) << stopAfter;
        EXPECT_LT(clock.elapsed(), 2200);
        EXPECT_EQ(player.ErrorCode(), TCdError::OutputStopped);
        EXPECT_FALSE(player.ErrorText().isEmpty());
        player.Stop();
    }
}

TEST_F(BrokenOutputTest, APlayWithADropoutEndsWithAnError)
{
    auto sink = std::make_shared<TFailingSink>();
    sink->DropOut = true;
    TCdAudioPlayer player(Sheet(), [&](QString &) { return sink; });
    ASSERT_TRUE(player.Open());
    QSignalSpy notices(&player, &IMediaPlayer::Notify);
    ASSERT_TRUE(player.Play(MakeTmsf(1, 0, 0), MakeTmsf(1, 0, 1), true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return notices.size() == 1; }, 3000));
    EXPECT_EQ(player.ErrorCode(), TCdError::OutputDroppedOut);
}

TEST_F(BrokenOutputTest, AnOutputLostInAPlayIsOpenedAgainForTheNextOneOrThatPlayFailsWithTheReason)
{
    // Lost as it stopped taking frames and opened again; lost as it dropped
    // out, and not there to be opened.
    for (const bool stalls : {true, false}) {
        auto device = std::make_shared<TFailingSink>();
        device->StopAfter = stalls ? 0 : SIZE_MAX;
        device->DropOut = !stalls;
        device->ReopenFails = stalls ? QString() : QStringLiteral("the card is unplugged");
        auto output = std::make_shared<TSoundOutput>(device);
        TCdAudioPlayer player(Sheet(), [&](QString &) { return output; });
        ASSERT_TRUE(player.Open());
        QSignalSpy notices(&player, &IMediaPlayer::Notify);
        for (const int play : {1, 2}) {
            ASSERT_TRUE(player.Play(MakeTmsf(1, 0, 0), MakeTmsf(1, 0, 1), true));
            ASSERT_TRUE(QTest::qWaitFor([&] { return notices.size() == play; }, 3000)) << stalls;
        }
        EXPECT_EQ(device->Reopens, 1) << stalls;
        if (stalls) {
            EXPECT_EQ(player.ErrorCode(), 0) << player.ErrorText().toStdString();
        } else {
            EXPECT_EQ(player.ErrorCode(), TCdError::NoSoundOutput);
            EXPECT_NE(player.ErrorText().indexOf(QStringLiteral("the card is unplugged")), -1)
                << player.ErrorText().toStdString();
        }
    }
}

// Frames taken by the harness must be the stretch, over and over, from its
// first frame.
void ExpectRepeats(const std::vector<qint16> &frames, qint64 first, qint64 length)
{
    ASSERT_GT(qint64(frames.size() / 2), 2 * length);
    for (size_t i = 0; i < frames.size(); i += 2)
        ASSERT_EQ(TestDisc::FramePosition(frames[i], frames[i + 1]), first + qint64(i / 2) % length) << i / 2;
}

TEST_F(BrokenOutputTest, ALoopRepeatsTheStretchWithoutASeamUntilStopped)
{
    TPlayerHarness harness(Sheet());
    ASSERT_TRUE(harness.Player().Open());
    // 0.2 s of audio, 2 ms on the harness's clock.
    ASSERT_TRUE(harness.Player().PlayLoop(MakeTmsf(1, 0, 2), MakeTmsf(1, 0, 2, 15)));
    QTest::qWait(100);
    harness.Player().Stop();
    harness.Settle();
    EXPECT_EQ(harness.Notices().size(), 0);
    ExpectRepeats(harness.Frames(), 150 * F, 15 * F);
}

TEST_F(BrokenOutputTest, SwitchingTheOutputMidPlayLosesNoFrame)
{
    std::vector<qint16> frames;
    std::mutex mutex;
    const auto collecting = [&] {
        TNullSink::TProbe probe;
        probe.FramesTaken = [&](const qint16 *taken, size_t count) {
            const std::lock_guard lock(mutex);
            frames.insert(frames.end(), taken, taken + count * 2);
        };
        return std::make_shared<TNullSink>(TPlayerHarness::Speed, probe);
    };
    auto output = std::make_shared<TSoundOutput>(collecting());
    TCdAudioPlayer player(Sheet(), [&](QString &) { return output; });
    ASSERT_TRUE(player.Open());
    QSignalSpy notices(&player, &IMediaPlayer::Notify);
    ASSERT_TRUE(player.PlayLoop(MakeTmsf(1, 0, 2), MakeTmsf(1, 0, 2, 15)));
    QTest::qWait(30);
    output->Switch(collecting());
    QTest::qWait(30);
    player.Stop();
    EXPECT_EQ(notices.size(), 0);
    ExpectRepeats(frames, 150 * F, 15 * F);
}

} // namespace

namespace {

// A play with no sound server to play to fails in words, soon, and never
// keeps the GUI thread; it is not counted as heard in silence.
TEST_F(BrokenOutputTest, WithoutASoundServerEveryPlayFailsAndSaysSo)
{
    const QByteArray server = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:" + QDir(folder.path()).filePath(QStringLiteral("no-server")).toUtf8());
    TOutputReport report;
    auto output = std::make_shared<TSoundOutput>(OpenSoundOutput(QStringLiteral("default"), report));
    EXPECT_FALSE(report.Silent);
    TCdAudioPlayer player(Sheet(), [&](QString &) { return output; });
    ASSERT_TRUE(player.Open());
    EXPECT_FALSE(player.Silent());
    QSignalSpy notices(&player, &IMediaPlayer::Notify);
    for (const int play : {1, 2}) {
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(player.Play(MakeTmsf(1, 0, 0), MakeTmsf(1, 0, 2), true));
        EXPECT_LT(clock.elapsed(), 100);
        ASSERT_TRUE(QTest::qWaitFor([&] { return notices.size() == play; }, 3000));
        EXPECT_LT(clock.elapsed(), 2000);
        EXPECT_EQ(player.ErrorCode(), TCdError::NoSoundOutput) << player.ErrorText().toStdString();
    }
    QElapsedTimer closing;
    closing.start();
    player.Close();
    EXPECT_LT(closing.elapsed(), 100);
    server.isNull() ? qunsetenv("PULSE_SERVER") : qputenv("PULSE_SERVER", server);
}

TEST_F(BrokenOutputTest, OnlyAChosenSilentOutputIsSilentAndACardThatIsNotThereFailsEveryPlay)
{
    TOutputReport report;
    auto silent = std::shared_ptr<IAudioSink>(OpenSoundOutput(NoOutput, report));
    EXPECT_TRUE(report.Silent);
    EXPECT_TRUE(report.Problem.isEmpty());

    auto card = std::shared_ptr<IAudioSink>(OpenSoundOutput(AlsaPrefix + QStringLiteral("Audiometer 7"), report));
    EXPECT_FALSE(report.Silent);
    EXPECT_TRUE(report.Problem.contains(QStringLiteral("Audiometer 7"))) << report.Problem.toStdString();
    TCdAudioPlayer player(Sheet(), [&](QString &) { return card; });
    ASSERT_TRUE(player.Open());
    QSignalSpy notices(&player, &IMediaPlayer::Notify);
    ASSERT_TRUE(player.Play(MakeTmsf(1, 0, 0), MakeTmsf(1, 0, 1), true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return notices.size() == 1; }, 3000));
    EXPECT_EQ(player.ErrorCode(), TCdError::NoSoundOutput);
    EXPECT_TRUE(player.ErrorText().contains(QStringLiteral("Audiometer 7"))) << player.ErrorText().toStdString();
}

} // namespace
