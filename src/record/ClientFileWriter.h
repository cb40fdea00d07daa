// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClientRecord.h"
#include "Status.h"

#include <QByteArray>

// The steps by which a file is replaced as a whole: the new contents go to a
// temporary file that takes the old one's place only when every step worked.
class ISaveTarget
{
public:
    virtual ~ISaveTarget() = default;
    virtual bool open() = 0;
    virtual qint64 write(const QByteArray &bytes) = 0;
    virtual bool flush() = 0;
    virtual bool commit() = 0;
    virtual QString errorString() const = 0;
};

// The one writer of client files, for Save, Save As and the save after each
// scored list. On any failure the message is "Cannot create file" with the
// path and the reason, and the file on disk is as it was before. A new file
// is not readable by other users; copies that killed saves left beside it
// are removed once it is saved.
TStatus WriteClientFile(const TClientRecord &record, const QString &fileName);
TStatus WriteClientFile(const TClientRecord &record, const QString &fileName, ISaveTarget &target);
