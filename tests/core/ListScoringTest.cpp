// SPDX-License-Identifier: GPL-3.0-or-later
#include "administration/ListScoring.h"
#include "record/ClientRecord.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

namespace {

using M = TWordMark;
using B = TMarkButton;

TEST(WordMark, ReleasedButtonsChangeTheMark)
{
    const struct
    {
        M before;
        B button;
        M after;
    } cases[] = {
        {M::NotPlayed, B::Left, M::Correct},    {M::Wrong, B::Left, M::Correct},
        {M::Correct, B::Left, M::HalfCorrect},  {M::HalfCorrect, B::Left, M::Correct},
        {M::NotPlayed, B::Right, M::Wrong},     {M::Wrong, B::Right, M::HalfCorrect},
        {M::Correct, B::Right, M::Wrong},       {M::HalfCorrect, B::Right, M::Wrong},
        {M::NotPlayed, B::Other, M::NotPlayed}, {M::Wrong, B::Other, M::Wrong},
        {M::Correct, B::Other, M::Correct},     {M::HalfCorrect, B::Other, M::HalfCorrect},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MarkAfterRelease(c.before, c.button), c.after) << int(c.before) << " " << int(c.button);
}

TEST(WordMark, PlayingAndMarkingAllSetEveryWord)
{
    for (const M mark : PlayedMarks())
        EXPECT_EQ(mark, M::Wrong);
    for (const M mark : AllCorrectMarks())
        EXPECT_EQ(mark, M::Correct);
}

TPageMarks Marks(int sentences, int correct, int half)
{
    TPageMarks marks{};
    int word = 0;
    for (int j = 0; j < sentences; ++j) {
        for (M &mark : marks[j]) {
            mark = word < correct ? M::Correct : word < correct + half ? M::HalfCorrect : M::Wrong;
            ++word;
        }
    }
    return marks;
}

TEST(ListScoring, PracticeListDividesByTwentyFive)
{
    const TListScore score = ComputeListScore(Marks(5, 20, 2), 5, 1.0f);
    EXPECT_EQ(score.Proportion, 0.84f);
    EXPECT_EQ(score.Rau, 84.7513962f);
    EXPECT_EQ(score.Wrau, 84.7513962f);
}

// The RAU constant is 46.4734337, not 146 / pi, which would give exactly 123.
TEST(ListScoring, AllCorrectTestListScoresTheTopOfTheScale)
{
    const TListScore score = ComputeListScore(Marks(10, 50, 0), 10, WrauWeight(0, 10));
    EXPECT_EQ(score.Proportion, 1.0f);
    EXPECT_EQ(score.Rau, 123.000595f);
    EXPECT_EQ(score.Wrau, 136.776657f);
}

TEST(ListScoring, NothingRightScoresTheBottom)
{
    TPageMarks marks{};
    marks[9] = AllCorrectMarks(); // beyond the count: not scored
    const TListScore score = ComputeListScore(marks, 5, WrauWeight(0, 15));
    EXPECT_EQ(score.Proportion, 0.0f);
    EXPECT_EQ(score.Rau, -23.0f);
    EXPECT_EQ(score.Wrau, -14.0760002f);
}

TEST(ListScoring, HalvesCountHalf)
{
    const TListScore score = ComputeListScore(Marks(10, 0, 50), 10, 1.0f);
    EXPECT_EQ(score.Proportion, 0.5f);
    EXPECT_EQ(score.Rau, 50.0002975f);
    // A single half is a score, not nothing.
    EXPECT_EQ(ComputeListScore(Marks(5, 0, 1), 5, 1.0f).Proportion, 0.02f);
}

TEST(ListScoring, WeightsByMdbAndCondition)
{
    EXPECT_EQ(WrauWeight(0, 8), 1.010f);
    EXPECT_EQ(WrauWeight(0, 11), 0.705f);
    EXPECT_EQ(WrauWeight(1, 15), 1.122f);
    EXPECT_EQ(WrauWeight(2, 12), 0.993f);
    EXPECT_EQ(WrauWeight(3, 9), 1.014f);
    for (int m = 0; m < 4; ++m) {
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(WrauWeight(m, c), WrauWeight(m, 8 + c));
    }
    EXPECT_THROW(WrauWeight(4, 0), std::out_of_range);
    EXPECT_THROW(WrauWeight(0, 16), std::out_of_range);
}

// The published table, a row per condition and a column per MDB.
TEST(ListScoring, EveryWeightOfTheTable)
{
    const float table[8][4] = {
        {1.010f, 1.028f, 0.940f, 1.015f}, // H-Sens 15 dB
        {1.002f, 1.009f, 0.960f, 1.014f}, // H-Sens 10 dB
        {1.112f, 0.875f, 1.085f, 0.930f}, // H-Sens 5 dB
        {0.705f, 0.835f, 0.950f, 1.110f}, // H-Sens 0 dB
        {0.960f, 1.005f, 0.993f, 1.036f}, // L-Sens 15 dB
        {0.959f, 1.071f, 1.033f, 0.927f}, // L-Sens 10 dB
        {0.939f, 0.974f, 0.989f, 1.081f}, // L-Sens 5 dB
        {0.612f, 1.122f, 1.013f, 0.978f}, // L-Sens 0 dB
    };
    for (int c = 0; c < 8; ++c) {
        for (int m = 0; m < 4; ++m) {
            EXPECT_EQ(WrauWeights[16 * m + c], table[c][m]) << "MDB " << m + 1 << " condition " << c;
            EXPECT_EQ(WrauWeights[16 * m + 8 + c], table[c][m]) << "MDB " << m + 1 << " condition " << c;
        }
    }
}

TEST(ListScoring, ScoringChangesOnlyThatSlotOfTheCurrentMdb)
{
    TClientRecord record;
    record.InitNewRecord(QDate(2026, 3, 4), QLocale::c());
    record.SetCurrentMdb(2);
    const QByteArray before = record.Image().toByteArray();

    const TListScore score = ScoreListIntoRecord(record, Marks(10, 40, 0), 10, 13);
    EXPECT_EQ(score.Proportion, 0.8f);
    EXPECT_EQ(score.Wrau, score.Rau * 1.033f);
    EXPECT_EQ(record.Mdb(2).Proportion(13), score.Proportion);
    EXPECT_EQ(record.Mdb(2).Rau(13), score.Rau);
    EXPECT_EQ(record.Mdb(2).Wrau(13), score.Wrau);

    QByteArray after = record.Image().toByteArray();
    const int block = 388 + 476 * 2;
    for (const int array : {20, 84, 148})
        after.replace(block + array + 4 * 13, 4, before.mid(block + array + 4 * 13, 4));
    EXPECT_EQ(after, before);
}

} // namespace
