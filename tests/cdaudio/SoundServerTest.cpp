// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServerPlaybackFixture.h"

#include "cdaudio/SoundOutput.h"
#include "cdaudio/Tmsf.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <memory>

namespace {

class SoundServerTest : public TServerPlaybackFixture
{
protected:
    void ExpectWhole(const TServerPlayback::TResult &result, int second)
    {
        EXPECT_EQ(result.Fault.toStdString(), "") << "stretch at " << second << " s";
        EXPECT_EQ(result.ErrorCode, 0) << result.ErrorText.toStdString();
    }
};

TEST_F(SoundServerTest, EveryFrameArrivesOnceInOrderAndTheNoticeFollowsTheLast)
{
    for (const int second : {1, 7, 20}) {
        const TServerPlayback::TResult result = playback.Play(second, 2);
        ExpectWhole(result, second);
        std::printf("onset %.1f ms, notice %.1f ms after the last frame\n", result.OnsetMs, result.NoticeAfterLastMs);
        EXPECT_LT(result.OnsetMs, 500);
        // The notice comes once the last frame is out, not long after.
        EXPECT_GT(result.NoticeAfterLastMs, -30);
        EXPECT_LT(result.NoticeAfterLastMs, 300);
    }
}

TEST_F(SoundServerTest, TheCalibrationLoopHasNoSeam)
{
    EXPECT_EQ(playback.PlayLoop(3, 20, 1500).toStdString(), "");
}

TEST_F(SoundServerTest, NoDropoutWhileTwoProcessesKeepTheProcessorsBusy)
{
    std::vector<std::unique_ptr<QProcess>> burners;
    for (int i = 0; i < 2; ++i) {
        burners.push_back(std::make_unique<QProcess>());
        burners.back()->start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
    }
    for (const int second : {10, 30, 45})
        ExpectWhole(playback.Play(second, 5), second);
    for (auto &burner : burners) {
        burner->kill();
        burner->waitForFinished();
    }
}

// The last of them: it ends the server, and starts another.
TEST_F(SoundServerTest, AServerThatDiesMidPlayEndsThePlayWithAnErrorAndOneStartedAgainIsPlayedThrough)
{
    const int server = qEnvironmentVariableIntValue("AVEK_SOUND_SERVER_PID");
    const QString startServer = qEnvironmentVariable("AVEK_SOUND_SERVER_START");
    if (server <= 0 || startServer.isEmpty())
        GTEST_SKIP() << "the server's process is not known";
    IMediaPlayer &player = playback.Player();
    QSignalSpy notices(&player, &IMediaPlayer::Notify);
    ASSERT_TRUE(player.Play(MakeTmsf(1, 0, 1), MakeTmsf(1, 0, 11), true));
    QTest::qWait(500);
    ASSERT_EQ(::kill(server, SIGKILL), 0);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return notices.size() == 1; }, 4000));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(player.ErrorCode(), TCdError::NoSoundOutput) << player.ErrorText().toStdString();

    // With no server to open the output on again, the next play fails and
    // says so, rather than hanging or playing into the dead stream.
    clock.restart();
    ASSERT_TRUE(player.Play(MakeTmsf(1, 0, 1), MakeTmsf(1, 0, 2), true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return notices.size() == 2; }, 3000));
    std::printf("a play without a server failed after %lld ms: %s\n", clock.elapsed(),
                qPrintable(player.ErrorText()));
    EXPECT_EQ(player.ErrorCode(), TCdError::NoSoundOutput) << player.ErrorText().toStdString();

    // The same output finds the server started again.
    ASSERT_EQ(QProcess::execute(startServer), 0);
    QString error;
    ASSERT_TRUE(playback.Record(error)) << error.toStdString();
    const TServerPlayback::TResult result = playback.Play(2, 2);
    ExpectWhole(result, 2);
    std::printf("the output opened again: onset %.1f ms\n", result.OnsetMs);

    clock.restart();
    player.Close();
    EXPECT_LT(clock.elapsed(), 100);
}

} // namespace
