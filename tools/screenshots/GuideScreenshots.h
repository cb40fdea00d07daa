// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GuidePrompts.h"
#include "administration/WordMark.h"
#include "record/Status.h"

#include <QString>
#include <QStringList>

#include <memory>

class TAvekProgram;

// Makes the user guide's pictures with the program itself: the main window
// and its pages, built as the program builds them in the folder of a
// demonstration set, walked through as a clinician gives the test, each page
// saved as a PNG; then the printed score report and graph page, drawn by
// avektool and rendered by pdftoppm.
class TGuideScreenshots
{
public:
    // The pictures, in the order the guide shows them.
    static const QStringList &ImageNames();

    // demoFolder holds a set made by "avektool make-demo" (it is made there
    // when it has no VEK.INI); the scored client is left there as SAMPLE.VEK,
    // and the pictures go to imageFolder.
    TGuideScreenshots(const QString &demoFolder, const QString &imageFolder, const QString &avektool);
    ~TGuideScreenshots();

    // Changes the working folder to the demonstration set while it runs.
    TStatus Run();

private:
    void MakeDemoSetIfMissing();
    void FillClientPage();
    void ChooseConditions(int mdb, const QString &comments);
    void CalibrateAndSave();
    void StartTest();
    void MarkScriptedSentences();
    void FinishRun(int mdb);
    void PlayCurrentSentence();
    void MarkByKey(int word, TWordMark mark);
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Settle();
    void CheckPrompts(const char *step);
    void Shoot(const QString &name);
    void PrintReport();

    QString m_demoFolder;
    QString m_imageFolder;
    QString m_avektool;
    QString m_clientFile;
    TGuidePrompts m_prompts;
    std::unique_ptr<TAvekProgram> m_program;
};
