// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WindowMessages.h"
#include "controls/Prompts.h"
#include "record/AppState.h"
#include "record/ClientRecord.h"

#include <functional>

class QObject;

// What every page works with: the one client record, the values kept beside
// it, the prompts, and the main window its messages go to.
struct TPageContext
{
    TClientRecord &Record;
    TAppState &State;
    IPrompts &Prompts;
    QObject *MainWindow;
    // The main window's Save As, for a save after a scored list that found
    // its file changed by another program; unset, there is none.
    std::function<bool()> SaveAs = {};

    // A user input changed the record: set the flag, and tell the main window
    // only when the flag changes.
    void MarkModified()
    {
        if (State.ModifiedFlag)
            return;
        State.ModifiedFlag = true;
        PostWindowMessage(MainWindow, WM_FILEMODIFIED);
    }

    void Post(TWindowMessage message) const { PostWindowMessage(MainWindow, message); }
};
