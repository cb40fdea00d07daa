// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AppState.h"
#include "ClientRecord.h"
#include "Status.h"

#include <QDateTime>

#include <optional>

// Unsaved work kept when the program is ended with nobody to ask (log-out,
// shutdown, a closed terminal): the record, the client file it belongs to
// and that file's stamp, in the user's state folder
// ($XDG_STATE_HOME/AVEK/unsaved.VEK), readable by the user only.
namespace RecoveryFile {

struct TRecovered
{
    TClientRecord Record;
    TFileStamp FileStamp; // Path: the client file, empty for an untitled client
    QDateTime Kept;
};

QString Path();
TStatus Write(const TClientRecord &record, const TAppState &state);
// nullopt when there is no kept work, or what is there is no record.
std::optional<TRecovered> Read();
void Remove();

} // namespace RecoveryFile
