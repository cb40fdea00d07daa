#include "TestDisc.h"

#include "cdaudio/CdAudioPlayer.h"
#include "cdaudio/DiscImage.h"
#include "cdaudio/NullSink.h"
#include "cdaudio/Tmsf.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sndfile.h>

namespace {

class DiscImageTest : public ::testing::Test
{
protected:
    QString Path(const char *name) const { return QDir(folder.path()).filePath(QString::fromLatin1(name)); }

    // Opening must fail; returns the error for the caller's checks.
    TCdError OpenFails(const QString &sheet)
    {
        TCdError error;
        EXPECT_EQ(TDiscImage::Open(sheet, error), nullptr);
        EXPECT_TRUE(error.IsError());
        return error;
    }

    void WriteSheet(const QByteArray &text) { TestDisc::WriteText(Path("disc.cue"), text); }

    QTemporaryDir folder;
};

TEST_F(DiscImageTest, LaysOutTracksWithGapsAsADriveWould)
{
    const TestDisc::TImage image =
        TestDisc::Write(folder.path(), TestDisc::Binary, {{150, 0, 0}, {300, 38, 75}, {75, 0, 10}}, false);
    TCdError error;
    const auto disc = TDiscImage::Open(image.Sheet, error);
    ASSERT_NE(disc, nullptr) << error.Text.toStdString();
    const QList<TDiscTrack> &tracks = disc->Layout().Tracks();
    ASSERT_EQ(tracks.size(), 3);
    EXPECT_EQ(tracks[0].Start, 0);
    EXPECT_EQ(tracks[0].End, 150 + 75 + 38);
    EXPECT_EQ(tracks[1].Start, image.TrackStarts[1]);
    EXPECT_EQ(tracks[2].Start, 150 + 75 + 38 + 300 + 10);
    EXPECT_EQ(tracks[2].End, disc->Layout().SectorCount());
    EXPECT_EQ(disc->Layout().SectorCount(), 150 + 75 + 38 + 300 + 10 + 75);

    // Nothing outside the disc is read.
    std::vector<qint16> frames(2 * CdAudio::FramesPerSector * 2);
    EXPECT_FALSE(disc->ReadSectors(disc->Layout().SectorCount() - 1, 2, frames.data(), error));
    EXPECT_EQ(error.Code, TCdError::ReadFailed);
    EXPECT_FALSE(disc->ReadSectors(-1, 1, frames.data(), error));
}

TEST_F(DiscImageTest, ReadsSheetsWithWindowsLineEnds)
{
    TestDisc::Write(folder.path(), TestDisc::Binary, {{75, 0, 0}}, false);
    WriteSheet("FILE \"part0.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n");
    TCdError error;
    const auto disc = TDiscImage::Open(Path("disc.cue"), error);
    ASSERT_NE(disc, nullptr) << error.Text.toStdString();
    EXPECT_EQ(disc->Layout().SectorCount(), 75);
}

TEST_F(DiscImageTest, MissingAndNonsenseSheetsAreRefusedWithTheirReason)
{
    TCdError error = OpenFails(Path("missing.cue"));
    EXPECT_EQ(error.Code, TCdError::ImageUnreadable);
    EXPECT_TRUE(error.Text.contains(QLatin1String("missing.cue"))) << error.Text.toStdString();

    const QByteArray sheets[] = {
        "",
        "this is not a cue sheet at all\n",
        QByteArray("\x00\xff\xfe garbage \x01\x02", 14),
        "FILE \"part0.bin\" BINARY\n",                                      // no track
        "FILE \"part0.bin\" BINARY\n  TRACK 01 AUDIO\n",                    // no INDEX 01
        "  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n",                        // no FILE
        "FILE \"part0.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 99:99:99\n",
    };
    TestDisc::Write(folder.path(), TestDisc::Binary, {{75, 0, 0}}, false);
    for (const QByteArray &sheet : sheets) {
        WriteSheet(sheet);
        EXPECT_EQ(OpenFails(Path("disc.cue")).Code, TCdError::ImageUnreadable) << sheet.toStdString();
    }
}

TEST_F(DiscImageTest, PregapsThatAreNoTimeOnADiscAreRefused)
{
    TestDisc::Write(folder.path(), TestDisc::Binary, {{75, 0, 0}}, false);
    // The first one once overflowed the sector count.
    for (const char *pregap : {"999999999999999999:00:00", "100:00:00", "00:60:00", "00:00:75"}) {
        WriteSheet("FILE \"part0.bin\" BINARY\n  TRACK 01 AUDIO\n    PREGAP " + QByteArray(pregap) +
                   "\n    INDEX 01 00:00:00\n");
        const TCdError error = OpenFails(Path("disc.cue"));
        EXPECT_EQ(error.Code, TCdError::ImageUnreadable) << pregap;
        EXPECT_TRUE(error.Text.contains(QLatin1String("PREGAP"))) << error.Text.toStdString();
    }
    WriteSheet("FILE \"part0.bin\" BINARY\n  TRACK 01 AUDIO\n    PREGAP 99:59:74\n    INDEX 01 00:00:00\n");
    TCdError error;
    const auto disc = TDiscImage::Open(Path("disc.cue"), error);
    ASSERT_NE(disc, nullptr) << error.Text.toStdString();
    EXPECT_EQ(disc->Layout().SectorCount(), (99 * 60 + 59) * 75 + 74 + 75);
}

TEST_F(DiscImageTest, MissingTruncatedAndForeignFilesAreRefusedNamingTheFile)
{
    TestDisc::Write(folder.path(), TestDisc::Binary, {{75, 0, 0}, {75, 0, 0}}, false);
    QFile::rename(Path("part0.bin"), Path("whole.bin"));
    TCdError error = OpenFails(Path("disc.cue"));
    EXPECT_EQ(error.Code, TCdError::ImageUnreadable);
    EXPECT_TRUE(error.Text.contains(QLatin1String("part0.bin"))) << error.Text.toStdString();

    // Cut in the middle of a sector, and cut before the second track starts.
    QFile::copy(Path("whole.bin"), Path("part0.bin"));
    QFile::resize(Path("part0.bin"), 75 * CdAudio::BytesPerSector + 100);
    EXPECT_TRUE(OpenFails(Path("disc.cue")).Text.contains(QLatin1String("part0.bin")));
    QFile::resize(Path("part0.bin"), 75 * CdAudio::BytesPerSector);
    EXPECT_TRUE(OpenFails(Path("disc.cue")).Text.contains(QLatin1String("part0.bin")));

    WriteSheet("FILE \"song.mp3\" MP3\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    EXPECT_TRUE(OpenFails(Path("disc.cue")).Text.contains(QLatin1String("song.mp3")));
}

TEST_F(DiscImageTest, SoundFilesMustBeCdAudio)
{
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(QFile::encodeName(Path("voice.wav")).constData(), SFM_WRITE, &info);
    const std::vector<qint16> samples(22050);
    sf_writef_short(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    WriteSheet("FILE \"voice.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    const TCdError error = OpenFails(Path("disc.cue"));
    EXPECT_TRUE(error.Text.contains(QLatin1String("voice.wav"))) << error.Text.toStdString();
    EXPECT_TRUE(error.Text.contains(QLatin1String("22050"))) << error.Text.toStdString();

    // Not sound at all.
    TestDisc::WriteText(Path("voice.wav"), "RIFF but nothing after it");
    EXPECT_TRUE(OpenFails(Path("disc.cue")).Text.contains(QLatin1String("voice.wav")));
}

TEST_F(DiscImageTest, DataTracksCannotBePlayed)
{
    TestDisc::Write(folder.path(), TestDisc::Binary, {{75, 0, 0}, {75, 0, 0}}, false);
    WriteSheet("FILE \"part0.bin\" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n"
               "  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n");
    TCdAudioPlayer player(Path("disc.cue"), [](QString &) { return std::make_unique<TNullSink>(); });
    ASSERT_TRUE(player.Open());
    EXPECT_FALSE(player.Play(MakeTmsf(1, 0, 0), MakeTmsf(1, 0, 1), false));
    EXPECT_EQ(player.ErrorCode(), TCdError::NotAudioDisc);

    WriteSheet("FILE \"part0.bin\" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n");
    EXPECT_EQ(OpenFails(Path("disc.cue")).Code, TCdError::NotAudioDisc);
}

TEST_F(DiscImageTest, PlayerReportsAnUnreadableImageAtOpenAndAsNoDisc)
{
    TCdAudioPlayer player(Path("missing.cue"), [](QString &) { return std::make_unique<TNullSink>(); });
    EXPECT_FALSE(player.IsCdPresent());
    EXPECT_EQ(player.ErrorCode(), TCdError::ImageUnreadable);
    EXPECT_FALSE(player.Open());
    EXPECT_EQ(player.ErrorCode(), TCdError::ImageUnreadable);
    EXPECT_TRUE(player.ErrorText().contains(QLatin1String("missing.cue")));
}

} // namespace
