// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "ShellFixture.h"
#include "cdaudio/Tmsf.h"
#include "controls/LimitedMemo.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

class Pages : public ShellFixture
{
protected:
    void ShowConditions()
    {
        window->ShowPage(ConditionsPage);
        ASSERT_TRUE(conditions->isVisible());
    }
    void ShowCalibration()
    {
        window->ShowPage(CalibrationPage);
        ASSERT_TRUE(calibration->isVisible());
        player.Calls.clear();
    }
    // The colour shown behind a box or label: at its top right corner, clear
    // of its text and check mark.
    QColor Behind(QWidget *widget) const
    {
        const QImage image = conditions->grab().toImage();
        return image.pixelColor(widget->mapTo(conditions, QPoint(widget->width() - 2, 1)));
    }
    bool Red(QWidget *widget) const { return Behind(widget) == QColor(255, 0, 0); }
};

TEST_F(Pages, ClientPageLoadsAndStoresEveryField)
{
    record.SetLastName(QStringLiteral("Müller"));
    record.SetFirstName(QStringLiteral("Ann"));
    record.SetMiddleInitial(QStringLiteral("B"));
    record.SetIdNumber(QStringLiteral("ID-42"));
    record.SetDateOfBirth(QStringLiteral("1 Jan 1950"));
    record.SetClinician(QStringLiteral("Dr. Kay"));
    record.SetClientComments(QStringLiteral("one\ntwo"));
    clientInfo->LoadFromRecord();
    EXPECT_EQ(clientInfo->EditLastName->text(), QStringLiteral("Müller"));
    EXPECT_EQ(clientInfo->Memo1->toPlainText(), "one\ntwo");

    TClientRecord copy = record;
    clientInfo->StoreToRecord();
    EXPECT_EQ(record.Image(), copy.Image());
}

// Each box holds only what its record field has room for.
TEST_F(Pages, ClientFieldsHoldNoMoreThanTheirRoom)
{
    const std::pair<QLineEdit *, int> edits[] = {
        {clientInfo->EditLastName, 17}, {clientInfo->EditFirstName, 17}, {clientInfo->EditMI, 1},
        {clientInfo->EditID, 10},       {clientInfo->EditTestDate, 10},  {clientInfo->EditDOB, 16},
        {clientInfo->EditClinician, 24},
    };
    for (const auto &[edit, room] : edits) {
        edit->clear();
        QTest::keyClicks(edit, QString(room + 5, u'w'));
        EXPECT_EQ(edit->text().size(), room);
    }
    clientInfo->Memo1->setPlainText(QString(250, u'a') + QStringLiteral("\n\n\nbbbbbb"));
    // 250 + 3 line breaks counted twice = 256: one character too many.
    EXPECT_EQ(clientInfo->Memo1->toPlainText(), QString(250, u'a') + QStringLiteral("\n\n"));
    clientInfo->Memo1->setPlainText(QString(255, u'c'));
    clientInfo->StoreToRecord();
    EXPECT_EQ(record.ClientComments(), QString(255, u'c'));
}

// Types each character as a keyboard would, whatever its layout.
void Type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

// Stored, a letter the client file cannot hold would silently become '?'.
TEST_F(Pages, TextBoxesRefuseWhatTheClientFileCannotHold)
{
    QLineEdit *name = clientInfo->EditLastName;
    name->clear();
    Type(name, QStringLiteral("Łukasz Müller €"));
    EXPECT_EQ(name->text(), QStringLiteral("ukasz Müller €"));
    name->selectAll();
    name->insert(QStringLiteral("Łukasz")); // pasted whole: refused whole
    EXPECT_EQ(name->text(), QStringLiteral("ukasz Müller €"));

    TLimitedMemo *memo = clientInfo->Memo1;
    memo->setPlainText(QStringLiteral("Hears well"));
    memo->moveCursor(QTextCursor::End);
    memo->insertPlainText(QStringLiteral(" 😀 ok"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Hears well"));
    Type(memo, QStringLiteral(" ñ"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Hears well ñ"));
    EXPECT_EQ(memo->textCursor().position(), memo->toPlainText().size());
    clientInfo->StoreToRecord();
    EXPECT_EQ(record.ClientComments(), QStringLiteral("Hears well ñ"));
}

TEST_F(Pages, ConditionsPageNeedsAConditionAndAsksBeforeATestAgain)
{
    ShowConditions();
    const int mdb = record.CurrentMdb();
    EXPECT_TRUE(conditions->ChooseSession[mdb]->isChecked());
    EXPECT_TRUE(conditions->CheckPracticeBlock->isChecked());

    conditions->Button2->click();
    Settle();
    EXPECT_EQ(prompts.Errors.value(0), "You need to select at least one SNR to continue.");
    EXPECT_TRUE(conditions->isVisible());

    record.Mdb(mdb).SetTested(1, true);
    conditions->ConditionBoxes[1]->setChecked(true);
    prompts.Answers = {TAnswer::No};
    conditions->Button2->click();
    Settle();
    EXPECT_EQ(prompts.Shown.last(),
              "One of the selected conditions has already been tested.  Do you wish to test anyway?");
    EXPECT_TRUE(conditions->isVisible());
    EXPECT_TRUE(record.Mdb(mdb).Selected(1));

    prompts.Answers = {TAnswer::Yes};
    conditions->Button2->click();
    Settle();
    EXPECT_TRUE(calibration->isVisible());

    // A tested condition that is not selected is no reason to ask.
    ShowConditions();
    record.Mdb(record.CurrentMdb()).SetTested(3, true);
    for (QCheckBox *box : conditions->ConditionBoxes)
        box->setChecked(box == conditions->ConditionBoxes[0]);
    const qsizetype asked = prompts.Shown.size();
    conditions->Button2->click();
    Settle();
    EXPECT_EQ(prompts.Shown.size(), asked);
    EXPECT_TRUE(calibration->isVisible());
}

TEST_F(Pages, ChoosingAnMdbStoresTheTicksOfTheOldOne)
{
    ShowConditions();
    conditions->ChooseSession[1]->click();
    record.Mdb(2).SetTested(5, true);
    conditions->ConditionBoxes[0]->setChecked(true);
    conditions->ConditionBoxes[1]->setChecked(true);
    conditions->ChooseSession[2]->click();
    EXPECT_EQ(record.CurrentMdb(), 2);
    EXPECT_TRUE(record.Mdb(1).Selected(0));
    EXPECT_TRUE(record.Mdb(1).Selected(1));
    EXPECT_FALSE(record.Mdb(1).Selected(2));
    for (QCheckBox *box : conditions->ConditionBoxes)
        EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(Red(conditions->ConditionBoxes[5]));
    // Untested boxes show their group's colour.
    EXPECT_EQ(Behind(conditions->ConditionBoxes[4]), QColor(208, 224, 239));
    // Choosing an MDB is not a change to the client's data.
    EXPECT_FALSE(state.ModifiedFlag);
}

TEST_F(Pages, TogglesUntickFirstThenTick)
{
    ShowConditions();
    conditions->ConditionBoxes[2]->setChecked(true);
    conditions->ToggleHighButton->click();
    for (int c = 0; c < 4; ++c)
        EXPECT_FALSE(conditions->ConditionBoxes[c]->isChecked());
    conditions->ToggleHighButton->click();
    for (int c = 0; c < 4; ++c)
        EXPECT_TRUE(conditions->ConditionBoxes[c]->isChecked());
    conditions->ToggleLowButton->click();
    conditions->ToggleLowButton->click();
    for (int c = 4; c < 8; ++c)
        EXPECT_TRUE(conditions->ConditionBoxes[c]->isChecked());
    EXPECT_FALSE(state.ModifiedFlag);
}

TEST_F(Pages, ConditionClicksAndCommentsMarkModified)
{
    ShowConditions();
    QTest::mouseClick(conditions->ConditionBoxes[3], Qt::LeftButton);
    EXPECT_TRUE(state.ModifiedFlag);
    state.ModifiedFlag = false;
    QTest::keyClicks(conditions->SessionCommentsMemos[3], QStringLiteral("noisy"));
    QTest::keyClick(conditions->SessionCommentsMemos[3], Qt::Key_Return);
    QTest::keyClicks(conditions->SessionCommentsMemos[3], QStringLiteral("room"));
    EXPECT_TRUE(state.ModifiedFlag);
    window->ShowPage(ClientInfoPage);
    EXPECT_EQ(record.Mdb(3).Comments(), "noisy\r\nroom");
}

TEST_F(Pages, CompletedMdbsShowRed)
{
    record.Mdb(3).SetCompleted(true);
    ShowConditions();
    EXPECT_TRUE(Red(conditions->MdbLabels[3]));
    EXPECT_FALSE(Red(conditions->MdbLabels[0]));
}

TEST_F(Pages, CalibrationLoopsUntilStoppedOrLeft)
{
    record.SetCurrentMdb(2);
    record.SetHighTalkerLevel(2, 65);
    window->ShowPage(CalibrationPage);
    EXPECT_EQ(player.Calls, QStringList{"Open"});
    EXPECT_EQ(calibration->SessionLabel->text(), "Modified Dual Block 3");
    EXPECT_EQ(calibration->EditHigh->text(), "65");
    EXPECT_TRUE(calibration->ChoosedBHL->isChecked());
    player.Calls.clear();

    const QString play = QStringLiteral("Play %1 %2 notify").arg(MakeTmsf(1, 0, 3)).arg(MakeTmsf(1, 0, 18));
    calibration->Button1->click();
    EXPECT_EQ(calibration->Button1->text(), "&Stop Calibration Track");
    player.FinishPlay();
    player.FinishPlay();
    // Each end of the stretch starts it again.
    EXPECT_EQ(player.Calls,
              (QStringList{play, play, play}));

    // Alt+S stops as it started: the caption keeps its mnemonic.
    player.Calls.clear();
    QTest::keyClick(calibration, Qt::Key_S, Qt::AltModifier);
    // A mnemonic clicks its button after a short animation.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !calibration->CalibrationPlaying(); }, 2000));
    EXPECT_EQ(calibration->Button1->text(), "&Start Calibration Track");
    player.FinishPlay();
    EXPECT_EQ(player.Calls, QStringList{"Stop"});

    calibration->Button1->click();
    player.Calls.clear();
    window->ShowPage(ConditionsPage);
    EXPECT_EQ(player.Calls, (QStringList{"Stop", "Stop", "Close"}));
    EXPECT_EQ(calibration->Button1->text(), "&Start Calibration Track");
    EXPECT_FALSE(calibration->CalibrationPlaying());
}

TEST_F(Pages, CalibrationLevelThatIsNotAWholeNumberIsKept)
{
    ShowCalibration();
    const int mdb = record.CurrentMdb();
    calibration->EditHigh->setText(QStringLiteral("7x"));
    calibration->EditLow->setText(QStringLiteral("35"));
    calibration->ChoosedBSPL->setChecked(true);
    calibration->Button1->click();
    player.Calls.clear();
    window->ShowPage(ConditionsPage);
    EXPECT_EQ(prompts.Errors, QStringList{"'7x' is not a valid integer value"});
    EXPECT_EQ(record.HighTalkerLevel(mdb), 70);
    EXPECT_EQ(record.LowTalkerLevel(mdb), 35);
    EXPECT_TRUE(record.LevelsInSpl());
    // The loop stops and the device closes all the same.
    EXPECT_EQ(player.Calls, (QStringList{"Stop", "Stop", "Close"}));
}

TEST_F(Pages, LowLevelTakesOnlyDigits)
{
    ShowCalibration();
    calibration->EditLow->clear();
    QTest::keyClicks(calibration->EditLow, QStringLiteral("4a-5 "));
    EXPECT_EQ(calibration->EditLow->text(), "45");
    QTest::keyClick(calibration->EditLow, Qt::Key_Backspace);
    EXPECT_EQ(calibration->EditLow->text(), "4");
    calibration->EditHigh->clear();
    QTest::keyClicks(calibration->EditHigh, QStringLiteral("-5"));
    EXPECT_EQ(calibration->EditHigh->text(), "-5");
}

// The check reads the disc, so the loop must stop first.
TEST_F(Pages, CalibrationPageChecksTheDiscAfterStoppingTheLoop)
{
    ShowCalibration();
    EXPECT_FALSE(calibration->CheckDiscButton->isVisibleTo(calibration));
    calibration->SetDiscCheck([](std::stop_token, const TDiscCheck::TProgress &) {
        return TDiscCheck::TReport{false, false, QStringLiteral("passage 23 is silent")};
    });
    ASSERT_TRUE(calibration->CheckDiscButton->isVisibleTo(calibration));
    calibration->Button1->click();
    player.Calls.clear();
    calibration->CheckDiscButton->click();
    EXPECT_EQ(player.Calls, QStringList{"Stop"});
    EXPECT_FALSE(calibration->CalibrationPlaying());
    EXPECT_EQ(prompts.Errors, QStringList{"passage 23 is silent"});
}

// A check that would hang a page reading on the GUI thread: each sentence
// waits until the page has shown it. Cancel must reach the check, and the
// loop must not start meanwhile.
TEST_F(Pages, CheckDiscShowsProgressWhileThePageAnswersAndCanBeCancelled)
{
    ShowCalibration();
    std::atomic<int> texts = 0;
    calibration->SetDiscCheck([&texts](std::stop_token stop, const TDiscCheck::TProgress &progress) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (int sentence = 0; sentence <= 5; ++sentence) {
            progress(sentence, 5);
            // "Opening the disc…" is the first text.
            while (texts < sentence + 2 && !stop.stop_requested()) {
                if (std::chrono::steady_clock::now() > deadline)
                    return TDiscCheck::TReport{false, false, QStringLiteral("the page did not answer")};
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            if (stop.stop_requested())
                return TDiscCheck::TReport{false, true, QStringLiteral("cancelled")};
        }
        return TDiscCheck::TReport{true, false, QStringLiteral("passed")};
    });
    prompts.WhileProgressing = [&](const QString &text) {
        ++texts;
        calibration->Button1->click();
        if (text.contains(QLatin1String("sentence 3 ")))
            prompts.CancelProgress();
    };
    calibration->CheckDiscButton->click();
    EXPECT_EQ(prompts.Progress, (QStringList{"Opening the disc…", "Checking the calibration stretch…",
                                             "Checking sentence 1 of 5…", "Checking sentence 2 of 5…",
                                             "Checking sentence 3 of 5…"}));
    EXPECT_EQ(prompts.Errors, QStringList{"cancelled"});
    EXPECT_TRUE(player.Calls.isEmpty()) << player.Calls.join(u',').toStdString();
    EXPECT_TRUE(calibration->Button1->isEnabled());
    EXPECT_FALSE(prompts.CancelProgress);
}

TEST_F(Pages, CalibrationReportsADeviceThatWillNotOpen)
{
    player.OpenFails = true;
    window->ShowPage(CalibrationPage);
    EXPECT_EQ(prompts.Errors, QStringList{"Error 2: There is no disc in the CD drive."});
    EXPECT_TRUE(calibration->isVisible());
}

TEST_F(Pages, ABrokenCalibrationLoopStopsAndSaysWhy)
{
    ShowCalibration();
    calibration->Button1->click();
    player.Calls.clear();
    player.FinishPlay(true);
    EXPECT_EQ(player.Calls, QStringList{"Stop"});
    EXPECT_EQ(prompts.Errors,
              QStringList{"Error 9: The disc could not be read at sector 100: the drive stopped answering."});
    EXPECT_FALSE(calibration->CalibrationPlaying());
    EXPECT_EQ(calibration->Button1->text(), "&Start Calibration Track");
}

} // namespace
