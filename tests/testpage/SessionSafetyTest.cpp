// SPDX-License-Identifier: GPL-3.0-or-later
// What a session does when something goes wrong in it: a play that breaks
// off, marks corrected after the end, a sentence too wide for the page, and
// messages that come while the page is being shown.
#include "TestPageFixture.h"

#include "DemoSentences.h"
#include "PlayerHarness.h"
#include "TestDisc.h"
#include "ToolCommand.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

class SessionSafety : public TestPageFixture
{
protected:
    // Aborted, and on to a page that leaves the record's conditions alone.
    void LeaveRun()
    {
        prompts.Answers = {TAnswer::Yes};
        test->AbortButton->click();
        Settle();
        window->PageButton(ClientInfoPage)->trigger();
        Settle();
    }
};

// MDB 2, H-Sens 10 dB: practice passage 72, test passages 32 and 82.
constexpr int Mdb2 = 1;

TEST_F(SessionSafety, BrokenPlayIsReportedAndTheSentenceMustBePlayedAgain)
{
    StartRun(Mdb2, {1}, true);
    Play();
    test->CorrectButton->click();

    // A replay that breaks off gives the marks of the whole play back.
    prompts.Answers = {TAnswer::Yes};
    test->PlayButton->click();
    sentencePlayer.FinishPlay(true);
    EXPECT_EQ(prompts.Errors,
              QStringList({"Error 9: The disc could not be read at sector 100: the drive stopped answering."}));
    EXPECT_EQ(test->Mark(0, 0), TWordMark::Correct);
    EXPECT_TRUE(test->DoneButton->isEnabled());

    // A first play that breaks off leaves a sentence that cannot be passed.
    test->DoneButton->click();
    test->PlayButton->click();
    sentencePlayer.FinishPlay(true);
    EXPECT_EQ(prompts.Errors.size(), 2);
    EXPECT_EQ(test->Mark(1, 0), TWordMark::NotPlayed);
    EXPECT_FALSE(test->DoneButton->isEnabled());
    EXPECT_TRUE(test->PlayButton->isEnabled());
    EXPECT_TRUE(test->AbortButton->isEnabled());
    Play();
    EXPECT_TRUE(test->DoneButton->isEnabled());
    EXPECT_EQ(prompts.Errors.size(), 2);
}

// After Done the clinician may still correct the last list: the other pages
// wait, and the file counts as changed, until it is scored again.
TEST_F(SessionSafety, MarksCorrectedAfterDoneHoldThePagesUntilScored)
{
    state.FileName = Path(QStringLiteral("LATE.VEK"));
    StartRun(Mdb2, {1}, false);
    PlayAndMoveDown(10);
    test->Done2Button->click();
    Settle();
    ASSERT_TRUE(window->PageButton(ScoresPage)->isEnabled());
    ASSERT_FALSE(state.ModifiedFlag);

    test->CorrectButton->click();
    Settle();
    for (const TPageIndex p : {ClientInfoPage, ConditionsPage, CalibrationPage, ScoresPage, GraphPage})
        EXPECT_FALSE(window->PageButton(p)->isEnabled()) << p;
    EXPECT_TRUE(state.ModifiedFlag);
    EXPECT_EQ(window->ModifiedText(), " Modified");

    test->DoneButton->click();
    EXPECT_FLOAT_EQ(record.Mdb(Mdb2).Proportion(9), 5.0f / 50);
    EXPECT_FALSE(state.ModifiedFlag);
    EXPECT_FALSE(window->PageButton(ScoresPage)->isEnabled());
    test->NextPageButton->click();
    Settle();
    EXPECT_TRUE(scores->isVisible());
}

TEST_F(SessionSafety, KeysFollowTheKeyWordsFromTheLeft)
{
    TPassageSentences sentences = TestSentences(72);
    sentences[0].Text = QStringLiteral("the BIG DOG and the SMALL CAT RAN");
    sentences[0].KeyWords = {QStringLiteral("RAN"), QStringLiteral("CAT"), QStringLiteral("SMALL"),
                             QStringLiteral("DOG"), QStringLiteral("ABSENT")};
    UseMaterialWith(72, sentences);
    StartRun(Mdb2, {1}, true);
    Play();
    Key(Qt::Key_1);
    EXPECT_EQ(test->Mark(0, 3), TWordMark::Correct);
    Key(Qt::Key_4);
    EXPECT_EQ(test->Mark(0, 0), TWordMark::Correct);
    Key(Qt::Key_5);
    EXPECT_EQ(test->Mark(0, 4), TWordMark::Wrong);
}

TEST_F(SessionSafety, PageShowsTheNewRunBehindItsStartUpMessages)
{
    StartRun(Mdb2, {1}, true);
    PlayAndMoveDown(5);
    LeaveRun();

    QStringList behind;
    prompts.WhileShowing = [&] {
        behind << test->PageNoLabel->text() << test->SentenceLabels[0]->text()
               << (test->SentenceLabels[5]->isVisible() ? "row 6 shown" : "");
    };
    sentencePlayer.CdPresent = false;
    StartRun(Mdb2, {1}, true);
    EXPECT_EQ(behind, QStringList({"Page 1 of 2", TestSentences(72)[0].Text, ""}));
}

// Every demonstration sentence, and one far too wide, laid out on the page:
// each key word lies inside it and its button over the word.
TEST_F(SessionSafety, EveryKeyWordIsOnThePage)
{
    const auto expectInside = [&](int passage) {
        for (int j = 0; j < test->SentenceCount(); ++j) {
            for (int k = 0; k < 5; ++k) {
                const TKeyWordButton *button = test->WordButtons[k][j];
                ASSERT_TRUE(button->isVisible()) << passage << ' ' << j << ' ' << k;
                EXPECT_LE(button->geometry().right(), test->width()) << passage << ' ' << j << ' ' << k;
            }
            EXPECT_LE(test->SentenceLabels[j]->geometry().right(), test->width());
        }
    };
    for (int p = 0; p < DemoSentences::PassageCount; ++p) {
        TPassageSentences sentences = TestSentences(72);
        for (int j = 0; j < 5; ++j) {
            const TSentence demo = DemoSentences::Sentence(p, j);
            sentences[j].Text = demo.Text;
            sentences[j].KeyWords = demo.KeyWords;
        }
        UseMaterialWith(72, sentences);
        StartRun(Mdb2, {1}, true);
        ASSERT_EQ(test->SentenceCount(), 5) << p << ' ' << test->NoRunLabel->text().toStdString();
        expectInside(p);
        // The demonstration needs no smaller font.
        for (int j = 0; j < 5; ++j)
            EXPECT_EQ(test->SentenceLabels[j]->font().pixelSize(), 19) << p << ' ' << j;
        LeaveRun();
    }

    TPassageSentences wide = TestSentences(72);
    wide[2].Text = QStringLiteral("the MAGNIFYING GLASS SHOWED WONDERFUL TINY CREATURES there");
    wide[2].KeyWords = {QStringLiteral("MAGNIFYING"), QStringLiteral("GLASS"), QStringLiteral("SHOWED"),
                        QStringLiteral("TINY"), QStringLiteral("CREATURES")};
    UseMaterialWith(72, wide);
    StartRun(Mdb2, {1}, true);
    ASSERT_EQ(test->SentenceCount(), 5);
    expectInside(-1);
    const QFont font = test->SentenceLabels[2]->font();
    EXPECT_LT(font.pixelSize(), 19);
    const QFontMetrics metrics(font);
    EXPECT_EQ(test->WordButtons[4][2]->font(), font);
    EXPECT_EQ(test->WordButtons[4][2]->x(),
              metrics.horizontalAdvance(QStringLiteral(" the MAGNIFYING GLASS SHOWED WONDERFUL TINY")) + 110 - 3);

    // The material's check names it, and still passes the material.
    QByteArray bytes = TestMaterial();
    const qsizetype at = MaterialIds().indexOf(72) * PassageLayout::Size;
    bytes.replace(at, PassageLayout::Size, EncodePassage(72, wide));
    QFile file(Path(QStringLiteral("WIDE.DAT")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    EXPECT_EQ(RunAvekTool({QStringLiteral("check-material"), file.fileName()}, out, err), ExitOk);
    err.flush();
    EXPECT_TRUE(errText.contains(QStringLiteral("(id 72), sentence 3 does not fit the test page at its normal font: "
                                                "\"the MAGNIFYING GLASS SHOWED WONDERFUL TINY CREATURES there\"")))
        << errText.toStdString();
}

// The real player on a disc image cut short while the page has it open.
TEST(SessionOnCutImage, BrokenPlaysAreReportedAndNeverCountAsPlayed)
{
    QTemporaryDir folder;
    TestDisc::Write(folder.path(), TestDisc::Binary, {{750, 0, 0}}, false);
    TPlayerHarness harness(QDir(folder.path()).filePath(QStringLiteral("disc.cue")));
    TPassageSentences sentences = TestSentences(72);
    for (int j = 0; j < 5; ++j) {
        sentences[j].Start = {1, 0, 2 * j};
        sentences[j].End = {1, 0, 2 * j + 1};
    }
    QByteArray bytes = TestMaterial();
    bytes.replace(MaterialIds().indexOf(72) * PassageLayout::Size, PassageLayout::Size, EncodePassage(72, sentences));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    TSentenceMaterial material;
    material.LoadPassages(file);

    TClientRecord record;
    record.InitNewRecord();
    record.Mdb(Mdb2).SetSelected(1, true);
    record.SetCurrentMdb(Mdb2);
    TAppState state;
    TScriptedPrompts prompts;
    QObject mainWindow;
    TPageContext context{record, state, prompts, &mainWindow};
    TfmVEKTest page(context, harness.Player(), material);
    page.show();
    // Two and a half seconds are left of ten: the second sentence breaks off
    // half-way, each time it is played.
    ASSERT_TRUE(QFile::resize(QDir(folder.path()).filePath(QStringLiteral("part0.bin")),
                              187 * CdAudio::BytesPerSector));

    const auto play = [&] {
        page.PlayButton->click();
        harness.WaitForEnd();
    };
    play();
    ASSERT_TRUE(page.DoneButton->isEnabled());
    page.DoneButton->click();
    for (int j = 1; j <= 2; ++j) {
        play();
        ASSERT_EQ(prompts.Errors.size(), j);
        EXPECT_TRUE(prompts.Errors.back().startsWith(QStringLiteral("Error 9: "))) << prompts.Errors.back().toStdString();
        EXPECT_FALSE(page.DoneButton->isEnabled());
        EXPECT_TRUE(page.PlayButton->isEnabled());
        EXPECT_EQ(page.Mark(1, 0), TWordMark::NotPlayed);
    }
}

} // namespace
