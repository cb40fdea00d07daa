// SPDX-License-Identifier: GPL-3.0-or-later
// A disc image cut short while the player has it open, as when its file is
// truncated during a run: each play still ends with its notice, and the
// notice carries the read error instead of passing for a whole play.
#include "PlayerHarness.h"
#include "TestDisc.h"

#include "cdaudio/Tmsf.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

TEST(CutImage, PlaysEndWithTheReadErrorAndWhatWasThere)
{
    QTemporaryDir folder;
    TestDisc::Write(folder.path(), TestDisc::Binary, {{750, 0, 0}}, false);
    TPlayerHarness harness(QDir(folder.path()).filePath(QStringLiteral("disc.cue")));
    ASSERT_TRUE(harness.Player().Open());
    // Two seconds are left of ten.
    ASSERT_TRUE(QFile::resize(QDir(folder.path()).filePath(QStringLiteral("part0.bin")),
                              150 * CdAudio::BytesPerSector));

    ASSERT_TRUE(harness.Player().Play(MakeTmsf(1, 0, 1), MakeTmsf(1, 0, 4), true));
    const std::vector<qint16> frames = harness.WaitForEnd();
    EXPECT_EQ(harness.Player().ErrorCode(), TCdError::ReadFailed);
    EXPECT_LT(frames.size() / 2, size_t(3 * 75 * CdAudio::FramesPerSector));

    // The next stretch is gone entirely.
    ASSERT_TRUE(harness.Player().Play(MakeTmsf(1, 0, 5), MakeTmsf(1, 0, 7), true));
    EXPECT_TRUE(harness.WaitForEnd().empty());
    EXPECT_EQ(harness.Player().ErrorCode(), TCdError::ReadFailed);
    EXPECT_EQ(harness.Notices().size(), 2);
}

} // namespace
