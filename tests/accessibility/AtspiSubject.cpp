// SPDX-License-Identifier: GPL-3.0-or-later
// The program's main window with a scored client saved as SMITH.VEK and a
// played sentence on its test page, left open for atspi_dump.sh to read over
// the accessibility bus and from the X server.
#include "RecordingMediaPlayer.h"
#include "ScriptedPrompts.h"
#include "TestMaterial.h"
#include "administration/SentenceMaterial.h"
#include "app/Application.h"
#include "app/ProgramPages.h"
#include "app/Winmain.h"
#include "drawing/Fonts.h"
#include "pages/Page3.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstdio>

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    InstallFontSubstitutions();
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());

    TClientRecord record;
    TAppState state;
    TScriptedPrompts prompts;
    TRecordingMediaPlayer player;
    TRecordingMediaPlayer sentencePlayer;
    TSentenceMaterial material;
    QBuffer materialFile;
    materialFile.setData(TestMaterial());
    materialFile.open(QIODevice::ReadOnly);
    material.LoadPassages(materialFile);

    TfmWinMain window(record, state, prompts);
    TPageContext context{record, state, prompts, &window};
    const TProgramPages pages = CreatePages(window, context, player, sentencePlayer, material);
    window.show();
    QApplication::processEvents();
    prompts.FileNames = {folder.filePath(QStringLiteral("smith.vek"))};
    if (!window.SaveFile(true))
        return 1;

    TMdbBlock block = record.Mdb(1);
    block.SetProportion(9, 0.853333f);
    block.SetRau(9, 80.0f);
    block.SetWrau(9, 75.125f);
    block.SetSnr50High(-6);
    window.ShowPage(ScoresPage);
    record.SetCurrentMdb(0);
    record.Mdb(0).SetSelected(0, true);
    record.SetPlayPracticeBlock(false);
    window.ShowPage(TestPage);
    pages.fmVEKTest->PlayButton->click();
    sentencePlayer.FinishPlay();
    // The focus, which a reader follows, lives in the active window only.
    window.activateWindow();
    QElapsedTimer waited;
    waited.start();
    while (!window.isActiveWindow() && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);

    std::puts("ready");
    std::fflush(stdout);
    return QApplication::exec();
}
