// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryFile.h"

#include "ClientFileReader.h"
#include "RegularFile.h"
#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace RecoveryFile {

namespace {

// After the record: the client file's path, its size and hash, one a line.
QByteArray Trailer(const TFileStamp &stamp)
{
    return stamp.Path.toUtf8() + '\n' + QByteArray::number(stamp.Size) + '\n' + stamp.Hash.toHex() + '\n';
}

} // namespace

QString Path()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/AVEK/unsaved.VEK");
}

TStatus Write(const TClientRecord &record, const TAppState &state)
{
    const QString folder = QFileInfo(Path()).absolutePath();
    if (!QDir().mkpath(folder))
        return TStatus::Error(QStringLiteral("Cannot create folder %1").arg(folder));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    TFileStamp stamp = state.FileStamp;
    if (!stamp.IsOf(state.FileName))
        stamp = TFileStamp{state.FileName, -1, {}};
    QString reason;
    if (SafeFile::WriteAll(Path(), record.Image().toByteArray() + Trailer(stamp), reason, SafeFile::TAccess::UserOnly))
        return TStatus::Ok();
    return TStatus::Error(reason);
}

std::optional<TRecovered> Read()
{
    QFile file(Path());
    if (!file.exists())
        return std::nullopt;
    TRecovered recovered;
    if (!ReadClientFile(Path(), recovered.Record))
        return std::nullopt;
    if (QString reason; !RegularFile::Open(file, MaxClientFileSize, reason) || !file.seek(TClientRecord::Size))
        return std::nullopt;
    const QList<QByteArray> lines = file.read(MaxClientFileSize).split('\n');
    if (lines.size() >= 3) {
        recovered.FileStamp.Path = QString::fromUtf8(lines[0]);
        recovered.FileStamp.Size = lines[1].toLongLong();
        recovered.FileStamp.Hash = QByteArray::fromHex(lines[2]);
    }
    recovered.Kept = QFileInfo(file).lastModified();
    return recovered;
}

void Remove()
{
    QFile::remove(Path());
}

} // namespace RecoveryFile
