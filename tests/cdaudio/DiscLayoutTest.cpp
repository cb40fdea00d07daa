// SPDX-License-Identifier: GPL-3.0-or-later
#include "cdaudio/DiscLayout.h"
#include "cdaudio/Tmsf.h"

#include <gtest/gtest.h>

namespace {

// Ten seconds each: two audio tracks, a data track, and audio after it.
const TDiscLayout Layout({{1, 0, 750, true}, {2, 750, 1500, true}, {3, 1500, 2250, false}, {4, 2250, 3000, true}},
                         3000);

TCdError::TCode Refusal(quint32 from, quint32 to)
{
    TCdError error;
    const std::optional<TSectorStretch> stretch = Layout.Resolve(from, to, error);
    EXPECT_EQ(stretch.has_value(), !error.IsError());
    return error.Code;
}

// Each rule on its own: the other positions of a case are all playable.
TEST(DiscLayoutTest, EachBoundaryIsJudgedByItsOwnRule)
{
    // A start at its track's end is refused even when the end is fine.
    EXPECT_EQ(Refusal(MakeTmsf(1, 0, 10), MakeTmsf(2, 0, 5)), TCdError::BadPosition);
    EXPECT_EQ(Refusal(MakeTmsf(1, 0, 9, 74), MakeTmsf(2, 0, 5)), TCdError::None);
    // An end may be its track's end, not one sector past it.
    EXPECT_EQ(Refusal(MakeTmsf(2, 0, 0), MakeTmsf(2, 0, 10)), TCdError::None);
    EXPECT_EQ(Refusal(MakeTmsf(2, 0, 0), MakeTmsf(2, 0, 10, 1)), TCdError::BadPosition);
    // A data track touching the stretch at either side is not played through.
    EXPECT_EQ(Refusal(MakeTmsf(4, 0, 0), MakeTmsf(4, 0, 5)), TCdError::None);
    EXPECT_EQ(Refusal(MakeTmsf(1, 0, 5), MakeTmsf(2, 0, 10)), TCdError::None);
    EXPECT_EQ(Refusal(MakeTmsf(2, 0, 9, 74), MakeTmsf(4, 0, 0, 1)), TCdError::NotAudioDisc);
    EXPECT_EQ(Refusal(MakeTmsf(3, 0, 0), MakeTmsf(4, 0, 1)), TCdError::NotAudioDisc);
}

} // namespace
