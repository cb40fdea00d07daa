// SPDX-License-Identifier: GPL-3.0-or-later
// An image played with its original's fingerprint beside it: a stretch
// changed since it was recorded is not played, and says why; the others
// play as before.
#include "PlayerHarness.h"
#include "TestDisc.h"

#include "cdaudio/CdDevice.h"
#include "cdaudio/DiscFingerprint.h"
#include "cdaudio/Tmsf.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(FingerprintPlay, AStretchChangedSinceItWasRecordedIsNotPlayed)
{
    QTemporaryDir folder;
    const QString sheet = TestDisc::Write(folder.path(), TestDisc::Binary, {{750, 0, 0}}, false).Sheet;
    TCdError error;
    const std::optional<TDiscFingerprint> original = TDiscFingerprint::Record(*OpenDisc(sheet, error), {}, error);
    ASSERT_TRUE(original) << error.Text.toStdString();
    QString reason;
    ASSERT_TRUE(original->Save(TDiscFingerprint::PathFor(sheet), reason)) << reason.toStdString();

    // One sample of second 5 changed.
    QFile bin(QDir(folder.path()).filePath(QStringLiteral("part0.bin")));
    ASSERT_TRUE(bin.open(QIODevice::ReadWrite) && bin.seek(5 * 75 * CdAudio::BytesPerSector + 1000));
    bin.write("\x11\x22");
    bin.close();

    TPlayerHarness harness(sheet);
    ASSERT_TRUE(harness.Player().Open());
    EXPECT_FALSE(harness.Player().Play(MakeTmsf(1, 0, 4), MakeTmsf(1, 0, 6), true));
    EXPECT_EQ(harness.Player().ErrorCode(), TCdError::NotAsRecorded);
    EXPECT_TRUE(harness.Player().ErrorText().contains(QLatin1String("so it is not played")))
        << harness.Player().ErrorText().toStdString();
    ASSERT_TRUE(harness.Player().Play(MakeTmsf(1, 0, 1), MakeTmsf(1, 0, 3), true));
    EXPECT_EQ(harness.WaitForEnd().size(), size_t(2 * 75 * CdAudio::FramesPerSector * 2));
    EXPECT_EQ(harness.Player().ErrorCode(), TCdError::None);

    // A fingerprint that is no fingerprint keeps the image from opening.
    TestDisc::WriteText(TDiscFingerprint::PathFor(sheet), "AVEK disc fingerprint 1\ntrack 1 3 xx\n");
    EXPECT_EQ(OpenDisc(sheet, error), nullptr);
    EXPECT_TRUE(error.Text.contains(QLatin1String("disc.fingerprint is not a disc fingerprint (line 2)")))
        << error.Text.toStdString();
}

} // namespace
