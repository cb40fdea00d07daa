// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestDisc.h"
#include "ToolRun.h"

#include "cdaudio/CdAudioPlayer.h"
#include "cdaudio/CdDevice.h"
#include "cdaudio/MonitorRecorder.h"
#include "cdaudio/PulseSink.h"
#include "cdaudio/SoundOutput.h"
#include "cdaudio/StretchFrames.h"
#include "cdaudio/Tmsf.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr int Rate = 44100;

QString Pactl(const QStringList &arguments)
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), arguments);
    pactl.waitForFinished(5000);
    return pactl.exitCode() == 0 ? QString() : QString::fromUtf8(pactl.readAllStandardError());
}

// Each play checked at the monitor of the private server's sink, as the
// program hears it: the real output, the real server.
class MonitorCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariable("AVEK_MONITOR").isEmpty())
            GTEST_SKIP() << "no private sound server (run the test through scripts/with-sound-server)";
        // Noise, which a shifted or broken copy of cannot pass for.
        QFile bin(folder.filePath(QStringLiteral("disc.bin")));
        ASSERT_TRUE(bin.open(QIODevice::WriteOnly));
        std::mt19937 random(25);
        std::normal_distribution<double> noise(0, 3000);
        QByteArray samples(20 * Rate * 4, Qt::Uninitialized);
        auto *sample = reinterpret_cast<qint16 *>(samples.data());
        for (qsizetype i = 0; i < samples.size() / 2; ++i)
            sample[i] = qint16(std::clamp(std::lround(noise(random)), -32768L, 32767L));
        bin.write(samples);
        bin.close();
        TestDisc::WriteText(sheet(), "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
        QString error;
        recorder = TMonitorRecorder::Open(QString(), error);
        ASSERT_TRUE(recorder) << error.toStdString();
        player = std::make_unique<TCdAudioPlayer>(sheet(), [](QString &reason) {
            TOutputReport report;
            std::shared_ptr<IAudioSink> sink = OpenSoundOutput(TPulseSink::DefaultSink, report);
            reason = report.Problem;
            return sink;
        });
        ASSERT_TRUE(player->Open()) << player->ErrorText().toStdString();
    }

    QString sheet() const { return folder.filePath(QStringLiteral("disc.cue")); }

    std::vector<qint16> Frames(int fromSecond, int toSecond)
    {
        TCdError error;
        const std::unique_ptr<IDiscSource> disc = OpenDisc(sheet(), error);
        EXPECT_TRUE(disc) << error.Text.toStdString();
        const auto frames = ReadStretchFrames(*disc, MakeTmsf(1, 0, fromSecond), MakeTmsf(1, 0, toSecond), error);
        EXPECT_TRUE(frames) << error.Text.toStdString();
        return frames.value_or(std::vector<qint16>{});
    }

    // Plays the stretch, doing meddle once half a second of it was heard,
    // and ends the play at the first fault, as the program does.
    TPlayVerdict Play(int fromSecond, int toSecond, const std::function<void()> &meddle = {})
    {
        std::atomic<bool> faulted{false};
        QSignalSpy notices(player.get(), &IMediaPlayer::Notify);
        recorder->Begin(Frames(fromSecond, toSecond), [&faulted](const QString &) { faulted = true; });
        EXPECT_TRUE(player->Play(MakeTmsf(1, 0, fromSecond), MakeTmsf(1, 0, toSecond), true));
        if (meddle) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return recorder->Heard() > Rate / 2 || faulted; }, 5000));
            meddle();
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return notices.size() == 1 || faulted; }, (toSecond - fromSecond) * 1000 + 5000));
        player->Stop();
        return recorder->End(2000);
    }

    QTemporaryDir folder;
    std::unique_ptr<TMonitorRecorder> recorder;
    std::unique_ptr<TCdAudioPlayer> player;
};

TEST_F(MonitorCheckTest, AWholePlayIsVerifiedAndABeepMixedInIsCaught)
{
    const TPlayVerdict whole = Play(1, 3);
    EXPECT_TRUE(whole.Verified) << whole.Fault.toStdString();
    EXPECT_EQ(whole.FramesHeard, 2 * Rate);
    EXPECT_EQ(whole.Rate, Rate);

    QTemporaryDir beepFolder;
    QFile beep(beepFolder.filePath(QStringLiteral("beep.raw")));
    ASSERT_TRUE(beep.open(QIODevice::WriteOnly));
    for (int n = 0; n < Rate / 5; ++n) {
        const qint16 s = qint16(std::lround(3000 * std::sin(2 * std::numbers::pi * 1000 * n / Rate)));
        const qint16 frame[2] = {s, s};
        beep.write(reinterpret_cast<const char *>(frame), sizeof frame);
    }
    beep.close();
    // A gap of the output itself, before the beep, is another fault; the
    // beep is tried again then.
    TPlayVerdict beeped;
    for (int attempt = 0; attempt < 3; ++attempt) {
        beeped = Play(3, 8, [&] {
            EXPECT_EQ(QProcess::execute(QStringLiteral("paplay"),
                                        {QStringLiteral("--raw"), QStringLiteral("--rate=44100"),
                                         QStringLiteral("--format=s16le"), QStringLiteral("--channels=2"),
                                         beep.fileName()}),
                      0);
        });
        if (beeped.Fault.indexOf(QStringLiteral("gap")) == -1)
            break;
        std::printf("a gap before the beep: %s\n", qPrintable(beeped.Fault));
    }
    EXPECT_FALSE(beeped.Verified);
    EXPECT_NE(beeped.Fault.indexOf(QStringLiteral("Other sound is mixed into the stretch")), -1)
        << beeped.Fault.toStdString();
    std::printf("a beep during the play: %s\n", qPrintable(beeped.Fault));
}

TEST_F(MonitorCheckTest, ASinkSuspendedMidPlayFailsThePlay)
{
    const TPlayVerdict suspended = Play(3, 8, [] {
        EXPECT_EQ(Pactl({QStringLiteral("suspend-sink"), QStringLiteral("avek_out"), QStringLiteral("1")}).toStdString(),
                  "");
    });
    EXPECT_EQ(Pactl({QStringLiteral("suspend-sink"), QStringLiteral("avek_out"), QStringLiteral("0")}).toStdString(), "");
    EXPECT_FALSE(suspended.Verified);
    EXPECT_FALSE(suspended.Fault.isEmpty());
    std::printf("a suspend during the play: %s\n", qPrintable(suspended.Fault));
}

TEST_F(MonitorCheckTest, CheckOutputPassesAtFullVolumeAndNamesTheLossAtHalf)
{
    const TToolRun full = RunTool({QStringLiteral("check-output"), QStringLiteral("--seconds"), QStringLiteral("2"), sheet()});
    EXPECT_EQ(full.Code, 0) << full.Err.toStdString();
    EXPECT_NE(full.Out.indexOf(QStringLiteral("Output: ")), -1) << full.Out.toStdString();
    EXPECT_NE(full.Out.indexOf(QStringLiteral("44100 Hz")), -1) << full.Out.toStdString();
    EXPECT_NE(full.Out.indexOf(QStringLiteral("Output checked: 0.00 dB, every frame")), -1) << full.Out.toStdString();

    ASSERT_EQ(Pactl({QStringLiteral("set-sink-volume"), QStringLiteral("avek_out"), QStringLiteral("50%")}).toStdString(), "");
    const TToolRun half = RunTool({QStringLiteral("check-output"), QStringLiteral("--seconds"), QStringLiteral("2"), sheet()});
    EXPECT_EQ(Pactl({QStringLiteral("set-sink-volume"), QStringLiteral("avek_out"), QStringLiteral("100%")}).toStdString(), "");
    EXPECT_EQ(half.Code, 1);
    EXPECT_NE(half.Err.indexOf(QStringLiteral("\u221218.06 dB")), -1) << half.Err.toStdString();
    EXPECT_NE(half.Out.indexOf(QStringLiteral("Gain: \u221218.06 dB")), -1) << half.Out.toStdString();
}

} // namespace

namespace {

TEST(CheckOutputTest, ASoundCardPlayedDirectlyOrABadCountIsRefusedInWords)
{
    QTemporaryDir folder;
    TestDisc::Write(folder.path(), TestDisc::Binary, {{60 * 75, 0, 0}}, false);
    const QString disc = QDir(folder.path()).filePath(QStringLiteral("disc.cue"));
    const TToolRun card = RunTool({QStringLiteral("check-output"), QStringLiteral("--output"),
                                   QStringLiteral("alsa:hw:1,0"), disc});
    EXPECT_EQ(card.Code, 1);
    EXPECT_NE(card.Err.indexOf(QStringLiteral("only a sink of the desktop sound server can be listened at")), -1)
        << card.Err.toStdString();
    for (const QString &seconds : {QStringLiteral("0"), QStringLiteral("16"), QStringLiteral("two")})
        EXPECT_EQ(RunTool({QStringLiteral("check-output"), QStringLiteral("--seconds"), seconds, disc}).Code, 2)
            << seconds.toStdString();
}

} // namespace
