// SPDX-License-Identifier: GPL-3.0-or-later
// The journal of a run: what its lines say of where the run stood, and what
// is believed of lines that a crash or a damaged disk left behind.
#include "TestMaterial.h"
#include "administration/InterruptedRun.h"
#include "administration/RunJournal.h"
#include "administration/SentenceMaterial.h"
#include "administration/TestRun.h"
#include "record/ClientRecord.h"

#include <QBuffer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

using namespace RunJournal;

constexpr int Mdb2 = 1;

class TKeeper : public IRecordKeeper
{
public:
    bool SaveRecord() override { return true; }
    void MarkModified() override {}
};

class TJournal : public IRunJournal
{
public:
    void Started(TRunStart start) override
    {
        start.ClientFile = QStringLiteral("/clinic/SMITH Ann.VEK");
        start.StampSize = 2328;
        start.StampHash = QByteArray::fromHex("00ff10");
        Lines = StartLine(start);
    }
    void Step(const QByteArray &line) override { Lines += line; }
    void Ended() override { Lines += EndLine(); }

    QByteArray Lines;
};

class RunJournalTest : public ::testing::Test
{
protected:
    RunJournalTest()
    {
        QBuffer file;
        file.setData(TestMaterial());
        file.open(QIODevice::ReadOnly);
        material.LoadPassages(file);
        record.InitNewRecord();
        record.SetCurrentMdb(Mdb2);
        record.Mdb(Mdb2).SetSelected(1, true);
        record.Mdb(Mdb2).SetSelected(5, true);
        record.SetPlayPracticeBlock(true);
        run.SetJournal(&journal);
        EXPECT_TRUE(run.Start());
    }
    void Play()
    {
        run.PlayStarted();
        run.PlayEnded();
    }
    // The practice list of five, then three sentences of the test list
    // marked a word each, and a play of the fourth under way.
    void GiveIntoTheSecondList()
    {
        for (int j = 0; j < 5; ++j) {
            Play();
            run.MarkAllCorrect();
            run.MoveDown();
        }
        for (int j = 0; j < 3; ++j) {
            Play();
            run.MarkWord(j, j, TMarkButton::Left);
            run.MarkWord(j, 4, TMarkButton::Right);
            run.MoveDown();
        }
    }
    void ExpectWhereTheRunIs(const TInterrupted &read)
    {
        EXPECT_EQ(read.Page, run.CurrentPage());
        EXPECT_EQ(read.Sentence, run.CurrentSentence());
        for (int j = 0; j < TPage::MaxSentences; ++j) {
            EXPECT_EQ(read.Played[j], run.Page().Sentences[j].Played) << j;
            for (int k = 0; k < 5; ++k)
                EXPECT_EQ(read.Marks[j][k], run.Mark(j, k)) << j << ' ' << k;
        }
    }

    TSentenceMaterial material;
    TClientRecord record;
    TKeeper keeper;
    TJournal journal;
    TTestRun run{record, material, keeper};
};

TEST_F(RunJournalTest, LinesTellWhereTheRunStoodAndAPlayUnderWayCountsAsNotPlayed)
{
    GiveIntoTheSecondList();
    const TReading reading = Read(journal.Lines);
    EXPECT_EQ(reading.RefusedLines, 0);
    ASSERT_TRUE(reading.Run);
    const TRunStart start = reading.Run->Start;
    EXPECT_EQ(start.ClientFile, "/clinic/SMITH Ann.VEK");
    EXPECT_EQ(start.StampSize, 2328);
    EXPECT_EQ(start.StampHash, QByteArray::fromHex("00ff10"));
    EXPECT_EQ(start.Mdb, Mdb2);
    EXPECT_EQ(start.Conditions, (1 << 1) | (1 << 5));
    EXPECT_TRUE(start.Practice);
    EXPECT_EQ(reading.Run->ScoredPages, 1);
    ExpectWhereTheRunIs(*reading.Run);
    EXPECT_EQ(reading.Run->Marks[1][1], TWordMark::Correct);
    EXPECT_EQ(reading.Run->Marks[1][4], TWordMark::HalfCorrect);
    EXPECT_EQ(InterruptedRunText(*reading.Run),
              "A test of SMITH ANN.VEK was interrupted: MDB 2, H-Sens 10 dB, page 2 of 4, sentence 4.");

    // Killed in the middle of the fourth sentence's play, after a mark and a
    // move up and down again.
    run.MoveUp();
    run.MarkWord(2, 0, TMarkButton::Left);
    run.MoveDown();
    const QByteArray beforePlay = journal.Lines;
    run.PlayStarted();
    ASSERT_NE(journal.Lines, beforePlay);
    const TReading midPlay = Read(journal.Lines);
    ASSERT_TRUE(midPlay.Run);
    EXPECT_EQ(midPlay.Run->Sentence, 3);
    EXPECT_FALSE(midPlay.Run->Played[3]);
    EXPECT_EQ(midPlay.Run->Marks[3], TSentenceMarks{}) << "not played";
    EXPECT_EQ(midPlay.Run->Marks[2][0], TWordMark::Correct);

    // A play that broke off leaves the sentence as before it.
    run.PlayFailed();
    ExpectWhereTheRunIs(*Read(journal.Lines).Run);

    // Aborted, the run is over.
    run.Abort();
    EXPECT_FALSE(Read(journal.Lines).Run);
}

TEST_F(RunJournalTest, ATornOrDamagedLineEndsWhatIsBelieved)
{
    GiveIntoTheSecondList();
    const QByteArray whole = journal.Lines;
    const TInterrupted intact = *Read(whole).Run;

    // A power cut in the middle of the last line.
    const QByteArray torn = whole.left(whole.size() - 3);
    const TReading tornReading = Read(torn);
    EXPECT_EQ(tornReading.RefusedLines, 1);
    ASSERT_TRUE(tornReading.Run);
    EXPECT_EQ(tornReading.Run->Sentence, intact.Sentence - 1) << "the last move is not believed";

    // One byte changed in a mark of the practice list: nothing after it is
    // believed, so no later mark can be put on the wrong sentence.
    const qsizetype mark = whole.indexOf("\nM 1 2 ");
    ASSERT_GT(mark, 0);
    QByteArray damaged = whole;
    damaged[mark + 9] = damaged[mark + 9] == '2' ? '3' : '2';
    const TReading damagedReading = Read(damaged);
    ASSERT_TRUE(damagedReading.Run);
    EXPECT_EQ(damagedReading.Run->Page, 1);
    EXPECT_EQ(damagedReading.Run->Sentence, 2);
    EXPECT_EQ(damagedReading.RefusedLines, whole.mid(mark + 1).count('\n'));

    // Lines whose checksums hold but which do not fit the run.
    EXPECT_FALSE(Read(MarkLine(1, 0, AllCorrectMarks())).Run) << "no run started";
    const QByteArray started = whole.left(whole.indexOf('\n') + 1);
    for (const QByteArray &misfit : {MoveLine(3, 0), MoveLine(2, 4), PlayedLine(1, 0, true), MarkLine(1, 7, {}),
                                     ScoreLine(2), PlayLine(1, 10)}) {
        const TReading reading = Read(started + misfit);
        EXPECT_EQ(reading.RefusedLines, 1) << misfit.toStdString();
        ASSERT_TRUE(reading.Run);
        EXPECT_EQ(reading.Run->Page, 1);
        EXPECT_EQ(reading.Run->Sentence, 0);
    }
}

TEST(RunJournal, AnyBytesAreReadWithoutHarm)
{
    EXPECT_FALSE(Read(QByteArray()).Run);
    EXPECT_EQ(Read(QByteArray()).RefusedLines, 0);
    QByteArray noise(4096, '\0');
    for (char &byte : noise)
        byte = char(QRandomGenerator::global()->bounded(256));
    EXPECT_FALSE(Read(noise).Run);
    // A field's number out of any range, with its checksum made to hold.
    const QByteArray body = "V 1 99999999999999999999";
    EXPECT_FALSE(Read(StartLine({}) + body + ' ' + QByteArray::number(qChecksum(body), 16).rightJustified(4, '0') +
                      '\n')
                     .Run->Sentence);
    EXPECT_FALSE(Read(StartLine({}) + "S\n").Run->Start.Practice);
}

} // namespace
