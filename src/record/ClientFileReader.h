// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClientRecord.h"
#include "FileStamp.h"
#include "Status.h"

class QIODevice;

// Reads one client file into the record. A file that is too short, does not
// start with the client file signature, or names an MDB other than 1..4 is
// refused, and then the record is left exactly as it was. Bytes after the
// record are ignored. The SNR-50 fields are taken as stored.
TStatus ReadClientFile(QIODevice &device, const QString &fileName, TClientRecord &record);
// A file that is no regular file (a pipe, a device) or is far too large is
// refused unread. stamp, when given, receives what the file held.
TStatus ReadClientFile(const QString &fileName, TClientRecord &record, TFileStamp *stamp = nullptr);
