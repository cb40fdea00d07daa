// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerHarness.h"
#include "TestDisc.h"

#include "cdaudio/Tmsf.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

using TestDisc::FramePosition;

constexpr qint64 F = CdAudio::FramesPerSector;

struct TImageCase
{
    const char *Name;
    TestDisc::TFormat Format;
    bool FilePerTrack;
};

// Track 1: 2 s; track 2: 4.5 s (longer than the ring), after a 1 s PREGAP
// and a 0.5 s INDEX 00 gap; track 3: 1 s.
const QList<TestDisc::TTrack> Tracks = {{150, 0, 0}, {338, 38, 75}, {75, 0, 0}};

class CdAudioPlayerImageTest : public ::testing::TestWithParam<TImageCase>
{
protected:
    void SetUp() override
    {
        image = TestDisc::Write(folder.path(), GetParam().Format, Tracks, GetParam().FilePerTrack);
        ASSERT_TRUE(harness.Player().Open()) << harness.Player().ErrorText().toStdString();
    }

    // Plays and checks that exactly the frames of [first, end) came out, in order.
    void ExpectStretch(quint32 from, quint32 to, qint64 firstSector, qint64 endSector)
    {
        ASSERT_TRUE(harness.Player().Play(from, to, true)) << harness.Player().ErrorText().toStdString();
        const std::vector<qint16> frames = harness.WaitForEnd();
        ASSERT_EQ(harness.Notices().size(), 1);
        ASSERT_EQ(qint64(frames.size() / 2), (endSector - firstSector) * F);
        EXPECT_EQ(FramePosition(frames[0], frames[1]), firstSector * F);
        EXPECT_EQ(FramePosition(frames[frames.size() - 2], frames.back()), endSector * F - 1);
        for (size_t i = 0; i < frames.size(); i += 2)
            ASSERT_EQ(FramePosition(frames[i], frames[i + 1]), firstSector * F + qint64(i / 2)) << "frame " << i / 2;
    }

    QTemporaryDir folder;
    TestDisc::TImage image;
    TPlayerHarness harness{QDir(folder.path()).filePath(QStringLiteral("disc.cue"))};
};

TEST_P(CdAudioPlayerImageTest, PlaysExactlyTheStretchWithOneNotice)
{
    const qint64 track2 = image.TrackStarts[1];
    ExpectStretch(MakeTmsf(2, 0, 1, 10), MakeTmsf(2, 0, 3, 0), track2 + 85, track2 + 225);
}

TEST_P(CdAudioPlayerImageTest, PlaysAWholeTrackLongerThanTheReadersRing)
{
    ExpectStretch(MakeTmsf(2, 0, 0), MakeTmsf(2, 0, 4, 38), image.TrackStarts[1], image.TrackStarts[2]);
}

TEST_P(CdAudioPlayerImageTest, GeneratedPregapIsSilenceAndTheFileGapIsRead)
{
    // Track 1 runs on to track 2's INDEX 01: through its PREGAP (silence),
    // then its INDEX 00 gap from the file.
    ASSERT_TRUE(Tracks[1].GeneratedGap == 75 && Tracks[1].FileGap == 38);
    ASSERT_TRUE(harness.Player().Play(MakeTmsf(1, 0, 2), MakeTmsf(1, 0, 3, 38), true));
    const std::vector<qint16> frames = harness.WaitForEnd();
    ASSERT_EQ(qint64(frames.size() / 2), (75 + 38) * F);
    for (qint64 i = 0; i < 75 * F; ++i)
        ASSERT_EQ(FramePosition(frames[2 * i], frames[2 * i + 1]), std::nullopt) << "frame " << i;
    EXPECT_EQ(FramePosition(frames[2 * 75 * F], frames[2 * 75 * F + 1]), (150 + 75) * F);
    EXPECT_EQ(FramePosition(frames[frames.size() - 2], frames.back()), image.TrackStarts[1] * F - 1);
}

TEST_P(CdAudioPlayerImageTest, PlaysTheLastTrackToTheEndOfTheDisc)
{
    const qint64 track3 = image.TrackStarts[2];
    ExpectStretch(MakeTmsf(3, 0, 0, 74), MakeTmsf(3, 0, 1, 0), track3 + 74, track3 + 75);
}

INSTANTIATE_TEST_SUITE_P(Formats, CdAudioPlayerImageTest,
                         ::testing::Values(TImageCase{"Binary", TestDisc::Binary, false},
                                           TImageCase{"Motorola", TestDisc::Motorola, false},
                                           TImageCase{"Wave", TestDisc::Wave, false},
                                           TImageCase{"BinaryFilePerTrack", TestDisc::Binary, true},
                                           TImageCase{"MotorolaFilePerTrack", TestDisc::Motorola, true},
                                           TImageCase{"WaveFilePerTrack", TestDisc::Wave, true}),
                         [](const auto &info) { return std::string(info.param.Name); });

class CdAudioPlayerNoticeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestDisc::Write(folder.path(), TestDisc::Binary, {{750, 0, 0}}, false);
        ASSERT_TRUE(harness.Player().Open());
    }

    QTemporaryDir folder;
    TPlayerHarness harness{QDir(folder.path()).filePath(QStringLiteral("disc.cue"))};
    // 0.1 s of audio: 1 ms on the harness's clock.
    const quint32 shortFrom = MakeTmsf(1, 0, 1), shortTo = MakeTmsf(1, 0, 1, 8);
    // 5 s of audio: 50 ms on the harness's clock, long enough to interrupt.
    const quint32 longFrom = MakeTmsf(1, 0, 0), longTo = MakeTmsf(1, 0, 5);
};

TEST_F(CdAudioPlayerNoticeTest, NotifiesOnlyPlaysThatAskedAndOnlyOnce)
{
    ASSERT_TRUE(harness.Player().Play(shortFrom, shortTo, false));
    harness.Settle();
    EXPECT_EQ(harness.Notices().size(), 0);
    EXPECT_EQ(harness.Frames().size() / 2, size_t(8 * F));

    ASSERT_TRUE(harness.Player().Play(shortFrom, shortTo, true));
    harness.WaitForEnd();
    harness.Settle();
    EXPECT_EQ(harness.Notices().size(), 1);
}

// A disc that stops reading mid-stretch plays what was read, then ends the
// play with the error instead of waiting for frames that never come. The
// file keeps 304 sectors, a whole number of the player's reads.
TEST_F(CdAudioPlayerNoticeTest, ReadErrorEndsThePlayAfterWhatWasRead)
{
    ASSERT_TRUE(QFile::resize(QDir(folder.path()).filePath(QStringLiteral("part0.bin")),
                              qint64(304) * CdAudio::BytesPerSector));
    ASSERT_TRUE(harness.Player().Play(MakeTmsf(1, 0, 0), MakeTmsf(1, 0, 8), true));
    const std::vector<qint16> frames = harness.WaitForEnd();
    EXPECT_EQ(harness.Notices().size(), 1);
    EXPECT_EQ(harness.Player().ErrorCode(), TCdError::ReadFailed);
    EXPECT_EQ(frames.size() / 2, size_t(304 * F));
}

TEST_F(CdAudioPlayerNoticeTest, StopAndCloseNeverNotify)
{
    ASSERT_TRUE(harness.Player().Play(longFrom, longTo, true));
    QTest::qWait(5);
    harness.Player().Stop();
    harness.Settle();
    EXPECT_EQ(harness.Notices().size(), 0);
    EXPECT_LT(harness.Frames().size() / 2, size_t(5 * 75 * F));

    ASSERT_TRUE(harness.Player().Play(longFrom, longTo, true));
    QTest::qWait(5);
    harness.Player().Close();
    harness.Settle();
    EXPECT_EQ(harness.Notices().size(), 0);
}

TEST_F(CdAudioPlayerNoticeTest, StopThenPlayNotifiesTheNewPlayOnly)
{
    ASSERT_TRUE(harness.Player().Play(longFrom, longTo, true));
    QTest::qWait(5);
    harness.Player().Stop();
    harness.Frames();
    ASSERT_TRUE(harness.Player().Play(shortFrom, shortTo, true));
    const std::vector<qint16> frames = harness.WaitForEnd();
    harness.Settle();
    EXPECT_EQ(harness.Notices().size(), 1);
    ASSERT_EQ(frames.size() / 2, size_t(8 * F));
    EXPECT_EQ(FramePosition(frames[0], frames[1]), 75 * F);
}

TEST_F(CdAudioPlayerNoticeTest, ANewPlayDropsTheNoticeOfTheOneItReplaced)
{
    // The first play's end is posted but not yet delivered when the second starts.
    ASSERT_TRUE(harness.Player().Play(shortFrom, shortTo, true));
    ASSERT_TRUE(harness.WaitForPlayedOutWithoutEvents(1));
    ASSERT_EQ(harness.Notices().size(), 0);
    ASSERT_TRUE(harness.Player().Play(shortFrom, shortTo, true));
    harness.WaitForEnd();
    harness.Settle();
    EXPECT_EQ(harness.Notices().size(), 1);
}

TEST_F(CdAudioPlayerNoticeTest, NotifyHandlerCanPlayAgain)
{
    // The calibration loop: every notice starts the stretch again.
    int plays = 1;
    QObject::connect(&harness.Player(), &IMediaPlayer::Notify, [&] {
        if (plays++ < 3)
            harness.Player().Play(shortFrom, shortTo, true);
    });
    ASSERT_TRUE(harness.Player().Play(shortFrom, shortTo, true));
    EXPECT_TRUE(QTest::qWaitFor([&] { return harness.Notices().size() == 3; }, 5000));
    harness.Settle();
    EXPECT_EQ(harness.Notices().size(), 3);
    EXPECT_EQ(harness.Frames().size() / 2, size_t(3 * 8 * F));
}

TEST_F(CdAudioPlayerNoticeTest, RefusedPlaysFailWithTheirReasonAndLeaveNoNotice)
{
    struct TCase
    {
        quint32 From, To;
        int Code;
    };
    const TCase cases[] = {
        {MakeTmsf(2, 0, 0), MakeTmsf(2, 0, 1), TCdError::NoSuchTrack},  // no such track
        {MakeTmsf(0, 0, 0), MakeTmsf(1, 0, 1), TCdError::NoSuchTrack},  // track 0
        {MakeTmsf(1, 0, 0), MakeTmsf(3, 0, 1), TCdError::NoSuchTrack},  // end on a missing track
        {MakeTmsf(1, 0, 10), MakeTmsf(1, 0, 10, 1), TCdError::BadPosition}, // start at the track's end
        {MakeTmsf(1, 0, 9), MakeTmsf(1, 0, 10, 1), TCdError::BadPosition},  // end past the track
        {MakeTmsf(1, 0, 3), MakeTmsf(1, 0, 3), TCdError::BadPosition},      // empty
        {MakeTmsf(1, 0, 3), MakeTmsf(1, 0, 2), TCdError::BadPosition},      // backwards
        {MakeTmsf(1, 0, 60), MakeTmsf(1, 1, 1), TCdError::BadPosition},     // 60 seconds
        {MakeTmsf(1, 0, 0, 75), MakeTmsf(1, 0, 2), TCdError::BadPosition},  // 75 frames
    };
    for (const TCase &c : cases) {
        EXPECT_FALSE(harness.Player().Play(c.From, c.To, true)) << c.From << ' ' << c.To;
        EXPECT_EQ(harness.Player().ErrorCode(), c.Code) << c.From << ' ' << c.To;
        EXPECT_FALSE(harness.Player().ErrorText().isEmpty());
    }
    // The whole track, end exclusive, is fine.
    EXPECT_TRUE(harness.Player().Play(MakeTmsf(1, 0, 0), MakeTmsf(1, 0, 10), false));
    EXPECT_EQ(harness.Player().ErrorCode(), 0);
    harness.Player().Stop();
    harness.Settle();
    EXPECT_EQ(harness.Notices().size(), 0);
}

TEST_F(CdAudioPlayerNoticeTest, PlayBeforeOpenOrAfterCloseFails)
{
    harness.Player().Close();
    EXPECT_FALSE(harness.Player().Play(shortFrom, shortTo, true));
    EXPECT_EQ(harness.Player().ErrorCode(), TCdError::NotOpen);
    EXPECT_TRUE(harness.Player().Open());
    EXPECT_TRUE(harness.Player().IsCdPresent());
}

} // namespace
