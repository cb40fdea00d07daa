// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class IMediaPlayer;
class TfmCalibDialog;
class TfmClientInfo;
class TfmPage2;
class TfmScoresPrint;
class TfmVEKTest;
class TfmViewGraph;
class TfmWinMain;
class TSentenceMaterial;
struct TPageContext;

// The main window's six pages; the window's page area owns them.
struct TProgramPages
{
    TfmPage2 *fmPage2 = nullptr;
    TfmClientInfo *fmClientInfo = nullptr;
    TfmCalibDialog *fmCalibDialog = nullptr;
    TfmVEKTest *fmVEKTest = nullptr;
    TfmScoresPrint *fmScoresPrint = nullptr;
    TfmViewGraph *fmViewGraph = nullptr;
};

// Creates the pages in the order the program has always created them and
// attaches them to the window in the order of its page buttons.
TProgramPages CreatePages(TfmWinMain &window, TPageContext &context, IMediaPlayer &calibrationPlayer,
                          IMediaPlayer &sentencePlayer, const TSentenceMaterial &material);
