// SPDX-License-Identifier: GPL-3.0-or-later
// Scoring from the keyboard: each key does what its button does, only when
// the button could be clicked, and nothing else.
#include "TestPageFixture.h"

#include "app/HelpViewer.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using KeyboardScoring = TestPageFixture;

TEST_F(KeyboardScoring, KeysPlayMarkAndMoveLikeTheirButtons)
{
    StartRun(1, {1}, false);
    Key(Qt::Key_Down);
    EXPECT_EQ(test->CurrentSentence(), 0);

    Key(Qt::Key_P);
    Key(Qt::Key_P);
    EXPECT_EQ(PlayCount(), 1);
    sentencePlayer.FinishPlay();
    Key(Qt::Key_1);
    Key(Qt::Key_3);
    Key(Qt::Key_3);
    Key(Qt::Key_5, Qt::ShiftModifier);
    EXPECT_EQ(test->Mark(0, 0), TWordMark::Correct);
    EXPECT_EQ(test->Mark(0, 1), TWordMark::Wrong);
    EXPECT_EQ(test->Mark(0, 2), TWordMark::HalfCorrect);
    EXPECT_EQ(test->Mark(0, 4), TWordMark::HalfCorrect);
    EXPECT_TRUE(state.ModifiedFlag);

    Key(Qt::Key_N);
    EXPECT_EQ(test->CurrentSentence(), 1);
    Key(Qt::Key_1);
    EXPECT_EQ(test->Mark(0, 0), TWordMark::Correct);
    EXPECT_EQ(test->Mark(1, 0), TWordMark::Correct);
    Key(Qt::Key_U);
    EXPECT_EQ(test->CurrentSentence(), 0);
    Key(Qt::Key_Up);
    EXPECT_EQ(test->CurrentSentence(), 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(test->CurrentSentence(), 1);

    state.ModifiedFlag = false;
    Key(Qt::Key_C);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(test->Mark(1, k), TWordMark::Correct) << k;
    EXPECT_TRUE(state.ModifiedFlag);
}

TEST_F(KeyboardScoring, ScoringKeysLeaveAbortAndItsMnemonicsAlone)
{
    StartRun(1, {1}, false);
    ASSERT_TRUE(test->SentenceLabels[0]->hasFocus());
    Key(Qt::Key_P);
    sentencePlayer.FinishPlay();
    for (const int key : {Qt::Key_1, Qt::Key_2, Qt::Key_C, Qt::Key_Up, Qt::Key_Down, Qt::Key_A})
        Key(key);
    EXPECT_TRUE(prompts.Shown.isEmpty()) << "a key reached Abort";
    EXPECT_TRUE(test->isVisible());

    prompts.Answers = {TAnswer::No};
    Key(Qt::Key_A, Qt::AltModifier);
    // A mnemonic clicks its button after a short animation.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !prompts.Shown.isEmpty(); }, 2000));
    EXPECT_EQ(prompts.Shown, QStringList({"Do you wish to abort this session?"}));
}

TEST_F(KeyboardScoring, KeysDoNothingWhileTheTestPageIsNotShown)
{
    StartRun(1, {1}, false);
    Key(Qt::Key_P);
    sentencePlayer.FinishPlay();
    prompts.Answers = {TAnswer::Yes};
    test->AbortButton->click();
    Settle();
    window->PageButton(ClientInfoPage)->trigger();
    clientInfo->EditID->setFocus();
    QTest::keyClicks(clientInfo->EditID, QStringLiteral("12pc"));
    EXPECT_EQ(clientInfo->EditID->text(), "12pc");
    EXPECT_EQ(test->Mark(0, 0), TWordMark::Wrong);
    EXPECT_EQ(PlayCount(), 1);
}

TEST_F(KeyboardScoring, HintsAndHelpTellTheKeys)
{
    EXPECT_EQ(test->PlayButton->toolTip(), "Play current sentence (P)");
    EXPECT_EQ(test->DoneButton->toolTip(), "Move down one sentence (Down or N)");
    EXPECT_EQ(test->MoveUpButton->toolTip(), "Move up one sentence (Up or U)");
    EXPECT_EQ(test->CorrectButton->toolTip(), "Mark all words as correct (C)");
    QFile help(QStringLiteral(":/help/test.html"));
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(help.readAll());
    for (const char *key : {"<kbd>Shift+1</kbd>", "<kbd>P</kbd>", "<kbd>C</kbd>", "<kbd>N</kbd>", "<kbd>U</kbd>"})
        EXPECT_TRUE(text.contains(QLatin1String(key))) << key;
}

// A clinician who follows the help to mark a missed word must not give it
// half a point.
TEST_F(KeyboardScoring, HelpTellsWhatAClickDoesToAPlayedWord)
{
    StartRun(0, {0}, false);
    Play();
    ClickWord(0, 0, Qt::RightButton);
    ClickWord(0, 1);
    EXPECT_EQ(test->Mark(0, 0), TWordMark::HalfCorrect);
    EXPECT_EQ(test->Mark(0, 1), TWordMark::Correct);
    EXPECT_EQ(test->Mark(0, 2), TWordMark::Wrong);
    QFile help(QStringLiteral(":/help/test.html"));
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(help.readAll()).simplified();
    EXPECT_TRUE(text.contains(QLatin1String("Playing a sentence marks its five key words wrong")));
    EXPECT_TRUE(text.contains(QLatin1String("a word the client missed needs no click, and a right click on it makes it "
                                            "half correct")));
    EXPECT_TRUE(text.contains(QLatin1String("A left click makes a key word correct, and a correct word half correct")));
    EXPECT_FALSE(text.contains(QLatin1String("A right click marks it wrong")));
}

} // namespace
