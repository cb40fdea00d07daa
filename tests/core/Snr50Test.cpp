// SPDX-License-Identifier: GPL-3.0-or-later
#include "administration/Snr50.h"
#include "record/ClientRecord.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr float U = -99.0f;

struct TEstimate
{
    float w[4];
    qint32 expected;

    friend void PrintTo(const TEstimate &p, std::ostream *os) { *os << p.w[0] << ", " << p.w[1] << ", " << p.w[2] << ", " << p.w[3]; }
};

class Snr50 : public ::testing::TestWithParam<TEstimate>
{
};

TEST_P(Snr50, Estimates)
{
    const TEstimate e = GetParam();
    EXPECT_EQ(EstimateSnr50(e.w[0], e.w[1], e.w[2], e.w[3]), e.expected)
        << e.w[0] << ", " << e.w[1] << ", " << e.w[2] << ", " << e.w[3];
}

std::string Name(const ::testing::TestParamInfo<TEstimate> &info)
{
    std::string name;
    for (const float v : info.param.w)
        name += (v == U ? std::string("U") : (v < 0 ? "m" : "") + std::to_string(int(std::abs(v)))) + "_";
    return name + "gives_" + (info.param.expected < 0 ? "m" : "") + std::to_string(std::abs(info.param.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, Snr50,
    ::testing::Values(TEstimate{{U, U, U, U}, -99},
                      // one tested value: only exactly 50 says something
                      TEstimate{{U, U, U, 50}, 15}, TEstimate{{U, U, U, 70}, -9}, TEstimate{{50, U, U, U}, 0},
                      // nothing usable at or above -20; -20 itself is usable
                      TEstimate{{-21, -30, U, U}, -10}, TEstimate{{-20, -30, U, U}, -4},
                      // all at or above 50: the lowest usable SNR
                      TEstimate{{60, 70, 80, 90}, -8}, TEstimate{{U, 60, 70, 80}, -7}, TEstimate{{50, 50, 50, 50}, -8},
                      // all at or below 50: the highest usable SNR
                      TEstimate{{10, 20, 30, 40}, -1}, TEstimate{{10, 20, 30, U}, -2}, TEstimate{{10, 20, -25, -30}, -3},
                      // not monotonic
                      TEstimate{{20, 60, 40, 80}, -9}, TEstimate{{20, 40, 40, 80}, -9},
                      // the order of the checks: one tested value decides before
                      // usability, monotony before an exact 50
                      TEstimate{{-30, U, U, U}, -9}, TEstimate{{50, 40, 60, U}, -9}),
    Name);

INSTANTIATE_TEST_SUITE_P(
    Interpolation, Snr50,
    ::testing::Values(TEstimate{{20, 40, 60, 80}, 7}, TEstimate{{U, 30, 40, 60}, 11}, TEstimate{{U, 50, 60, 70}, -7},
                      TEstimate{{30, 50, 70, U}, 5}, TEstimate{{80, 60, 40, 20}, 7},
                      // the outermost usable points, not the two around 50
                      TEstimate{{0, 10, 90, 100}, 7},
                      // a value below -20 takes no part in the line, and the
                      // line is followed beyond its points
                      TEstimate{{-30, 40, 60, U}, 7}, TEstimate{{-30, U, 70, 80}, 0},
                      // the slope 15 / 9 is rounded to single precision, just
                      // below 5 / 3: 3 x 1.66666663 = 4.9999999, not 5
                      TEstimate{{47, U, U, 56}, 4}),
    Name);

// A 0 % list at 0 dB weighs in below -20 (-23 x 1.122 = -25.8), so the line
// runs through the usable points above 50 only and can cross 50 below 0 dB.
// Such an estimate must not come back as a code: -25, 56, 60, 64 crosses at
// 5 + (50 - 56) x 10 / 8 = -2.5, which would read "> 10" although 5 dB already
// scored 56; -25, 70, 80, 90 crosses at -5 ("< 15"); -25, 90, 95, 100 at -35.
INSTANTIATE_TEST_SUITE_P(
    BelowTheTestedRange, Snr50,
    ::testing::Values(TEstimate{{-25, 56, 60, 64}, -9}, TEstimate{{-25, 70, 80, 90}, -9},
                      TEstimate{{-25, 90, 95, 100}, -9}, TEstimate{{-25.8f, 80, U, 90}, -9},
                      // a crossing that truncates to 0 dB (-0.5 here) is still an estimate
                      TEstimate{{-25, 54, 58, 62}, 0}, TEstimate{{-25, 55.5f, 60, 65.5f}, 0}),
    Name);

// The line through one usable point has no slope: no estimate, no division.
TEST(Snr50Estimate, OneUsablePointGivesNoEstimate)
{
    EXPECT_EQ(EstimateSnr50(-30.0f, 60.0f, U, U), -9);
    EXPECT_EQ(EstimateSnr50(U, -25.0f, U, 55.0f), -9);
}

TEST(Snr50Estimate, DamagedScoresNeverFail)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(EstimateSnr50(nan, nan, nan, nan), -10);
    EXPECT_EQ(EstimateSnr50(-30.0f, 49.999996f, 50.000004f, U), 7);
    // A damaged score is never part of an estimate: "err", not a number.
    EXPECT_EQ(EstimateSnr50(20.0f, inf, U, U), -10);
    EXPECT_EQ(EstimateSnr50(30.0f, nan, 70.0f, 90.0f), -10);
    EXPECT_EQ(EstimateSnr50(U, U, -inf, 80.0f), -10);
    EXPECT_EQ(EstimateSnr50(-1e30f, 1e30f, U, U), -9);
}

TEST(Snr50Estimate, RecomputesBothSetsOfEveryBlock)
{
    TClientRecord record;
    record.InitNewRecord(QDate(2026, 3, 4), QLocale::c());
    TMdbBlock block = record.Mdb(3);
    // H-Sens: slots 11, 10, 9, 8 are 0, 5, 10, 15 dB; L-Sens: slots 15..12.
    // Neither set reads the same backwards (60, 40, 30 would give 3; 30, 20, 10
    // from 5 dB up would give -1).
    block.SetWrau(10, 30.0f);
    block.SetWrau(9, 40.0f);
    block.SetWrau(8, 60.0f);
    block.SetWrau(15, 10.0f);
    block.SetWrau(14, 20.0f);
    block.SetWrau(13, 30.0f);
    record.Mdb(2).SetWrau(12, 30.0f);
    record.Mdb(0).SetSnr50Low(5);
    RecomputeSnr50(record);
    EXPECT_EQ(record.Mdb(3).Snr50High(), 11);
    EXPECT_EQ(record.Mdb(3).Snr50Low(), -2);
    EXPECT_EQ(record.Mdb(2).Snr50Low(), -9);
    EXPECT_EQ(record.Mdb(0).Snr50Low(), -99);
}

} // namespace
