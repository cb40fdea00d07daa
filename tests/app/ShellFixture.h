// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordingMediaPlayer.h"
#include "ScriptedPrompts.h"
#include "TestMaterial.h"
#include "administration/RunJournalFile.h"
#include "administration/SentenceMaterial.h"
#include "app/ProgramPages.h"
#include "app/Winmain.h"
#include "pages/Calibdlg.h"
#include "pages/Page1.h"
#include "pages/Page2.h"
#include "pages/Page3.h"
#include "pages/Page4.h"
#include "pages/Viewgrph.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <memory>

// The main window with its pages, as the program builds it, in a temporary
// start-up folder, answered by a script.
class ShellFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previousFolder = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QBuffer materialFile;
        materialFile.setData(TestMaterial());
        materialFile.open(QIODevice::ReadOnly);
        material.LoadPassages(materialFile);
        window = std::make_unique<TfmWinMain>(record, state, prompts);
        context = std::make_unique<TPageContext>(TPageContext{record, state, prompts, window.get()});
        context->SaveAs = [this] { return window->SaveFile(true); };
        const TProgramPages pages = CreatePages(*window, *context, player, sentencePlayer, material);
        conditions = pages.fmPage2;
        clientInfo = pages.fmClientInfo;
        calibration = pages.fmCalibDialog;
        test = pages.fmVEKTest;
        scores = pages.fmScoresPrint;
        graph = pages.fmViewGraph;
        window->show();
        Settle();
        // As the program does once the window can be seen.
        window->AskStartUpQuestions();
    }

    void TearDown() override
    {
        EXPECT_FALSE(prompts.RanOutOfScript) << "a question or dialog came that the test did not expect";
        prompts.Answers.clear();
        state.ModifiedFlag = false;
        window.reset();
        // A run a test left in hand is not told to the next test's start.
        RunJournalFile::Remove();
        QDir::setCurrent(m_previousFolder);
    }

    // Lets the posted window messages arrive.
    static void Settle() { QApplication::processEvents(); }

    QString Path(const QString &name) const { return m_dir.filePath(name); }
    // The temporary start-up folder as DataPath holds it.
    QString Folder() const { return m_dir.path() + u'/'; }

    TClientRecord record;
    TAppState state;
    TScriptedPrompts prompts;
    TRecordingMediaPlayer player;
    TRecordingMediaPlayer sentencePlayer;
    TSentenceMaterial material;
    std::unique_ptr<TfmWinMain> window;
    std::unique_ptr<TPageContext> context;
    TfmPage2 *conditions = nullptr;
    TfmClientInfo *clientInfo = nullptr;
    TfmCalibDialog *calibration = nullptr;
    TfmVEKTest *test = nullptr;
    TfmScoresPrint *scores = nullptr;
    TfmViewGraph *graph = nullptr;

private:
    QTemporaryDir m_dir;
    QString m_previousFolder;
};
