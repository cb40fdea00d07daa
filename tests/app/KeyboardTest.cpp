// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "ShellFixture.h"
#include "controls/InputNote.h"
#include "controls/LimitedMemo.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

#include <set>

namespace {

// Everything done with the keys alone, as a clinician without a mouse does.
class Keyboard : public ShellFixture
{
protected:
    void Press(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(widget, key, modifiers);
        Settle();
    }
    QWidget *Focus() const { return window->focusWidget() ? window->focusWidget() : window.get(); }
};

TEST_F(Keyboard, OnlyAKeyThatChangesAFieldMarksTheFileModified)
{
    QLineEdit *name = clientInfo->EditLastName;
    name->setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Backspace, Qt::Key_Tab})
        Press(Focus(), key);
    Press(clientInfo->EditFirstName, Qt::Key_Backtab);
    QKeyEvent refused(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("Ł"));
    QApplication::sendEvent(name, &refused);
    EXPECT_FALSE(state.ModifiedFlag);
    EXPECT_EQ(window->ModifiedText(), "");

    Press(name, Qt::Key_S, Qt::ShiftModifier);
    EXPECT_TRUE(state.ModifiedFlag);
    EXPECT_EQ(window->ModifiedText(), " Modified");

    // The conditions page: a key on a button or a radio button changes no
    // field; a key in a comment does.
    state.ModifiedFlag = false;
    window->ShowPage(ConditionsPage);
    Press(conditions->Button2, Qt::Key_X);
    Press(conditions->ChooseSession[0], Qt::Key_Space);
    EXPECT_FALSE(state.ModifiedFlag);
    Press(conditions->SessionCommentsMemos[1], Qt::Key_A);
    EXPECT_TRUE(state.ModifiedFlag);
}

// The levels and their unit are the client's data, lost on Exit without a
// question if changing them did not mark the file.
TEST_F(Keyboard, CalibrationLevelsAndUnitMarkTheFileModified)
{
    window->ShowPage(CalibrationPage);
    Press(calibration->EditHigh, Qt::Key_Tab);
    EXPECT_FALSE(state.ModifiedFlag);
    Press(calibration->EditLow, Qt::Key_5);
    EXPECT_TRUE(state.ModifiedFlag);

    state.ModifiedFlag = false;
    calibration->ChoosedBHL->click(); // already the unit
    EXPECT_FALSE(state.ModifiedFlag);
    calibration->ChoosedBSPL->click();
    EXPECT_TRUE(state.ModifiedFlag);
    EXPECT_EQ(calibration->EditHigh->accessibleName(), "H-Sens talker level, dB SPL");
}

TEST_F(Keyboard, TabMovesOnFromCommentsAndLevels)
{
    TLimitedMemo *memo = clientInfo->Memo1;
    memo->setFocus();
    Press(memo, Qt::Key_Tab);
    EXPECT_EQ(memo->toPlainText(), "");
    EXPECT_EQ(Focus(), clientInfo->NextButton);

    // The low level's digit filter leaves keys that type nothing alone.
    window->ShowPage(CalibrationPage);
    QLineEdit *low = calibration->EditLow;
    low->setText(QStringLiteral("40"));
    low->setFocus();
    Press(low, Qt::Key_A, Qt::ControlModifier);
    Press(low, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(low->text(), "");
    Press(low, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(low->text(), "40");
    Press(low, Qt::Key_Home);
    Press(low, Qt::Key_Delete);
    EXPECT_EQ(low->text(), "0");
    Press(low, Qt::Key_A);
    EXPECT_EQ(low->text(), "0");
    Press(low, Qt::Key_Tab);
    EXPECT_NE(Focus(), low);
}

TEST_F(Keyboard, EnterPressesTheFocusedButton)
{
    clientInfo->NextButton->setFocus();
    Press(clientInfo->NextButton, Qt::Key_Return);
    EXPECT_TRUE(conditions->isVisible());
    conditions->BackButton->setFocus();
    Press(conditions->BackButton, Qt::Key_Enter);
    EXPECT_TRUE(clientInfo->isVisible());
}

TEST_F(Keyboard, FileCommandsAndPagesHaveKeys)
{
    Press(clientInfo->EditLastName, Qt::Key_K);
    prompts.FileNames = {Path(QStringLiteral("kay.vek"))};
    Press(clientInfo->EditLastName, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window->windowTitle(), "AVEK beta - KAY.VEK");
    Press(clientInfo->EditLastName, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window->windowTitle(), "AVEK beta");

    const std::pair<Qt::Key, QWidget *> pages[] = {{Qt::Key_2, conditions}, {Qt::Key_3, calibration},
                                                   {Qt::Key_5, scores},     {Qt::Key_6, graph},
                                                   {Qt::Key_1, clientInfo}};
    for (const auto &[key, page] : pages) {
        Press(Focus(), key, Qt::ControlModifier);
        EXPECT_TRUE(page->isVisible()) << page->windowTitle();
    }
    // While a test runs its page is the only way out, by key as by mouse.
    Press(Focus(), Qt::Key_4, Qt::ControlModifier);
    ASSERT_TRUE(test->isVisible());
    Press(test, Qt::Key_1, Qt::ControlModifier);
    EXPECT_TRUE(test->isVisible());
}

// Toggle through an assistive tool checks the button; the page must follow.
TEST_F(Keyboard, PageButtonToggledByAnAssistiveToolShowsItsPage)
{
    QAction *button = window->PageButton(ScoresPage);
    QWidget *toolButton = window->findChild<QToolBar *>()->widgetForAction(button);
    ASSERT_NE(toolButton, nullptr);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(toolButton);
    ASSERT_NE(accessible, nullptr);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    Settle();
    EXPECT_TRUE(button->isChecked());
    EXPECT_TRUE(scores->isVisible());
    EXPECT_FALSE(clientInfo->isVisible());
}

TEST_F(Keyboard, CursorStandsInTheLastNameAfterNewAndLoad)
{
    clientInfo->EditClinician->setFocus();
    window->NewFile();
    EXPECT_EQ(Focus(), clientInfo->EditLastName);

    prompts.FileNames = {Path(QStringLiteral("a.vek"))};
    ASSERT_TRUE(window->SaveFile(true));
    window->ShowPage(ConditionsPage);
    conditions->SessionCommentsMemos[2]->setFocus();
    prompts.FileNames = {Path(QStringLiteral("a.vek"))};
    window->LoadFile();
    EXPECT_TRUE(clientInfo->isVisible());
    EXPECT_EQ(Focus(), clientInfo->EditLastName);
}

// A letter of a label or button, with Alt, reaches its control: one control
// per letter on each page, none taken from the menus (F, H, X).
TEST_F(Keyboard, MnemonicsAreUniqueOnEachPageAndReachTheirBoxes)
{
    for (int p = 0; p < PageCount; ++p) {
        std::set<QChar> letters{u'F', u'H', u'X'};
        for (QWidget *widget : window->Page(TPageIndex(p))->findChildren<QWidget *>()) {
            QString text;
            if (auto *label = qobject_cast<QLabel *>(widget)) {
                text = label->text();
                if (text.contains(u'&')) {
                    EXPECT_NE(label->buddy(), nullptr) << text;
                }
            } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
                text = button->text();
            } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
                text = group->title();
            }
            const qsizetype at = text.indexOf(u'&');
            if (at < 0 || at + 1 >= text.size())
                continue;
            EXPECT_TRUE(letters.insert(text[at + 1].toUpper()).second) << "page " << p << ": " << text;
        }
    }

    Press(clientInfo->EditLastName, Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(Focus(), clientInfo->EditDOB);
    Press(Focus(), Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(Focus(), clientInfo->Memo1);
    window->ShowPage(CalibrationPage);
    Press(Focus(), Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(Focus(), calibration->EditLow);
}

// The block or the unit the focus ring shows is the one chosen.
TEST_F(Keyboard, RadioChoicesTakeTheFocusAndFollowTheArrows)
{
    // MDB 1 was clicked once; the page then proposes MDB 3.
    window->ShowPage(ConditionsPage);
    QTest::mouseClick(conditions->ChooseSession[0], Qt::LeftButton);
    record.SetCurrentMdb(2);
    conditions->LoadFromRecord();
    EXPECT_EQ(Focus(), conditions->ChooseSession[2]);
    conditions->Button2->setFocus(Qt::TabFocusReason);
    Press(Focus(), Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(Focus(), conditions->ChooseSession[2]);
    Press(Focus(), Qt::Key_Right);
    EXPECT_EQ(Focus(), conditions->ChooseSession[3]);
    EXPECT_TRUE(conditions->ChooseSession[3]->isChecked());
    EXPECT_EQ(record.CurrentMdb(), 3);
    Press(Focus(), Qt::Key_Right);
    EXPECT_EQ(record.CurrentMdb(), 0);
    Press(Focus(), Qt::Key_Up);
    EXPECT_EQ(record.CurrentMdb(), 3);
    conditions->CheckPracticeBlock->setFocus(Qt::TabFocusReason);
    Press(Focus(), Qt::Key_Tab);
    EXPECT_EQ(Focus(), conditions->ChooseSession[3]);

    window->ShowPage(CalibrationPage);
    ASSERT_TRUE(calibration->ChoosedBHL->isChecked());
    state.ModifiedFlag = false;
    calibration->EditLow->setFocus(Qt::TabFocusReason);
    Press(Focus(), Qt::Key_Tab);
    EXPECT_EQ(Focus(), calibration->ChoosedBHL);
    Press(Focus(), Qt::Key_Up);
    EXPECT_EQ(Focus(), calibration->ChoosedBSPL);
    EXPECT_TRUE(calibration->ChoosedBSPL->isChecked());
    EXPECT_TRUE(state.ModifiedFlag);
    calibration->StoreToRecord();
    EXPECT_TRUE(record.LevelsInSpl());
    // Its own mnemonic still chooses a unit.
    Press(Focus(), Qt::Key_D, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return calibration->ChoosedBHL->isChecked(); }, 2000));
    EXPECT_EQ(Focus(), calibration->ChoosedBHL);
}

TEST_F(Keyboard, AltWithALetterThatIsNoMnemonicTypesNothing)
{
    clientInfo->EditID->setText(QStringLiteral("ID-00123"));
    Press(clientInfo->EditLastName, Qt::Key_D, Qt::AltModifier);
    ASSERT_EQ(Focus(), clientInfo->EditID);
    Press(Focus(), Qt::Key_I, Qt::AltModifier);
    Press(Focus(), Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(clientInfo->EditID->text(), "ID-00123");
    Press(Focus(), Qt::Key_End);
    Press(Focus(), Qt::Key_4);
    EXPECT_EQ(clientInfo->EditID->text(), "ID-001234");
}

// A letter that does not arrive is said, where it was typed.
TEST_F(Keyboard, ALetterTheFileCannotHoldOrABoxFullIsNoted)
{
    auto *note = clientInfo->findChild<TInputNote *>();
    ASSERT_NE(note, nullptr);
    clientInfo->EditLastName->setFocus();
    QTest::sendKeyEvent(QTest::Click, clientInfo->EditLastName, Qt::Key_unknown, QStringLiteral("\u0141"),
                        Qt::NoModifier);
    EXPECT_EQ(clientInfo->EditLastName->text(), "");
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().contains(QStringLiteral("\u201c\u0141\u201d cannot be kept in the client file")));
    EXPECT_EQ(clientInfo->EditLastName->accessibleDescription(), note->text());
    QTest::keyClicks(clientInfo->EditLastName, QStringLiteral("L"));
    EXPECT_EQ(clientInfo->EditLastName->text(), "L");
    EXPECT_FALSE(note->isVisible());

    clientInfo->EditMI->setFocus();
    QTest::keyClicks(clientInfo->EditMI, QStringLiteral("AB"));
    EXPECT_EQ(clientInfo->EditMI->text(), "A");
    EXPECT_EQ(note->text(), "Middle initial is full: the client file keeps 1 character of it.");
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(clientInfo->geometry().contains(note->geometry().translated(clientInfo->pos())));
}

} // namespace
