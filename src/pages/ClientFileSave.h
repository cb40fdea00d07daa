// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/Prompts.h"
#include "record/AppState.h"
#include "record/ClientRecord.h"

// What became of a save of the record to the current file.
enum class TSaveOutcome {
    Saved,
    Failed,       // the error has been shown
    Declined,     // the file was changed by another program and the user kept it
    SaveAsChosen, // likewise, and the user wants to save under another name; nothing written
};

// Writes the record to state.FileName, as Save, Save As and the save after
// each scored list do. When that file is the one this copy loaded or last
// saved, and another program (another copy on a shared folder) has changed
// it since, or it cannot be read now, the user is asked first: Overwrite,
// Save As… (the default button, as it destroys nothing), or Cancel.
TSaveOutcome SaveClientFile(const TClientRecord &record, TAppState &state, IPrompts &prompts);
