// SPDX-License-Identifier: GPL-3.0-or-later
#include "cdaudio/CdDevice.h"

#include "TestDisc.h"
#include "ToolRun.h"
#include "cdaudio/CdDrive.h"
#include "cdaudio/DiscImage.h"
#include "cdaudio/Tmsf.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <thread>

namespace {

// An image libcdio's own reader takes for a drive: the sound beside the
// sheet, under its name.
TestDisc::TImage WriteDriveImage(const QString &folder)
{
    TestDisc::TImage image = TestDisc::Write(folder, TestDisc::Binary, {{300, 0, 0}, {900, 0, 0}, {150, 0, 0}}, false);
    QFile::rename(QDir(folder).filePath(QStringLiteral("part0.bin")), QDir(folder).filePath(QStringLiteral("disc.bin")));
    TestDisc::WriteText(image.Sheet, "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                     "  TRACK 02 AUDIO\n    INDEX 01 00:04:00\n  TRACK 03 AUDIO\n    INDEX 01 00:16:00\n");
    return image;
}

QByteArray FileHash(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result() : QByteArray();
}

TEST(CdDeviceTest, ReadsTheDeviceFromTheSettingsFile)
{
    QTemporaryDir folder;
    const QString ini = QDir(folder.path()).filePath(QStringLiteral("VEK.INI"));
    EXPECT_EQ(ReadCdDevice(folder.path()), QString());

    TestDisc::WriteText(ini, "[Information]\r\nDataPath=C:\\\r\n[CD]\r\nDevice=\r\n");
    EXPECT_EQ(ReadCdDevice(folder.path()), QString());

    TestDisc::WriteText(ini, "[cd]\r\ndevice=/dev/sr1\r\n");
    EXPECT_EQ(ReadCdDevice(folder.path()), QStringLiteral("/dev/sr1"));

    // A sheet named relative to the start-up folder.
    TestDisc::WriteText(ini, "[CD]\r\nDevice=demo/VEKDEMO.CUE\r\n");
    EXPECT_EQ(ReadCdDevice(folder.path()), QDir(folder.path()).filePath(QStringLiteral("demo/VEKDEMO.CUE")));
    TestDisc::WriteText(ini, "[CD]\r\nDevice=/discs/a.cue\r\n");
    EXPECT_EQ(ReadCdDevice(folder.path()), QStringLiteral("/discs/a.cue"));
}

TEST(CdDeviceTest, ADriveThatIsNotThereIsAnError)
{
    TCdError error;
    EXPECT_EQ(OpenDisc(QStringLiteral("/nonexistent/sr9"), error), nullptr);
    EXPECT_EQ(error.Code, TCdError::NoDrive);
    EXPECT_TRUE(error.Text.contains(QLatin1String("/nonexistent/sr9")));
}

// libcdio's own image reader stands in for a drive: through paranoia and
// the read-ahead, a play's reads give what the image holds, also after a
// jump back and a pause in which the read-ahead filled.
TEST(CdDeviceTest, ADriveReadsWhatTheDiscHoldsAheadOfThePlay)
{
    QTemporaryDir folder;
    const TestDisc::TImage image = WriteDriveImage(folder.path());
    TCdError error;
    const auto drive = TCdDrive::Open(image.Sheet, error, TCdDrive::CueImage);
    ASSERT_NE(drive, nullptr) << error.Text.toStdString();
    drive->StartReadAhead();
    const auto disc = TDiscImage::Open(image.Sheet, error);
    ASSERT_EQ(drive->Layout().Tracks().size(), 3);
    EXPECT_EQ(drive->Layout().Tracks()[1].Start, image.TrackStarts[1]);
    EXPECT_EQ(drive->Layout().SectorCount(), disc->Layout().SectorCount());

    constexpr int Chunk = 8;
    std::vector<qint16> read(Chunk * CdAudio::FramesPerSector * 2), expected(read.size());
    for (const qint64 start : {qint64(290), qint64(100), qint64(1100)}) {
        for (qint64 sector = start; sector < std::min<qint64>(start + 400, 1200 - Chunk); sector += Chunk) {
            ASSERT_TRUE(drive->ReadSectors(sector, Chunk, read.data(), error)) << error.Text.toStdString();
            ASSERT_TRUE(disc->ReadSectors(sector, Chunk, expected.data(), error));
            ASSERT_EQ(read, expected) << "sector " << sector;
            if (sector == start + 80)
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    }
}

// What the drive gives must come out byte for byte, and a later change to
// the copy must be found.
TEST(CdDeviceTest, ImportDiscCopiesTheDiscExactlyAndItsCheckFindsAChangedSector)
{
    QTemporaryDir folder;
    const TestDisc::TImage image = WriteDriveImage(folder.path());
    const QString target = QDir(folder.path()).filePath(QStringLiteral("rip"));
    TToolRun run = RunTool({QStringLiteral("import-disc"), image.Sheet, target});
    ASSERT_EQ(run.Code, ExitOk) << run.Err.toStdString();
    const QString bin = QDir(target).filePath(QStringLiteral("VEK.bin"));
    EXPECT_EQ(FileHash(bin), FileHash(QDir(folder.path()).filePath(QStringLiteral("disc.bin"))));
    QFile sums(QDir(target).filePath(QStringLiteral("VEK.sha256")));
    ASSERT_TRUE(sums.open(QIODevice::ReadOnly));
    EXPECT_TRUE(sums.readAll().startsWith(FileHash(bin).toHex() + "  VEK.bin\n"));

    TCdError error;
    const auto copy = TDiscImage::Open(QDir(target).filePath(QStringLiteral("VEK.cue")), error);
    ASSERT_NE(copy, nullptr) << error.Text.toStdString();
    ASSERT_EQ(copy->Layout().Tracks().size(), 3);
    for (qsizetype t = 0; t < 3; ++t) {
        EXPECT_EQ(copy->Layout().Tracks()[t].Number, t + 1);
        EXPECT_EQ(copy->Layout().Tracks()[t].Start, image.TrackStarts[t]);
    }

    run = RunTool({QStringLiteral("import-disc"), QStringLiteral("--check"), image.Sheet, target});
    EXPECT_EQ(run.Code, ExitOk) << run.Err.toStdString();
    // The fingerprint of what the drive gave holds the copy to it.
    const QString sheet = QDir(target).filePath(QStringLiteral("VEK.cue"));
    ASSERT_TRUE(QFile::exists(QDir(target).filePath(QStringLiteral("VEK.fingerprint"))));
    const auto verified = [&] {
        const auto played = OpenDisc(sheet, error);
        const auto stretch = played->Layout().Resolve(MakeTmsf(2, 0, 8), MakeTmsf(2, 0, 10), error);
        return played->VerifyStretch(*stretch, error);
    };
    EXPECT_TRUE(verified()) << error.Text.toStdString();
    QFile changed(bin);
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite) && changed.seek(1000 * CdAudio::BytesPerSector + 7));
    changed.write("\x55");
    changed.close();
    run = RunTool({QStringLiteral("import-disc"), QStringLiteral("--check"), image.Sheet, target});
    EXPECT_EQ(run.Code, ExitBadInput);
    EXPECT_TRUE(run.Err.contains(QLatin1String("1 sector of"))) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains(QLatin1String(": 1000 (track 2 at 0:09)"))) << run.Err.toStdString();
    EXPECT_FALSE(verified());
    EXPECT_TRUE(error.Text.contains(QLatin1String("differs from the original disc in its samples")))
        << error.Text.toStdString();

    run = RunTool({QStringLiteral("import-disc"), QStringLiteral("/nonexistent/sr9"), target});
    EXPECT_EQ(run.Code, ExitBadInput);
    EXPECT_TRUE(run.Err.contains(QLatin1String("/nonexistent/sr9"))) << run.Err.toStdString();
}

} // namespace
