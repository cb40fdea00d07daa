// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClientRecord.h"
#include "Status.h"

// The one writer of client files, for Save, Save As and the save after each
// scored list, through SafeFile: on any failure the message is "Cannot
// create file" with the path and the reason, and the file on disk is as it
// was before.
TStatus WriteClientFile(const TClientRecord &record, const QString &fileName);
