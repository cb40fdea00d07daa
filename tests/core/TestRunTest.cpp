// SPDX-License-Identifier: GPL-3.0-or-later
// The run without its page: which actions it allows at each moment, and what
// each of them leaves in the record and in the file.
#include "TestMaterial.h"
#include "administration/SentenceMaterial.h"
#include "administration/TestRun.h"
#include "record/ClientRecord.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

constexpr int Mdb2 = 1;

// Keeps a copy of the record at every save, as the file would hold it.
class TKeeperStub : public IRecordKeeper
{
public:
    explicit TKeeperStub(const TClientRecord &record) : m_record(record) {}

    bool SaveRecord() override
    {
        if (SaveFails)
            return false;
        ++Saves;
        File.SetImage(m_record.Image());
        return true;
    }
    void MarkModified() override { Modified = true; }

    bool SaveFails = false;
    int Saves = 0;
    bool Modified = false;
    TClientRecord File;

private:
    const TClientRecord &m_record;
};

class TestRun : public ::testing::Test
{
protected:
    TestRun()
    {
        QByteArray bytes = TestMaterial();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        material.LoadPassages(buffer);
        record.InitNewRecord();
        record.SetCurrentMdb(Mdb2);
    }

    // H-Sens 10 dB (practice slot 1, test slot 9) and whatever else is named.
    void Start(std::initializer_list<int> conditions, bool practice)
    {
        for (const int c : conditions)
            record.Mdb(Mdb2).SetSelected(c, true);
        record.SetPlayPracticeBlock(practice);
        ASSERT_TRUE(run.Start());
    }

    void Play()
    {
        run.PlayStarted();
        run.PlayEnded();
    }

    void PlayAndMoveDown(int times)
    {
        for (int i = 0; i < times; ++i) {
            Play();
            run.MoveDown();
        }
    }

    TRunButtons Buttons() const { return run.Buttons(true); }

    TSentenceMaterial material;
    TClientRecord record;
    TKeeperStub keeper{record};
    TTestRun run{record, material, keeper};
};

// Buttons as Play, MoveUp, MoveDown, Correct, Abort, ViewScores, Done.
TRunButtons B(bool play, bool up, bool down, bool correct, bool abort, bool view, bool done)
{
    return {play, up, down, correct, abort, view, done};
}

TEST_F(TestRun, ButtonsFollowEveryMomentOfTheRun)
{
    Start({1}, true);
    EXPECT_EQ(Buttons(), B(true, false, false, true, true, false, false));
    EXPECT_EQ(run.Buttons(false), B(false, false, false, true, true, false, false));

    run.PlayStarted();
    EXPECT_EQ(Buttons(), B(false, false, false, true, false, false, false));
    run.PlayEnded();
    EXPECT_EQ(Buttons(), B(true, false, true, true, true, false, false));
    EXPECT_EQ(run.MoveDown(), TTestRun::TMoveDown::Sentence);
    EXPECT_EQ(Buttons(), B(true, true, false, true, true, false, false));
    // Marks without a play do not make a sentence played.
    run.MarkAllCorrect();
    EXPECT_EQ(run.MoveDown(), TTestRun::TMoveDown::Refused);
    Play();
    EXPECT_EQ(Buttons(), B(true, true, true, true, true, false, false));

    // Up to a played sentence and down again: at once.
    run.MoveUp();
    EXPECT_EQ(Buttons(), B(true, false, true, true, true, false, false));
    run.MoveDown();
    run.MoveDown();
    PlayAndMoveDown(3);
    EXPECT_EQ(run.CurrentPage(), 2);
    EXPECT_EQ(run.CurrentSentence(), 0);
    EXPECT_EQ(Buttons(), B(true, false, false, true, true, false, false));

    PlayAndMoveDown(9);
    Play();
    EXPECT_EQ(run.MoveDown(), TTestRun::TMoveDown::RunEnded);
    EXPECT_EQ(Buttons(), B(true, true, false, true, false, true, true));
    EXPECT_EQ(run.MoveDown(), TTestRun::TMoveDown::Refused);
}

TEST_F(TestRun, NothingToGiveAllowsOnlyAbort)
{
    EXPECT_TRUE(run.Start());
    EXPECT_FALSE(run.HasRun());
    EXPECT_TRUE(run.NoRunReason().startsWith(QStringLiteral("No condition is selected for MDB 2.")));
    EXPECT_EQ(Buttons(), B(false, false, false, false, true, false, false));
    const QByteArray before = record.Image().toByteArray();
    run.MarkAllCorrect();
    EXPECT_FALSE(run.MarkWord(0, 0, TMarkButton::Left));
    EXPECT_EQ(run.MoveDown(), TTestRun::TMoveDown::Refused);
    run.Abort();
    EXPECT_EQ(record.Image().toByteArray(), before);
    EXPECT_EQ(keeper.Saves, 0);
}

// Each list is scored and saved as it is passed; the last one also saves the
// end of the run, and a failed save rolls that back and stays.
TEST_F(TestRun, ListsAreScoredAndSavedAsTheyArePassed)
{
    Start({1, 7}, false);
    PlayAndMoveDown(10);
    EXPECT_EQ(keeper.Saves, 1);
    EXPECT_FLOAT_EQ(keeper.File.Mdb(Mdb2).Proportion(9), 0.0f);
    // Tested with its score, so that a later run of it warns.
    EXPECT_TRUE(keeper.File.Mdb(Mdb2).Tested(1));
    EXPECT_FALSE(keeper.File.Mdb(Mdb2).Tested(7));

    PlayAndMoveDown(9);
    Play();
    run.MarkAllCorrect();
    keeper.SaveFails = true;
    EXPECT_EQ(run.MoveDown(), TTestRun::TMoveDown::Refused);
    EXPECT_FALSE(record.Mdb(Mdb2).Completed());
    EXPECT_FALSE(run.Ended());
    EXPECT_TRUE(Buttons().MoveDown);

    keeper.SaveFails = false;
    EXPECT_EQ(run.MoveDown(), TTestRun::TMoveDown::RunEnded);
    const TConstMdbBlock saved = keeper.File.Mdb(Mdb2);
    EXPECT_FLOAT_EQ(saved.Proportion(15), 5.0f / 50);
    EXPECT_TRUE(saved.Completed());
    EXPECT_TRUE(saved.Tested(1));
    EXPECT_TRUE(saved.Tested(7));
}

// After the end, going back into the last list or changing its marks
// withdraws the end until the list is scored again.
TEST_F(TestRun, EndIsWithdrawnUntilTheLastListIsScoredAgain)
{
    Start({1}, false);
    PlayAndMoveDown(10);
    ASSERT_TRUE(run.Ended());

    run.MoveUp();
    EXPECT_EQ(Buttons(), B(true, true, true, true, true, false, false));
    EXPECT_EQ(run.MoveDown(), TTestRun::TMoveDown::Sentence);
    EXPECT_EQ(run.MoveDown(), TTestRun::TMoveDown::RunEnded);
    EXPECT_EQ(keeper.Saves, 2);

    // After View Scores or Done too: the same marks again keep the end;
    // other marks withdraw it and leave the record to be saved.
    run.Finish();
    EXPECT_TRUE(run.MarkWord(9, 0, TMarkButton::Other));
    EXPECT_TRUE(run.Finished());
    EXPECT_FALSE(run.MarkWord(8, 0, TMarkButton::Left));
    run.MarkAllCorrect();
    EXPECT_FALSE(run.Ended());
    EXPECT_FALSE(run.Finished());
    EXPECT_TRUE(keeper.Modified);
    run.MoveDown();
    EXPECT_FLOAT_EQ(keeper.File.Mdb(Mdb2).Proportion(9), 5.0f / 50);
    EXPECT_FALSE(run.Finished());

    // A replay discards the marks: not ended while it plays.
    run.PlayStarted();
    EXPECT_FALSE(run.Ended());
    EXPECT_EQ(Buttons(), B(false, false, false, true, false, false, false));
}

// A retest given up puts back the score from before it; the file is written
// only once the run has written it.
TEST_F(TestRun, AbortNeverErasesAScoreFromBeforeTheRun)
{
    TMdbBlock block = record.Mdb(Mdb2);
    block.SetProportion(15, 0.5f);
    block.SetRau(15, 50.0f);
    block.SetWrau(15, 48.0f);
    block.SetTested(7, true);
    block.SetCompleted(true);
    Start({1, 7}, false);
    Play();
    run.Abort();
    EXPECT_EQ(keeper.Saves, 0);
    EXPECT_TRUE(keeper.Modified);
    EXPECT_FALSE(block.Completed());
    EXPECT_FALSE(block.Tested(1));
    EXPECT_TRUE(block.Tested(7));

    keeper.Modified = false;
    ASSERT_TRUE(run.Start());
    PlayAndMoveDown(15);
    run.Abort();
    const TConstMdbBlock saved = keeper.File.Mdb(Mdb2);
    EXPECT_EQ(keeper.Saves, 2);
    EXPECT_FLOAT_EQ(saved.Proportion(9), 0.0f);
    EXPECT_FLOAT_EQ(saved.Proportion(15), 0.5f);
    EXPECT_FLOAT_EQ(saved.Rau(15), 50.0f);
    EXPECT_FLOAT_EQ(saved.Wrau(15), 48.0f);
    EXPECT_TRUE(saved.Tested(1));
    EXPECT_TRUE(saved.Tested(7));
    EXPECT_FALSE(saved.Completed());
    EXPECT_FALSE(keeper.Modified);
}

// Back into the last list after the end and aborted there: the list was
// the condition's first, so nothing of it stays.
TEST_F(TestRun, MoveUpThenAbortLeavesNoTestedConditionWithoutAScore)
{
    Start({1}, false);
    PlayAndMoveDown(10);
    ASSERT_TRUE(keeper.File.Mdb(Mdb2).Tested(1));
    run.MoveUp();
    run.Abort();
    const TConstMdbBlock saved = keeper.File.Mdb(Mdb2);
    EXPECT_EQ(saved.Proportion(9), NoScore);
    EXPECT_EQ(saved.Wrau(9), NoScore);
    EXPECT_FALSE(saved.Tested(1));
    EXPECT_FALSE(saved.Completed());
    EXPECT_EQ(saved.Snr50High(), -99);
}

} // namespace
