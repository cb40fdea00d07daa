// SPDX-License-Identifier: GPL-3.0-or-later
#include "administration/ListScoring.h"
#include "administration/ScoreCheck.h"
#include "record/ClientRecord.h"
#include "record/ScoreFormat.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using ScoreCheck::IsPossible;
using ScoreCheck::TMeasure;

constexpr float Nan = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

// Every list's scores pass, the edges included; nothing beyond them does.
TEST(ScoreCheck, OnlyWhatAListCanGiveIsAScore)
{
    const float rau1 = RauOf(1.0f);
    for (int mdb = 0; mdb < 4; ++mdb) {
        for (int slot = 0; slot < 16; ++slot) {
            const float weight = WrauWeight(mdb, slot);
            EXPECT_TRUE(IsPossible(TMeasure::Wrau, -23.0f * weight, mdb, slot));
            EXPECT_TRUE(IsPossible(TMeasure::Wrau, rau1 * weight, mdb, slot));
            EXPECT_FALSE(IsPossible(TMeasure::Wrau, std::nextafter(rau1 * weight, Inf), mdb, slot));
            EXPECT_FALSE(IsPossible(TMeasure::Wrau, std::nextafter(-23.0f * weight, -Inf), mdb, slot));
        }
    }
    EXPECT_TRUE(IsPossible(TMeasure::Proportion, 0.0f, 0, 8) && IsPossible(TMeasure::Proportion, 1.0f, 0, 8));
    EXPECT_TRUE(IsPossible(TMeasure::Rau, -23.0f, 0, 8) && IsPossible(TMeasure::Rau, rau1, 0, 8));
    EXPECT_FALSE(IsPossible(TMeasure::Rau, std::nextafter(rau1, Inf), 0, 8));
    for (const float odd : {Nan, Inf, -Inf, 1e38f, -1e38f}) {
        for (const TMeasure measure : {TMeasure::Proportion, TMeasure::Rau, TMeasure::Wrau})
            EXPECT_FALSE(IsPossible(measure, odd, 1, 9)) << odd;
    }
    EXPECT_FALSE(IsPossible(TMeasure::Proportion, -50.0f, 1, 9) || IsPossible(TMeasure::Proportion, 5.0f, 1, 9));
}

TEST(ScoreCheck, ImpossibleScoresAreShownAsErrAndNamedOnce)
{
    TClientRecord record;
    record.InitNewRecord(QDate(2026, 1, 2), QLocale::c());
    EXPECT_EQ(ScoreCheck::ImpossibleScores(record), "");
    TMdbBlock block = record.Mdb(1);
    block.SetProportion(9, 0.5f);
    block.SetRau(9, Nan);
    block.SetWrau(9, 50.0f);
    record.Mdb(3).SetProportion(15, -50.0f);
    // An untested list holds no score, whatever else its slot holds.
    record.Mdb(0).SetRau(8, Inf);
    EXPECT_EQ(ScoreCheck::ImpossibleScores(record), "MDB 2 H-Sens 10 dB SNR, MDB 4 L-Sens 0 dB SNR");
    const QLocale c = QLocale::c();
    EXPECT_EQ(ScoreCheck::Text(record.Mdb(1), 1, 9, TMeasure::Proportion, PrintScore, c), "50.00");
    EXPECT_EQ(ScoreCheck::Text(record.Mdb(1), 1, 9, TMeasure::Rau, PrintScore, c), "err");
    EXPECT_EQ(ScoreCheck::Text(record.Mdb(1), 1, 9, TMeasure::Wrau, ScreenScore, c), "50.00");
    EXPECT_EQ(ScoreCheck::Text(record.Mdb(3), 3, 15, TMeasure::Proportion, ScreenScore, c), "err");
}

} // namespace
