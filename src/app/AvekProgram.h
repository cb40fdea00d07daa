#pragma once

#include "administration/SentenceMaterial.h"
#include "controls/MessageBoxPrompts.h"
#include "pages/PageContext.h"
#include "record/AppState.h"
#include "record/ClientRecord.h"

#include <memory>

class IMediaPlayer;
class TfmWinMain;

// The whole program: the one client record and what is kept beside it, the
// main window and its pages, created once in the order the program has
// always built them, and the CD players of the pages that play.
class TAvekProgram
{
public:
    TAvekProgram();
    ~TAvekProgram();

    TfmWinMain &MainWindow() const { return *fmWinMain; }
    IPrompts &Prompts() { return m_prompts; }

private:
    TClientRecord m_record;
    TAppState m_state;
    TMessageBoxPrompts m_prompts;
    std::unique_ptr<TfmWinMain> fmWinMain;
    std::unique_ptr<TPageContext> m_context;
    std::unique_ptr<IMediaPlayer> m_calibrationPlayer;
    std::unique_ptr<IMediaPlayer> m_sentencePlayer;
    TSentenceMaterial m_material;
};
