// SPDX-License-Identifier: GPL-3.0-or-later
// The test page on its own: layout, marks, moving through a run, leaving it,
// and what happens when the disc, the player, the material or the save fails.
#include "TestPageFixture.h"

#include "administration/SentenceMaterial.h"
#include "record/ClientFileReader.h"
#include "record/ClientFileWriter.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

using TestPage = TestPageFixture;

// MDB 2 with H-Sens 10 and L-Sens 0: practice passage 72 (slot 1), test
// passages 32 and 82 (slot 9), practice 18 (slot 7), test 28 and 68 (slot 15).
constexpr int Mdb2 = 1;

TEST_F(TestPage, PracticeAndTestPagesAreLaidOutRowByRow)
{
    StartRun(Mdb2, {1, 7}, true);
    EXPECT_EQ(test->PageNoLabel->text(), "Page 1 of 4");
    EXPECT_EQ(test->HighLowLabel->text(), "H-Sens");
    EXPECT_EQ(test->SNRLabel->text(), "SNR: 10");
    EXPECT_EQ(test->MDBLabel->text(), "MDB: 2");
    EXPECT_TRUE(test->PracticeLabel->isVisible());
    EXPECT_EQ(test->RowTop(), 40);
    EXPECT_EQ(test->PlayPanel->y(), 36);
    for (int j = 0; j < 10; ++j) {
        EXPECT_EQ(test->SentenceLabels[j]->isVisible(), j < 5) << j;
        EXPECT_EQ(test->WordButtons[0][j]->isVisible(), j < 5) << j;
    }
    EXPECT_EQ(test->SentenceLabels[4]->text(), TestSentences(72)[4].Text);
    EXPECT_EQ(test->SentenceLabels[4]->y(), 40 + 4 * 30);
    EXPECT_EQ(test->WordButtons[2][4]->y(), 40 + 4 * 30 - 1);
    EXPECT_EQ(test->WordButtons[2][4]->Caption(), u' ' + TestSentences(72)[4].KeyWords[2] + u' ');

    PlayAndMoveDown(5);
    EXPECT_EQ(test->PageNoLabel->text(), "Page 2 of 4");
    EXPECT_FALSE(test->PracticeLabel->isVisible());
    EXPECT_EQ(test->RowTop(), 16);
    EXPECT_EQ(test->PlayPanel->y(), 12);
    for (int j = 0; j < 10; ++j)
        EXPECT_TRUE(test->SentenceLabels[j]->isVisible()) << j;
    EXPECT_EQ(test->SentenceLabels[7]->text(), TestSentences(82)[2].Text);

    PlayAndMoveDown(10);
    EXPECT_EQ(test->HighLowLabel->text(), "L-Sens");
    EXPECT_EQ(test->SNRLabel->text(), "SNR: 0");
    // The practice page after a test page shows only its own five sentences.
    EXPECT_FALSE(test->SentenceLabels[5]->isVisible());
    EXPECT_FALSE(test->WordButtons[4][9]->isVisible());
}

// Where the talkers change: H-Sens 0 dB is the last of one, L-Sens 15 dB the
// first of the other.
TEST_F(TestPage, TalkerAndSnrChangeBetweenHSens0AndLSens15)
{
    StartRun(Mdb2, {3, 4}, false);
    EXPECT_EQ(test->HighLowLabel->text(), "H-Sens");
    EXPECT_EQ(test->SNRLabel->text(), "SNR: 0");
    PlayAndMoveDown(10);
    EXPECT_EQ(test->HighLowLabel->text(), "L-Sens");
    EXPECT_EQ(test->SNRLabel->text(), "SNR: 15");
}

TEST_F(TestPage, KeyWordsSitOverTheirFirstOccurrenceAndAbsentOnesStillCount)
{
    TPassageSentences sentences = TestSentences(72);
    sentences[0].KeyWords = {QStringLiteral("SUN"), QStringLiteral("SHONE"), QStringLiteral("ON"),
                             QStringLiteral("THE"), QStringLiteral("MOON")};
    sentences[0].Text = QStringLiteral("the SUN SHONE ON THE SUNNY SUN and MOON");
    sentences[1].KeyWords[3] = QStringLiteral("ABSENT");
    UseMaterialWith(72, sentences);
    StartRun(Mdb2, {1}, true);

    const QFontMetrics metrics(test->SentenceLabels[0]->font());
    const auto left = [&](const QString &before) { return metrics.horizontalAdvance(before) + 110 - 3; };
    TKeyWordButton *sun = test->WordButtons[0][0];
    EXPECT_EQ(sun->x(), left(QStringLiteral(" the")));
    EXPECT_EQ(sun->width(), metrics.horizontalAdvance(QStringLiteral(" SUN ")) - 6);
    // "THE" is a word of its own only after "ON", not inside "the".
    EXPECT_EQ(test->WordButtons[3][0]->x(), left(QStringLiteral(" the SUN SHONE ON")));
    EXPECT_EQ(test->WordButtons[4][0]->x(), left(QStringLiteral(" the SUN SHONE ON THE SUNNY SUN and")));
    EXPECT_FALSE(test->WordButtons[3][1]->isVisible());

    // The word on the button covers the word in the label glyph for glyph:
    // in one colour the page looks the same with the button as without it.
    QLabel *label = test->SentenceLabels[0];
    QPalette black = label->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(black);
    const QRect area = sun->geometry().adjusted(-8, -4, 8, 4);
    sun->hide();
    const QImage withoutButton = test->grab(area).toImage();
    sun->show();
    const QImage withButton = test->grab(area).toImage();
    EXPECT_EQ(withButton, withoutButton);
    sun->SetMark(TWordMark::Wrong);
    EXPECT_NE(test->grab(area).toImage(), withoutButton);

    // Sentence 1 played with all words correct, ABSENT included.
    Play();
    test->DoneButton->click();
    Play();
    test->CorrectButton->click();
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(test->Mark(1, k), TWordMark::Correct) << k;
}

TEST_F(TestPage, MarksFollowTheMouseOnlyOnTheCurrentSentence)
{
    StartRun(Mdb2, {1}, true);
    ClickWord(1, 0);
    EXPECT_EQ(test->Mark(1, 0), TWordMark::NotPlayed);
    EXPECT_FALSE(state.ModifiedFlag);

    Play();
    EXPECT_EQ(test->Mark(0, 2), TWordMark::Wrong);
    ClickWord(0, 2);
    EXPECT_EQ(test->Mark(0, 2), TWordMark::Correct);
    EXPECT_TRUE(state.ModifiedFlag);
    Settle();
    EXPECT_EQ(window->ModifiedText(), " Modified");
    ClickWord(0, 2);
    EXPECT_EQ(test->Mark(0, 2), TWordMark::HalfCorrect);
    EXPECT_EQ(test->WordButtons[2][0]->Mark(), TWordMark::HalfCorrect);
    ClickWord(0, 2, Qt::RightButton);
    EXPECT_EQ(test->Mark(0, 2), TWordMark::Wrong);
    ClickWord(0, 2, Qt::MiddleButton);
    EXPECT_EQ(test->Mark(0, 2), TWordMark::Wrong);

    // A replay asks first; No keeps the marks and plays nothing.
    ClickWord(0, 4);
    prompts.Answers = {TAnswer::No, TAnswer::Yes};
    test->PlayButton->click();
    EXPECT_EQ(PlayCount(), 1);
    EXPECT_EQ(test->Mark(0, 4), TWordMark::Correct);
    test->PlayButton->click();
    EXPECT_EQ(PlayCount(), 2);
    EXPECT_EQ(prompts.Shown.filter(QStringLiteral("Do you wish to replay this sentence?")).size(), 2);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(test->Mark(0, k), TWordMark::Wrong) << k;

    // Mark all correct is a change like any other mark.
    state.ModifiedFlag = false;
    test->CorrectButton->click();
    EXPECT_EQ(test->Mark(0, 0), TWordMark::Correct);
    EXPECT_TRUE(state.ModifiedFlag);
}

TEST_F(TestPage, ButtonsFollowThePlayAndTheMoves)
{
    StartRun(Mdb2, {1}, false);
    EXPECT_TRUE(test->PlayButton->isEnabled());
    EXPECT_FALSE(test->MoveUpButton->isEnabled());
    EXPECT_FALSE(test->DoneButton->isEnabled());
    EXPECT_TRUE(test->AbortButton->isEnabled());
    EXPECT_TRUE(test->SentenceLabels[0]->hasFocus());
    for (const TPageIndex p : {ClientInfoPage, ConditionsPage, CalibrationPage, ScoresPage, GraphPage})
        EXPECT_FALSE(window->PageButton(p)->isEnabled()) << p;

    PlayAndMoveDown(2);
    test->PlayButton->click();
    for (QWidget *button : {static_cast<QWidget *>(test->PlayButton), static_cast<QWidget *>(test->MoveUpButton),
                            static_cast<QWidget *>(test->DoneButton), static_cast<QWidget *>(test->AbortButton)})
        EXPECT_FALSE(button->isEnabled());
    sentencePlayer.FinishPlay();
    EXPECT_TRUE(test->MoveUpButton->isEnabled());
    EXPECT_TRUE(test->DoneButton->isEnabled());

    // Back to a played sentence and down again: Move down is there at once.
    test->MoveUpButton->click();
    test->MoveUpButton->click();
    EXPECT_EQ(test->CurrentSentence(), 0);
    EXPECT_FALSE(test->MoveUpButton->isEnabled());
    test->DoneButton->click();
    EXPECT_TRUE(test->DoneButton->isEnabled());
    test->DoneButton->click();
    test->DoneButton->click();
    EXPECT_EQ(test->CurrentSentence(), 3);
    EXPECT_FALSE(test->DoneButton->isEnabled());

    PlayAndMoveDown(7);
    EXPECT_TRUE(test->NextPageButton->isEnabled());
    EXPECT_TRUE(test->Done2Button->isEnabled());
    EXPECT_FALSE(test->AbortButton->isEnabled());
    EXPECT_TRUE(record.Mdb(Mdb2).Completed());

    // Going back into the last list withdraws the end of the run.
    test->MoveUpButton->click();
    EXPECT_FALSE(test->NextPageButton->isEnabled());
    EXPECT_FALSE(test->Done2Button->isEnabled());
    EXPECT_TRUE(test->AbortButton->isEnabled());
    test->DoneButton->click();
    test->DoneButton->click();

    // Done stays on the page and leaves the graph button locked.
    test->Done2Button->click();
    Settle();
    EXPECT_TRUE(test->isVisible());
    for (const TPageIndex p : {ClientInfoPage, ConditionsPage, CalibrationPage, ScoresPage})
        EXPECT_TRUE(window->PageButton(p)->isEnabled()) << p;
    EXPECT_FALSE(window->PageButton(GraphPage)->isEnabled());
    EXPECT_TRUE(record.Mdb(Mdb2).Tested(1));

    window->PageButton(ConditionsPage)->trigger();
    EXPECT_EQ(sentencePlayer.Calls.mid(sentencePlayer.Calls.size() - 2), QStringList({"Stop", "Close"}));
}

// Marks alone do not make a sentence played: one marked all correct, or
// clicked, without a play is not passed on the way back down either.
TEST_F(TestPage, SentenceNeverPlayedIsNeverPassed)
{
    StartRun(Mdb2, {1}, false);
    PlayAndMoveDown(1);
    Key(Qt::Key_C);
    for (int k = 0; k < 5; ++k)
        ClickWord(1, k);
    Key(Qt::Key_Up);
    ASSERT_EQ(test->CurrentSentence(), 0);
    Key(Qt::Key_Down);
    ASSERT_EQ(test->CurrentSentence(), 1);
    EXPECT_FALSE(test->DoneButton->isEnabled());
    Key(Qt::Key_Down);
    EXPECT_EQ(test->CurrentSentence(), 1);
}

// The last list's marks can still be changed after it was scored: the run
// cannot then end on the old score, only after the list is scored again.
TEST_F(TestPage, MarksChangedAfterTheLastListIsScoredAreScoredBeforeTheRunEnds)
{
    const QString file = Path(QStringLiteral("LAST.VEK"));
    state.FileName = file;
    StartRun(Mdb2, {1}, false);
    PlayAndMoveDown(9);
    Play();
    test->CorrectButton->click();
    test->DoneButton->click();
    ASSERT_TRUE(test->NextPageButton->isEnabled());

    ClickWord(9, 0);
    EXPECT_FALSE(test->NextPageButton->isEnabled());
    EXPECT_FALSE(test->Done2Button->isEnabled());
    EXPECT_TRUE(test->AbortButton->isEnabled());
    ASSERT_TRUE(test->DoneButton->isEnabled());
    test->DoneButton->click();
    EXPECT_TRUE(test->NextPageButton->isEnabled());
    TClientRecord saved;
    ASSERT_TRUE(ReadClientFile(file, saved));
    EXPECT_FLOAT_EQ(saved.Mdb(Mdb2).Proportion(9), 4.5f / 50);

    // A replay discards the marks, so it withdraws the end too.
    prompts.Answers = {TAnswer::Yes};
    test->PlayButton->click();
    EXPECT_FALSE(test->NextPageButton->isEnabled());
    EXPECT_FALSE(test->AbortButton->isEnabled());
    sentencePlayer.FinishPlay();
    EXPECT_FALSE(test->NextPageButton->isEnabled());
    EXPECT_TRUE(test->DoneButton->isEnabled());
}

// The aborted list's slot gets back what it held before the run, here a
// weighted score alone.
TEST_F(TestPage, AbortClearsOnlyTheListInHandAndLeadsBack)
{
    const QString file = Path(QStringLiteral("ABORT.VEK"));
    state.FileName = file;
    record.Mdb(Mdb2).SetWrau(7, 33.0f);
    StartRun(Mdb2, {1, 7}, true);
    PlayAndMoveDown(5 + 10);
    ASSERT_EQ(test->CurrentPage(), 3);
    Play();

    prompts.Answers = {TAnswer::No};
    test->AbortButton->click();
    Settle();
    EXPECT_TRUE(test->isVisible());

    prompts.Answers = {TAnswer::Yes};
    test->AbortButton->click();
    Settle();
    EXPECT_TRUE(conditions->isVisible());
    for (int p = 0; p < PageCount; ++p)
        EXPECT_TRUE(window->PageButton(TPageIndex(p))->isEnabled()) << p;
    TClientRecord saved;
    ASSERT_TRUE(ReadClientFile(file, saved));
    const TConstMdbBlock block = saved.Mdb(Mdb2);
    EXPECT_FLOAT_EQ(block.Proportion(1), 0.0f);
    EXPECT_FLOAT_EQ(block.Rau(9), -23.0f);
    EXPECT_EQ(block.Proportion(7), NoScore);
    EXPECT_EQ(block.Rau(7), NoScore);
    EXPECT_EQ(block.Wrau(7), 33.0f);
    EXPECT_TRUE(block.Tested(1));
    EXPECT_FALSE(block.Tested(7));
    EXPECT_EQ(block.Snr50High(), -9);
    EXPECT_FALSE(block.Completed());
}

// The clinician may close the program once the last list is saved, without
// View Scores or Done: the file must still say which conditions were tested,
// or a later run would overwrite their scores without a warning.
TEST_F(TestPage, LastListSavesTheTestedConditionsWithItsScore)
{
    const QString file = Path(QStringLiteral("TESTED.VEK"));
    state.FileName = file;
    StartRun(Mdb2, {1, 7}, false);
    PlayAndMoveDown(20);
    TClientRecord saved;
    ASSERT_TRUE(ReadClientFile(file, saved));
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(saved.Mdb(Mdb2).Tested(c), c == 1 || c == 7) << c;
    EXPECT_TRUE(saved.Mdb(Mdb2).Completed());
    EXPECT_TRUE(window->close());
}

// Back into the last list after the end and aborted there: the MDB's run is
// not complete any more, in the file either.
TEST_F(TestPage, AbortAfterTheEndLeavesTheMdbNotCompleted)
{
    const QString file = Path(QStringLiteral("AGAIN.VEK"));
    state.FileName = file;
    StartRun(Mdb2, {1}, false);
    PlayAndMoveDown(10);
    TClientRecord saved;
    ASSERT_TRUE(ReadClientFile(file, saved));
    ASSERT_TRUE(saved.Mdb(Mdb2).Completed());

    test->MoveUpButton->click();
    prompts.Answers = {TAnswer::Yes};
    test->AbortButton->click();
    Settle();
    ASSERT_TRUE(ReadClientFile(file, saved));
    EXPECT_EQ(saved.Mdb(Mdb2).Wrau(9), NoScore);
    EXPECT_FALSE(saved.Mdb(Mdb2).Completed());
    EXPECT_FALSE(record.Mdb(Mdb2).Completed());
}

TEST_F(TestPage, UntitledRecordKeepsItsScoresInMemoryOnly)
{
    StartRun(Mdb2, {1}, true);
    for (int j = 0; j < 5; ++j) {
        Play();
        test->CorrectButton->click();
        test->DoneButton->click();
    }
    EXPECT_EQ(test->CurrentPage(), 2);
    EXPECT_FLOAT_EQ(record.Mdb(Mdb2).Proportion(1), 1.0f);
    // Scores that are in no file are unsaved work.
    EXPECT_TRUE(state.ModifiedFlag);
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files), QStringList());
}

TEST_F(TestPage, FailedSaveKeepsThePageAndTheScoresAndSaysSo)
{
    const QString file = Path(QStringLiteral("SAVE.VEK"));
    state.FileName = Path(QStringLiteral("missing/SAVE.VEK"));
    StartRun(Mdb2, {1}, true);
    PlayAndMoveDown(4);
    Play();
    test->CorrectButton->click();
    test->DoneButton->click();
    Settle();
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_TRUE(prompts.Errors[0].startsWith(QStringLiteral("Cannot create file "))) << prompts.Errors[0].toStdString();
    EXPECT_EQ(test->CurrentPage(), 1);
    EXPECT_EQ(test->CurrentSentence(), 4);
    EXPECT_FLOAT_EQ(record.Mdb(Mdb2).Proportion(1), 0.2f);
    EXPECT_TRUE(state.ModifiedFlag);
    EXPECT_EQ(window->ModifiedText(), " Modified");

    // Moving down again tries the save again.
    state.FileName = file;
    ASSERT_TRUE(test->DoneButton->isEnabled());
    test->DoneButton->click();
    Settle();
    EXPECT_EQ(test->CurrentPage(), 2);
    EXPECT_FALSE(state.ModifiedFlag);
    EXPECT_EQ(window->ModifiedText(), "");
    EXPECT_EQ(FileBytes(file).size(), TClientRecord::Size);
}

// Another copy on a shared folder saved the client meanwhile: the list's
// save never replaces that silently, and the scores stay until it is decided.
TEST_F(TestPage, SaveAfterAListAsksWhenAnotherProgramChangedTheFile)
{
    const QString file = Path(QStringLiteral("JONES.VEK"));
    ASSERT_TRUE(WriteClientFile(record, file));
    state.FileName = file;
    state.FileStamp = TFileStamp::Of(file, record.Image().toByteArray());
    TClientRecord other = record;
    other.SetLastName(QStringLiteral("Other copy"));
    ASSERT_TRUE(WriteClientFile(other, file));
    const QByteArray theirs = FileBytes(file);

    StartRun(Mdb2, {1}, true);
    PlayAndMoveDown(4);
    Play();
    prompts.Answers = {TAnswer::Cancel};
    test->DoneButton->click();
    Settle();
    EXPECT_TRUE(prompts.Shown.contains("JONES.VEK was changed by another program since you opened it."));
    EXPECT_EQ(prompts.Choices, QStringList{"&Overwrite/&Save As…"});
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_TRUE(prompts.Errors[0].startsWith("The scores are kept in this program only, not in JONES.VEK."));
    EXPECT_EQ(FileBytes(file), theirs);
    EXPECT_EQ(test->CurrentPage(), 1);
    EXPECT_NE(record.Mdb(Mdb2).Proportion(1), NoScore);
    EXPECT_EQ(window->ModifiedText(), " Modified");

    // Save As… from the question: the scores go to a new file, the other stays.
    prompts.Answers = {TAnswer::No};
    prompts.FileNames = {Path(QStringLiteral("JONES2.VEK"))};
    test->DoneButton->click();
    Settle();
    EXPECT_EQ(test->CurrentPage(), 2);
    EXPECT_EQ(FileBytes(file), theirs);
    EXPECT_EQ(FileBytes(Path(QStringLiteral("JONES2.VEK"))), record.Image().toByteArray());
    EXPECT_EQ(state.ShortFileName, "JONES2.VEK");
    EXPECT_EQ(window->ModifiedText(), "");
}

TEST_F(TestPage, FailedSaveOfTheLastListDoesNotEndTheRun)
{
    state.FileName = Path(QStringLiteral("missing/LAST.VEK"));
    StartRun(Mdb2, {1}, false);
    PlayAndMoveDown(10);
    EXPECT_EQ(prompts.Errors.size(), 1);
    EXPECT_FALSE(test->NextPageButton->isEnabled());
    EXPECT_FALSE(test->Done2Button->isEnabled());
    EXPECT_TRUE(test->AbortButton->isEnabled());
    EXPECT_TRUE(test->DoneButton->isEnabled());
    EXPECT_FALSE(record.Mdb(Mdb2).Completed());
    // The score is in the record, to be saved by hand.
    EXPECT_TRUE(record.Mdb(Mdb2).Tested(1));
}

TEST_F(TestPage, NoDiscOrNoPlayerLeavesNothingToPlayButAWayBack)
{
    sentencePlayer.CdPresent = false;
    StartRun(Mdb2, {1}, true);
    EXPECT_EQ(prompts.Errors, QStringList({"There doesn't appear to be a CD in the drive."}));
    EXPECT_FALSE(test->PlayButton->isEnabled());
    Key(Qt::Key_P);
    EXPECT_EQ(PlayCount(), 0);
    prompts.Answers = {TAnswer::Yes};
    test->AbortButton->click();
    Settle();
    EXPECT_TRUE(conditions->isVisible());

    sentencePlayer.CdPresent = true;
    sentencePlayer.OpenFails = true;
    prompts.Errors.clear();
    PostWindowMessage(window.get(), WM_RUNTEST);
    Settle();
    EXPECT_EQ(prompts.Errors, QStringList({"Error 2: There is no disc in the CD drive."}));
    EXPECT_FALSE(test->PlayButton->isEnabled());
    EXPECT_FALSE(test->DoneButton->isEnabled());
}

TEST_F(TestPage, WithoutMaterialOnlyTheMaterialIsToldNotTheDiscAndPlayerToo)
{
    UseMaterial(QByteArray());
    sentencePlayer.CdPresent = false;
    sentencePlayer.OpenFails = true;
    StartRun(Mdb2, {1}, true);
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_EQ(prompts.Errors.first(), material.Status().message());
    EXPECT_FALSE(test->PlayButton->isEnabled());
}

TEST_F(TestPage, FailedPlayGivesThePageBack)
{
    StartRun(Mdb2, {1}, true);
    Play();
    test->DoneButton->click();
    Play();
    test->CorrectButton->click();
    sentencePlayer.PlayFails = true;
    prompts.Answers = {TAnswer::Yes};
    test->PlayButton->click();
    EXPECT_EQ(prompts.Errors, QStringList({"Error 6: The stretch cannot be played: the test refuses it."}));
    EXPECT_TRUE(test->PlayButton->isEnabled());
    EXPECT_TRUE(test->MoveUpButton->isEnabled());
    EXPECT_TRUE(test->DoneButton->isEnabled());
    EXPECT_TRUE(test->AbortButton->isEnabled());
    EXPECT_EQ(test->Mark(1, 0), TWordMark::Correct);

    // A sentence never played may not be passed after a failed play.
    test->DoneButton->click();
    test->PlayButton->click();
    EXPECT_FALSE(test->DoneButton->isEnabled());
    EXPECT_EQ(test->Mark(2, 0), TWordMark::NotPlayed);
}

TEST_F(TestPage, EmptyRunListShowsAnEmptyPageThatScoresNothing)
{
    // A run before leaves sentences on the page that must not stay.
    StartRun(Mdb2, {1}, true);
    prompts.Answers = {TAnswer::Yes};
    test->AbortButton->click();
    Settle();
    // MDB 2 chosen again, no condition ticked.
    QTest::mouseClick(conditions->ChooseSession[Mdb2], Qt::LeftButton);
    // Not even the MDB's completed mark changes when no run can start.
    record.Mdb(Mdb2).SetCompleted(true);
    PostWindowMessage(window.get(), WM_RUNTEST);
    Settle();
    EXPECT_TRUE(record.Mdb(Mdb2).Completed());
    const QByteArray before(record.Image().data(), TClientRecord::Size);
    EXPECT_EQ(test->PageCount(), 0);
    EXPECT_EQ(test->NoRunLabel->text().left(35), "No condition is selected for MDB 2.");
    EXPECT_TRUE(test->NoRunLabel->isVisible());
    EXPECT_EQ(test->PageNoLabel->text(), "Page 0 of 0");
    EXPECT_FALSE(test->PracticeLabel->isVisible());
    for (int j = 0; j < 10; ++j)
        EXPECT_FALSE(test->SentenceLabels[j]->isVisible()) << j;
    EXPECT_FALSE(test->PlayButton->isEnabled());
    EXPECT_FALSE(test->DoneButton->isEnabled());
    EXPECT_FALSE(test->CorrectButton->isEnabled());
    Key(Qt::Key_C);
    Key(Qt::Key_N);
    prompts.Answers = {TAnswer::Yes};
    test->AbortButton->click();
    EXPECT_EQ(QByteArray(record.Image().data(), TClientRecord::Size), before);
    Settle();
    EXPECT_TRUE(conditions->isVisible());
}

TEST_F(TestPage, UnusableMaterialIsReportedAndStartsNoRun)
{
    UseMaterial(TestMaterial().left(100 * 8));
    ASSERT_FALSE(material.Status());
    record.Mdb(Mdb2).SetCompleted(true);
    StartRun(Mdb2, {1}, true);
    EXPECT_TRUE(record.Mdb(Mdb2).Completed());
    EXPECT_EQ(prompts.Errors, QStringList({material.Status().message()}));
    EXPECT_EQ(test->PageCount(), 0);
    EXPECT_EQ(test->NoRunLabel->text(), material.Status().message());
    EXPECT_FALSE(test->PlayButton->isEnabled());
    EXPECT_FALSE(test->SentenceLabels[0]->isVisible());
}

} // namespace
