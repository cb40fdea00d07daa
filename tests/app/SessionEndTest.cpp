// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "ShellFixture.h"
#include "administration/RunJournalFile.h"
#include "record/ClientFileReader.h"
#include "record/RecoveryFile.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

namespace {

const QString Question =
    QStringLiteral("You have unsaved changes in the current file.  Would you like to save before continuing?");

class SessionEnd : public ShellFixture
{
protected:
    void TearDown() override
    {
        RecoveryFile::Remove();
        ShellFixture::TearDown();
    }
    void Type(const QString &text)
    {
        QTest::keyClicks(clientInfo->EditLastName, text);
        Settle();
    }
};

TEST_F(SessionEnd, SessionManagerGetsTheUnsavedChangesQuestionOrTheWorkIsKept)
{
    EXPECT_TRUE(window->CommitData(true));
    EXPECT_TRUE(prompts.Shown.isEmpty());
    Type(QStringLiteral("Smith"));
    prompts.Answers = {TAnswer::Cancel};
    EXPECT_FALSE(window->CommitData(true));
    EXPECT_EQ(prompts.Shown.last(), Question);
    EXPECT_FALSE(QFile::exists(RecoveryFile::Path()));

    // Nobody to ask: kept where only the user can read it, and nothing asked.
    const qsizetype asked = prompts.Shown.size();
    EXPECT_TRUE(window->CommitData(false));
    EXPECT_EQ(prompts.Shown.size(), asked);
    const std::optional<RecoveryFile::TRecovered> kept = RecoveryFile::Read();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->Record.LastName(), "Smith");
    EXPECT_EQ(QFileInfo(RecoveryFile::Path()).permissions() & 0x0077, 0);
}

TEST_F(SessionEnd, KeptWorkIsOfferedAtTheNextStartAndGoneOnceSaved)
{
    const QString jones = Path(QStringLiteral("JONES.VEK"));
    prompts.FileNames = {jones};
    ASSERT_TRUE(window->SaveFile(true));
    Type(QStringLiteral("Jones"));
    window->KeepUnsavedWork();
    window.reset();

    // The next start, with a name typed before its question came, and an
    // end with nobody to ask before the answer: what the last run kept stays.
    window = std::make_unique<TfmWinMain>(record, state, prompts);
    context = std::make_unique<TPageContext>(TPageContext{record, state, prompts, window.get()});
    const TProgramPages pages = CreatePages(*window, *context, player, sentencePlayer, material);
    window->show();
    Settle();
    QTest::keyClicks(pages.fmClientInfo->EditLastName, QStringLiteral("Nolan"));
    window->KeepUnsavedWork();
    ASSERT_TRUE(RecoveryFile::Read());
    EXPECT_EQ(RecoveryFile::Read()->Record.LastName(), "Jones");
    prompts.Answers = {TAnswer::Yes};
    window->AskStartUpQuestions();
    EXPECT_TRUE(prompts.Shown.last().startsWith("Unsaved work from JONES.VEK (")) << prompts.Shown.last();
    EXPECT_TRUE(prompts.Shown.last().endsWith(") was kept. Restore it?"));
    EXPECT_EQ(record.LastName(), "Jones");
    EXPECT_EQ(state.FileName, jones);
    EXPECT_TRUE(state.ModifiedFlag);
    EXPECT_EQ(window->ModifiedText(), " Modified");
    EXPECT_EQ(window->windowTitle(), "AVEK beta - JONES.VEK");
    ASSERT_TRUE(window->SaveFile(false));
    EXPECT_FALSE(QFile::exists(RecoveryFile::Path()));
    TClientRecord saved;
    ASSERT_TRUE(ReadClientFile(jones, saved));
    EXPECT_EQ(saved.LastName(), "Jones");
}

// Kept while it is typed, not only when the program is told to end: a crash
// loses no more than the last moment.
TEST_F(SessionEnd, TypedWorkIsKeptSoonAfterEachChange)
{
    const auto keptName = [] {
        const std::optional<RecoveryFile::TRecovered> kept = RecoveryFile::Read();
        return kept ? kept->Record.LastName() : QString();
    };
    QElapsedTimer typed;
    Type(QStringLiteral("Smith"));
    typed.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return keptName() == "Smith"; }, 5000));
    EXPECT_LT(typed.elapsed(), 2000);
    // After the first change, too, which is the only one the window is told.
    Type(QStringLiteral("son"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return keptName() == "Smithson"; }, 5000));

    prompts.FileNames = {Path(QStringLiteral("SMITHSON.VEK"))};
    ASSERT_TRUE(window->SaveFile(false));
    EXPECT_FALSE(QFile::exists(RecoveryFile::Path()));
}

// A run that a crash or a power cut ended is told at the next start.
TEST_F(SessionEnd, InterruptedRunIsToldAtTheNextStart)
{
    RunJournal::TRunStart start;
    start.ClientFile = Path(QStringLiteral("smith.vek"));
    start.Mdb = 1;
    start.Conditions = 1 << 1;
    QString reason;
    ASSERT_TRUE(RunJournalFile::Begin(RunJournal::StartLine(start), reason)) << reason.toStdString();
    ASSERT_TRUE(RunJournalFile::Append(RunJournal::MoveLine(1, 1), reason));
    EXPECT_EQ(QFileInfo(RunJournalFile::Path()).permissions() & 0x0077, 0);
    window->AskStartUpQuestions();
    ASSERT_FALSE(prompts.Shown.isEmpty());
    EXPECT_TRUE(prompts.Shown.last().startsWith(
        "A test of SMITH.VEK was interrupted: MDB 2, H-Sens 10 dB, page 1 of 1, sentence 2. "))
        << prompts.Shown.last().toStdString();
    RunJournalFile::Remove();
}

} // namespace
