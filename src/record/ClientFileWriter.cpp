// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClientFileWriter.h"

#include "SafeFile.h"

TStatus WriteClientFile(const TClientRecord &record, const QString &fileName)
{
    QString reason;
    if (SafeFile::WriteAll(fileName, record.Image().toByteArray(), reason))
        return TStatus::Ok();
    return TStatus::Error(reason);
}
