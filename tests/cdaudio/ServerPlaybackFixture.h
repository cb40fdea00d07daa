// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ServerPlayback.h"

#include <gtest/gtest.h>

// Plays through the private sound server the test was started with, or
// skips saying why there is none.
class TServerPlaybackFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const QString why = TServerPlayback::Unavailable(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        QString error;
        ASSERT_TRUE(playback.Open(error)) << error.toStdString();
    }

    TServerPlayback playback;
};
