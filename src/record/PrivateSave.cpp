// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateSave.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <sys/stat.h>

namespace PrivateSave {

bool Open(QSaveFile &file)
{
    if (QFileInfo::exists(file.fileName()))
        return file.open(QIODevice::WriteOnly);
    // The umask is read by setting it; the temporary copy is created under
    // the user's umask with the others' bits added.
    const mode_t previous = ::umask(S_IRWXU | S_IRWXG | S_IRWXO);
    ::umask(previous | S_IRWXO);
    const bool opened = file.open(QIODevice::WriteOnly);
    ::umask(previous);
    return opened;
}

void RemoveStaleCopies(const QString &fileName)
{
    const QFileInfo target(fileName);
    const QRegularExpression copy(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(target.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDateTime aMinuteAgo = QDateTime::currentDateTimeUtc().addSecs(-60);
    QDir folder = target.absoluteDir();
    for (const QFileInfo &entry : folder.entryInfoList({target.fileName() + QStringLiteral(".*")},
                                                       QDir::Files | QDir::Hidden | QDir::System)) {
        if (copy.match(entry.fileName()).hasMatch() && entry.lastModified().toUTC() < aMinuteAgo)
            folder.remove(entry.fileName());
    }
}

} // namespace PrivateSave
