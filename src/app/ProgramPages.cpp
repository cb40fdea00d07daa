// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramPages.h"

#include "Winmain.h"
#include "controls/AltLetterGuard.h"
#include "controls/LightPalette.h"
#include "pages/Calibdlg.h"
#include "pages/Page1.h"
#include "pages/Page2.h"
#include "pages/Page3.h"
#include "pages/Page4.h"
#include "pages/Viewgrph.h"

#include <QApplication>

TProgramPages CreatePages(TfmWinMain &window, TPageContext &context, IMediaPlayer &calibrationPlayer,
                          IMediaPlayer &sentencePlayer, const TSentenceMaterial &material)
{
    QWidget *area = window.WindowPanel;
    TProgramPages pages;
    pages.fmPage2 = new TfmPage2(context, area);
    pages.fmClientInfo = new TfmClientInfo(context, area);
    pages.fmCalibDialog = new TfmCalibDialog(context, calibrationPlayer, area);
    pages.fmVEKTest = new TfmVEKTest(context, sentencePlayer, material, area);
    pages.fmScoresPrint = new TfmScoresPrint(context, area);
    pages.fmViewGraph = new TfmViewGraph(context, area);
    for (QWidget *page : std::initializer_list<QWidget *>{pages.fmPage2, pages.fmClientInfo, pages.fmCalibDialog,
                                                         pages.fmVEKTest, pages.fmScoresPrint, pages.fmViewGraph})
        UseLightStyle(page);
    window.AttachPages(pages);
    qApp->installEventFilter(new TAltLetterGuard(&window));
    return pages;
}
