#include "ServerPlayback.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <memory>

namespace {

class SoundServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const QString why = TServerPlayback::Unavailable(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        QString error;
        ASSERT_TRUE(playback.Open(error)) << error.toStdString();
    }

    void ExpectWhole(const TServerPlayback::TResult &result, int second)
    {
        EXPECT_EQ(result.Fault.toStdString(), "") << "stretch at " << second << " s";
        EXPECT_EQ(result.ErrorCode, 0) << result.ErrorText.toStdString();
    }

    TServerPlayback playback;
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

} // namespace
