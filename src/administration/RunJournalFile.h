// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RunJournal.h"

// The journal of the run in hand, beside the kept work in the user's state
// folder ($XDG_STATE_HOME/AVEK/run.journal), readable by the user only; each
// step is on the disk before the program goes on.
namespace RunJournalFile {

QString Path();
// Starts the file afresh with the run's first line.
bool Begin(const QByteArray &startLine, QString &reason);
bool Append(const QByteArray &line, QString &reason);
RunJournal::TReading Read();
void Remove();

} // namespace RunJournalFile
