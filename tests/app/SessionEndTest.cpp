// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "ShellFixture.h"
#include "record/ClientFileReader.h"
#include "record/RecoveryFile.h"

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

    // The next start.
    window = std::make_unique<TfmWinMain>(record, state, prompts);
    context = std::make_unique<TPageContext>(TPageContext{record, state, prompts, window.get()});
    CreatePages(*window, *context, player, sentencePlayer, material);
    prompts.Answers = {TAnswer::Yes};
    window->show();
    Settle();
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

} // namespace
