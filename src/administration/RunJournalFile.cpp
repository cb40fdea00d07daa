// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunJournalFile.h"

#include "record/RecoveryFile.h"
#include "record/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace RunJournalFile {

namespace {

// Far more than the steps of the longest run.
constexpr qint64 MaxJournalSize = 4 << 20;

} // namespace

QString Path()
{
    return QFileInfo(RecoveryFile::Path()).absolutePath() + QStringLiteral("/run.journal");
}

bool Begin(const QByteArray &startLine, QString &reason)
{
    const QString folder = QFileInfo(Path()).absolutePath();
    if (!QDir().mkpath(folder)) {
        reason = QStringLiteral("Cannot create folder %1").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    Remove();
    return Append(startLine, reason);
}

bool Append(const QByteArray &line, QString &reason)
{
    return SafeFile::Append(Path(), line, reason);
}

RunJournal::TReading Read()
{
    QFile file(Path());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return RunJournal::Read(file.read(MaxJournalSize));
}

void Remove()
{
    QFile::remove(Path());
}

} // namespace RunJournalFile
