// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "ShellFixture.h"
#include "app/HelpViewer.h"
#include "pages/WindowMessages.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using Navigation = ShellFixture;

TEST_F(Navigation, StartsOnTheClientPageWithANewClient)
{
    EXPECT_TRUE(clientInfo->isVisible());
    EXPECT_TRUE(window->PageButton(ClientInfoPage)->isChecked());
    EXPECT_EQ(window->windowTitle(), "AVEK beta");
    EXPECT_EQ(window->ModifiedText(), "");
    EXPECT_EQ(record.Signature(), "VEKTEST2");
    EXPECT_EQ(clientInfo->EditTestDate->text(), record.TestDate());
    EXPECT_EQ(window->size(), QSize(640, 452));
    // Of fixed size: minimise and close, no maximise box that does nothing.
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(clientInfo->geometry(), window->WindowPanel->rect());
}

TEST_F(Navigation, PageButtonShowsItsPageAndHidingStoresTheOldOne)
{
    clientInfo->EditLastName->setText(QStringLiteral("Smith"));
    window->PageButton(ConditionsPage)->trigger();
    EXPECT_TRUE(conditions->isVisible());
    EXPECT_FALSE(clientInfo->isVisible());
    EXPECT_TRUE(window->PageButton(ConditionsPage)->isChecked());
    EXPECT_FALSE(window->PageButton(ClientInfoPage)->isChecked());
    EXPECT_EQ(record.LastName(), "Smith");
    EXPECT_EQ(conditions->NameLabel->text(), "Smith, ");
}

TEST_F(Navigation, ButtonOfTheShownPageDoesNothing)
{
    clientInfo->EditLastName->setText(QStringLiteral("Typed"));
    window->PageButton(ClientInfoPage)->trigger();
    // No hide (which would store) and no show (which would reload).
    EXPECT_EQ(record.LastName(), "");
    EXPECT_EQ(clientInfo->EditLastName->text(), "Typed");
}

TEST_F(Navigation, TestPageLocksThePageButtonsUntilItIsLeft)
{
    PostWindowMessage(window.get(), WM_RUNTEST);
    Settle();
    EXPECT_TRUE(test->isVisible());
    for (const TPageIndex p : {ClientInfoPage, ConditionsPage, CalibrationPage, ScoresPage, GraphPage})
        EXPECT_FALSE(window->PageButton(p)->isEnabled()) << p;
    EXPECT_TRUE(window->PageButton(TestPage)->isEnabled());

    PostWindowMessage(window.get(), WM_SHOWCONDITIONS);
    Settle();
    EXPECT_TRUE(conditions->isVisible());
    for (int p = 0; p < PageCount; ++p)
        EXPECT_TRUE(window->PageButton(TPageIndex(p))->isEnabled()) << p;
}

TEST_F(Navigation, MessagesShowTheirPages)
{
    const std::pair<TWindowMessage, TPageIndex> routes[] = {
        {WM_SHOWCONDITIONS, ConditionsPage}, {WM_SHOWCALIBRATION, CalibrationPage}, {WM_SHOWSCORES, ScoresPage},
        {WM_SHOWGRAPH, GraphPage},           {WM_SHOWCLIENTINFO, ClientInfoPage},
    };
    for (const auto &[message, page] : routes) {
        PostWindowMessage(window.get(), message);
        Settle();
        EXPECT_TRUE(window->Page(page)->isVisible()) << message;
        EXPECT_TRUE(window->PageButton(page)->isChecked()) << message;
        for (int other = 0; other < PageCount; ++other) {
            if (other != page) {
                EXPECT_FALSE(window->Page(TPageIndex(other))->isVisible()) << message << " " << other;
            }
        }
    }
}

TEST_F(Navigation, TypingMarksModifiedOnceAndSavingClearsIt)
{
    QTest::keyClicks(clientInfo->EditLastName, QStringLiteral("Jo"));
    EXPECT_TRUE(state.ModifiedFlag);
    Settle();
    EXPECT_EQ(window->ModifiedText(), " Modified");

    // A second message would set the text again; clear it to see none comes.
    PostWindowMessage(window.get(), WM_FILESAVED);
    Settle();
    QTest::keyClicks(clientInfo->EditFirstName, QStringLiteral("x"));
    Settle();
    EXPECT_EQ(window->ModifiedText(), "");

    prompts.FileNames = {Path(QStringLiteral("jo.vek"))};
    EXPECT_TRUE(window->SaveFile(false));
    EXPECT_FALSE(state.ModifiedFlag);
    EXPECT_EQ(record.LastName(), "Jo");
}

TEST_F(Navigation, PastingWithTheMouseDoesNotMarkModifiedButIsStored)
{
    clientInfo->EditClinician->insert(QStringLiteral("Dr. Who"));
    Settle();
    EXPECT_FALSE(state.ModifiedFlag);
    window->PageButton(ConditionsPage)->trigger();
    EXPECT_EQ(record.Clinician(), "Dr. Who");
}

TEST_F(Navigation, F1OpensTheTopicOfTheShownPage)
{
    QTest::keyClick(clientInfo->EditLastName, Qt::Key_F1);
    EXPECT_TRUE(window->HelpViewer()->isVisible());
    EXPECT_EQ(window->HelpViewer()->CurrentPage().fileName(), "client-information.html");
    window->PageButton(ConditionsPage)->trigger();
    QTest::keyClick(conditions->Button2, Qt::Key_F1);
    EXPECT_EQ(window->HelpViewer()->CurrentPage().fileName(), "test-conditions.html");
    window->PageButton(GraphPage)->trigger();
    QTest::keyClick(graph, Qt::Key_F1);
    EXPECT_EQ(window->HelpViewer()->CurrentPage().fileName(), "graphs.html");
    window->HelpViewer()->ShowContents();
    EXPECT_EQ(window->HelpViewer()->CurrentPage().fileName(), "index.html");
}

} // namespace
