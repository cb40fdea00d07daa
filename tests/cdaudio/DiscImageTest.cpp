// SPDX-License-Identifier: GPL-3.0-or-later
#include "OddFiles.h"
#include "TestDisc.h"

#include "cdaudio/ByteOrderProbe.h"
#include "cdaudio/CdAudioPlayer.h"
#include "cdaudio/DiscImage.h"
#include "cdaudio/NullSink.h"
#include "cdaudio/Tmsf.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>

#include <sndfile.h>

#include <cmath>

namespace {

using TestDisc::FramePosition;

constexpr qint64 F = CdAudio::FramesPerSector;

// Track 2 has its gap in the file; track 3 both in the file and as PREGAP.
const QList<TestDisc::TTrack> GappedTracks = {{150, 0, 0}, {300, 38, 0}, {75, 20, 10}};

// Every track starts where it was written, and the sound runs on across
// each track boundary frame by frame; only PREGAP sectors are silent.
void ExpectPlaysExactly(const QString &sheet, const TestDisc::TImage &image, const QList<TestDisc::TTrack> &tracks)
{
    TCdError error;
    const auto disc = TDiscImage::Open(sheet, error);
    ASSERT_NE(disc, nullptr) << error.Text.toStdString();
    ASSERT_EQ(disc->Layout().Tracks().size(), tracks.size());
    for (int t = 0; t < tracks.size(); ++t) {
        const int number = t + 1;
        const auto start = disc->Layout().Resolve(MakeTmsf(number, 0, 0), MakeTmsf(number, 0, 1), error);
        ASSERT_TRUE(start) << error.Text.toStdString();
        EXPECT_EQ(start->First, image.TrackStarts[t]) << "track " << number;
        if (t == 0)
            continue;
        // From 50 sectors before the track's first gap to 10 into the track.
        const qint64 gap = tracks[t].GeneratedGap;
        const qint64 first = image.TrackStarts[t] - tracks[t].FileGap - gap - 50;
        const int count = int(image.TrackStarts[t] + 10 - first);
        std::vector<qint16> frames(size_t(count) * F * 2);
        ASSERT_TRUE(disc->ReadSectors(first, count, frames.data(), error)) << error.Text.toStdString();
        const qint64 silenceFrom = (first + 50) * F, silenceTo = (first + 50 + gap) * F;
        for (qint64 i = 0; i < count * F; ++i) {
            const qint64 frame = first * F + i;
            const std::optional<qint64> expected =
                frame >= silenceFrom && frame < silenceTo ? std::nullopt : std::optional<qint64>(frame);
            ASSERT_EQ(FramePosition(frames[2 * i], frames[2 * i + 1]), expected)
                << "track " << number << " frame " << i;
        }
    }
}

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

TEST_F(DiscImageTest, GapsAppendedToThePreviousTracksFilePlayExactly)
{
    for (const TestDisc::TFormat format : {TestDisc::Binary, TestDisc::Wave}) {
        QTemporaryDir disc;
        const TestDisc::TImage image = TestDisc::Write(disc.path(), format, GappedTracks, TestDisc::GapAppended);
        ExpectPlaysExactly(image.Sheet, image, GappedTracks);
    }
}

// Each form rewrites a plain sheet and the files beside it.
TEST_F(DiscImageTest, SheetsAsRippersOnOtherSystemsWriteThemPlayExactly)
{
    struct TForm
    {
        const char *Name;
        TestDisc::TFiles Files;
        std::function<QByteArray(const QString &folder, const QByteArray &sheet)> Rewrite;
    };
    const auto moveFile = [](const QString &folder, const char *from, const QString &to) {
        QDir(folder).mkpath(QFileInfo(QDir(folder).filePath(to)).path());
        ASSERT_TRUE(QFile::rename(QDir(folder).filePath(QLatin1String(from)), QDir(folder).filePath(to)));
    };
    const TForm forms[] = {
        {"lower-case keywords", TestDisc::FilePerTrack,
         [](const QString &, const QByteArray &s) { return s.toLower(); }},
        {"mixed-case keywords", TestDisc::OneFile,
         [](const QString &, QByteArray s) {
             return s.replace("FILE", "File")
                 .replace("TRACK", "Track")
                 .replace("INDEX", "iNdEx")
                 .replace("AUDIO", "audio");
         }},
        {"BOM, CRLF, REM, FLAGS", TestDisc::FilePerTrack,
         [](const QString &, QByteArray s) {
             return "\xEF\xBB\xBFREM GENRE Speech\nCATALOG 0000000000000\n" +
                    s.replace("AUDIO\n", "AUDIO\n    FLAGS DCP\n    ISRC XXXXX0000000\n").replace("\n", "\r\n");
         }},
        {"Windows path in other case", TestDisc::OneFile,
         [&](const QString &folder, QByteArray s) {
             moveFile(folder, "part0.bin", QStringLiteral("Audio/part0.bin"));
             return s.replace("\"part0.bin\"", "\"audio\\PART0.BIN\"");
         }},
        {"Windows folder of the ripping machine", TestDisc::OneFile,
         [](const QString &, QByteArray s) { return s.replace("\"part0.bin\"", "\"C:\\Rips\\VEK\\part0.bin\""); }},
        {"Windows-1252 file names", TestDisc::FilePerTrack,
         [&](const QString &folder, QByteArray s) {
             for (const char *name : {"part0.bin", "part1.bin", "part2.bin"})
                 moveFile(folder, name, QStringLiteral("H\u00f6rtest %1").arg(QLatin1String(name)));
             return s.replace("\"part", "\"H\xF6rtest part");
         }},
    };
    for (const TForm &form : forms) {
        SCOPED_TRACE(form.Name);
        QTemporaryDir disc;
        const TestDisc::TImage image = TestDisc::Write(disc.path(), TestDisc::Binary, GappedTracks, form.Files);
        QFile sheet(image.Sheet);
        ASSERT_TRUE(sheet.open(QIODevice::ReadOnly));
        const QByteArray text = sheet.readAll();
        sheet.close();
        TestDisc::WriteText(image.Sheet, form.Rewrite(disc.path(), text));
        ExpectPlaysExactly(image.Sheet, image, GappedTracks);
    }
}

TEST_F(DiscImageTest, ABinaryFileCutInsideASectorIsPaddedWithSilenceAndSaysSo)
{
    const TestDisc::TImage image = TestDisc::Write(folder.path(), TestDisc::Binary, {{75, 0, 0}, {75, 0, 0}}, false);
    QFile::resize(Path("part0.bin"), 150 * CdAudio::BytesPerSector - 1001);
    TCdError error;
    const auto disc = TDiscImage::Open(image.Sheet, error);
    ASSERT_NE(disc, nullptr) << error.Text.toStdString();
    EXPECT_EQ(disc->Layout().SectorCount(), 150);
    ASSERT_EQ(disc->Notes().size(), 1);
    EXPECT_TRUE(disc->Notes()[0].contains(QLatin1String("part0.bin"))) << disc->Notes()[0].toStdString();
    std::vector<qint16> frames(F * 2);
    ASSERT_TRUE(disc->ReadSectors(149, 1, frames.data(), error));
    // 1001 bytes are 250 frames and one byte: 251 frames are silent or cut.
    EXPECT_EQ(FramePosition(frames[2 * (F - 252)], frames[2 * (F - 252) + 1]), 150 * F - 252);
    for (qint64 i = F - 250; i < F; ++i)
        ASSERT_EQ(FramePosition(frames[2 * i], frames[2 * i + 1]), std::nullopt) << i;
}

TEST_F(DiscImageTest, PostgapIsSilenceAfterItsTrack)
{
    TestDisc::Write(folder.path(), TestDisc::Binary, {{75, 0, 0}, {75, 0, 0}}, false);
    WriteSheet("FILE \"part0.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n    POSTGAP 00:00:10\n"
               "  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n    POSTGAP 00:00:05\n");
    TCdError error;
    const auto disc = TDiscImage::Open(Path("disc.cue"), error);
    ASSERT_NE(disc, nullptr) << error.Text.toStdString();
    EXPECT_EQ(disc->Layout().Tracks()[1].Start, 85);
    EXPECT_EQ(disc->Layout().SectorCount(), 165);
    std::vector<qint16> frames(F * 2);
    const std::pair<qint64, std::optional<qint64>> sectors[] = {
        {74, 74 * F}, {75, std::nullopt}, {84, std::nullopt}, {85, 75 * F}, {160, std::nullopt}};
    for (const auto &[sector, position] : sectors) {
        ASSERT_TRUE(disc->ReadSectors(sector, 1, frames.data(), error));
        EXPECT_EQ(FramePosition(frames[0], frames[1]), position) << sector;
    }
}

TEST_F(DiscImageTest, TrackNumbersAreTheSheetsOwn)
{
    TestDisc::Write(folder.path(), TestDisc::Binary, {{75, 0, 0}, {75, 0, 0}, {75, 0, 0}}, false);
    WriteSheet("FILE \"part0.bin\" BINARY\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n"
               "  TRACK 03 AUDIO\n    INDEX 01 00:01:00\n  TRACK 05 AUDIO\n    INDEX 01 00:02:00\n");
    TCdError error;
    const auto disc = TDiscImage::Open(Path("disc.cue"), error);
    ASSERT_NE(disc, nullptr) << error.Text.toStdString();
    for (const int missing : {1, 4, 6}) {
        EXPECT_FALSE(disc->Layout().Resolve(MakeTmsf(missing, 0, 0), MakeTmsf(missing, 0, 1), error));
        EXPECT_EQ(error.Code, TCdError::NoSuchTrack) << missing;
    }
    const std::pair<int, qint64> starts[] = {{2, 0}, {3, 75}, {5, 150}};
    for (const auto &[number, start] : starts) {
        const auto stretch = disc->Layout().Resolve(MakeTmsf(number, 0, 0), MakeTmsf(number, 0, 1), error);
        ASSERT_TRUE(stretch) << error.Text.toStdString();
        EXPECT_EQ(stretch->First, start) << number;
    }

    for (const char *tracks :
         {"02 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02", "03 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02"}) {
        WriteSheet("FILE \"part0.bin\" BINARY\n  TRACK " + QByteArray(tracks) + " AUDIO\n    INDEX 01 00:01:00\n");
        EXPECT_TRUE(OpenFails(Path("disc.cue")).Text.contains(QLatin1String("follows"))) << tracks;
    }
}

TEST_F(DiscImageTest, SamplesInTheOtherByteOrderAreRefusedNamingTheFix)
{
    const struct
    {
        TestDisc::TFormat Written;
        const char *Declared, *Fix;
    } cases[] = {{TestDisc::Motorola, "BINARY", "MOTOROLA"}, {TestDisc::Binary, "MOTOROLA", "BINARY"}};
    for (const auto &c : cases) {
        QTemporaryDir disc;
        TestDisc::Write(disc.path(), c.Written, {{75, 0, 0}, {75, 0, 0}}, true);
        const QString sheet = QDir(disc.path()).filePath(QStringLiteral("disc.cue"));
        TestDisc::WriteText(sheet, "FILE part0.bin " + QByteArray(c.Declared) +
                                       "\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n"
                                       "FILE part1.bin " +
                                       QByteArray(c.Written == TestDisc::Binary ? "BINARY" : "MOTOROLA") +
                                       "\n TRACK 02 AUDIO\n  INDEX 01 00:00:00\n");
        TCdError error;
        const auto image = TDiscImage::Open(sheet, error);
        ASSERT_NE(image, nullptr) << error.Text.toStdString();
        EXPECT_FALSE(image->Layout().Resolve(MakeTmsf(1, 0, 0), MakeTmsf(1, 0, 1), error));
        EXPECT_TRUE(error.Text.contains(QLatin1String("part0.bin")) && error.Text.contains(QLatin1String(c.Fix)))
            << error.Text.toStdString();
        // Across into the bad file, too; the good file plays.
        EXPECT_FALSE(image->Layout().Resolve(MakeTmsf(1, 0, 0), MakeTmsf(2, 0, 1), error));
        EXPECT_TRUE(image->Layout().Resolve(MakeTmsf(2, 0, 0), MakeTmsf(2, 0, 1), error)) << error.Text.toStdString();
    }
}

TEST(ByteOrderProbeTest, TellsRecordedSoundFromItsByteSwappedNoise)
{
    // A quiet voice-like mix of tones with a little noise.
    QByteArray little(4 * 44100, '\0'), big(little.size(), '\0');
    quint32 noise = 1;
    for (qsizetype f = 0; f < little.size() / 4; ++f)
        for (int c = 0; c < 2; ++c) {
            noise = noise * 1664525 + 1013904223;
            const double t = double(f) / 44100;
            const auto v = qint16(900 * std::sin(2 * M_PI * 220 * t) + 300 * std::sin(2 * M_PI * 1900 * t + c) +
                                  int(noise >> 26) - 32);
            const qsizetype at = 4 * f + 2 * c;
            little[at] = char(v & 0xFF), little[at + 1] = char(v >> 8 & 0xFF);
            big[at] = little[at + 1], big[at + 1] = little[at];
        }
    EXPECT_EQ(ByteOrderProbe::Guess(little), ByteOrderProbe::LittleEndian);
    EXPECT_EQ(ByteOrderProbe::Guess(big), ByteOrderProbe::BigEndian);
    EXPECT_EQ(ByteOrderProbe::Guess(QByteArray(4000, '\0')), std::nullopt);
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

    // Cut before the second track starts.
    QFile::copy(Path("whole.bin"), Path("part0.bin"));
    QFile::resize(Path("part0.bin"), 75 * CdAudio::BytesPerSector);
    EXPECT_TRUE(OpenFails(Path("disc.cue")).Text.contains(QLatin1String("part0.bin")));

    WriteSheet("FILE \"song.mp3\" MP3\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    EXPECT_TRUE(OpenFails(Path("disc.cue")).Text.contains(QLatin1String("song.mp3")));
}

// A sheet, or a file it names, that is a FIFO or a device would hang the
// player or grow without bound.
TEST_F(DiscImageTest, SheetsAndTrackFilesThatAreNoFilesAreRefusedAtOnce)
{
    const QDir dir(folder.path());
    for (const QString &sheet : MakeOddFiles(dir, QStringLiteral("disc.cue")))
        ReturnsAtOnce([&] { EXPECT_TRUE(OpenFails(sheet).Text.contains(QLatin1String(", not a file"))); });
    for (const char *type : {"BINARY", "WAVE"}) {
        for (const QString &track : MakeOddFiles(dir, QString::fromLatin1(type))) {
            WriteSheet("FILE \"" + QFileInfo(track).fileName().toUtf8() + "\" " + type
                       + "\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
            ReturnsAtOnce([&] {
                const TCdError error = OpenFails(Path("disc.cue"));
                EXPECT_TRUE(error.Text.contains(QLatin1String(", not a file"))) << error.Text.toStdString();
            });
        }
    }
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

    // 24-bit samples are named as such.
    info.samplerate = CdAudio::SampleRate;
    info.channels = CdAudio::Channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    file = sf_open(QFile::encodeName(Path("voice.wav")).constData(), SFM_WRITE, &info);
    sf_writef_short(file, samples.data(), sf_count_t(samples.size() / 2));
    sf_close(file);
    EXPECT_TRUE(OpenFails(Path("disc.cue")).Text.contains(QLatin1String("24-bit")));

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
